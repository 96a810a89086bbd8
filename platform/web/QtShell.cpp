#include "QtShell.h"

#include <QDesktopServices>

#include "AppError.h"
#include "WebAddress.h"

// The desktop opener places its own window, so the owner is not passed on.
// An address that makes no URL opens nothing, like any other failed open.
void QtShell::open(const QString& address, QWidget*)
{
    try {
        QDesktopServices::openUrl(webAddressToUrl(address));
    } catch (const AppError&) {
    }
}
