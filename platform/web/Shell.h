#pragma once

#include <QString>

class QWidget;

// The desktop's "open" action: hands an address to the program the user has
// chosen for it (a web address to the web browser). UI thread only.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens the address on behalf of the owner window, shown as a normal
    // window. Whether anything opens is the desktop's affair: nothing is
    // reported back.
    virtual void open(const QString& address, QWidget* owner) = 0;
};
