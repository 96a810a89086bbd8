#pragma once

#include "Shell.h"

// The real shell: the desktop's URL opener (xdg-open on a plain X session).
class QtShell final : public Shell {
public:
    void open(const QString& address, QWidget* owner) override;
};
