#include "DesktopDoor.h"

#include "AppError.h"
#include "ErrorReporting.h"
#include "QuotedValue.h"
#include "WebAddress.h"

bool DesktopDoor::lets(const QUrl& url)
{
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web)
        return !url.host().isEmpty();
    return scheme == QLatin1String("mailto") && !url.path().isEmpty();
}

void DesktopDoor::open(const QString& address, QWidget* owner)
{
    QUrl url;
    try {
        url = webAddressToUrl(address);
    } catch (const AppError&) {
        return;
    }
    if (!lets(url)) {
        ErrorReporting::reportText(
            QStringLiteral("Only web and e-mail addresses can be opened, not \"%1\"").arg(quotedValue(address)));
        return;
    }
    desktop_.open(url.toString(QUrl::FullyEncoded), owner);
}
