#pragma once

#include <initializer_list>
#include <vector>

#include "IdleInhibitor.h"

// Holds the inhibition through every one of its members at once, for
// desktops where no single way is sure to be honoured: the session bus is
// heard by the desktop's screen saver, the compositor's own protocol by the
// compositor that blanks the screen. The members are not owned. UI thread only.
class IdleInhibitorGroup : public IdleInhibitor {
public:
    IdleInhibitorGroup(std::initializer_list<IdleInhibitor*> members) : members_(members) {}

    void hold(const QString& reason) override
    {
        for (IdleInhibitor* member : members_)
            member->hold(reason);
    }

    void release() override
    {
        for (IdleInhibitor* member : members_)
            member->release();
    }

private:
    std::vector<IdleInhibitor*> members_;
};
