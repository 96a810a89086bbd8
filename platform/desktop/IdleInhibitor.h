#pragma once

#include <QString>

// Keeps the desktop from blanking the screen or locking the session while a
// lesson plays. UI thread only.
class IdleInhibitor {
public:
    virtual ~IdleInhibitor() = default;

    // Holds one inhibition, given to the desktop with the reason; holding again
    // with another reason replaces it, with the same reason keeps it (an
    // inhibition tied to windows then also covers the windows shown since).
    virtual void hold(const QString& reason) = 0;

    // Gives the inhibition back; nothing happens when none is held.
    virtual void release() = 0;
};
