#pragma once

#include <QUrl>

#include "Shell.h"

// The one way out to the desktop: every address the program or a page hands
// to the desktop passes here. Only web and e-mail addresses go on, to the
// desktop's opener, an e-mail address rebuilt with only what a mail form may
// carry; an address of any other kind (a local file, a network
// share, another program's own scheme) is refused with an error box. Pages
// that ask on their own never get this far (the HTML engine drops them), so
// whoever reaches the door is the learner, who clicked and is told.
// UI thread only.
class DesktopDoor final : public Shell {
public:
    explicit DesktopDoor(Shell& desktop) : desktop_(desktop) {}

    // An address that makes no URL at all opens nothing, unreported, as
    // before any door.
    void open(const QString& address, QWidget* owner) override;

    // What leaves the program for an address: a web address with a host as
    // it is, a mail address as its mail form; empty for anything else.
    static QUrl outgoing(const QUrl& url);

private:
    Shell& desktop_;
};
