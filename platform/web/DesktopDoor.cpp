#include "DesktopDoor.h"

#include "AppError.h"
#include "ErrorReporting.h"
#include "MailForm.h"
#include "QuotedValue.h"
#include "WebAddress.h"

QUrl DesktopDoor::outgoing(const QUrl& url)
{
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web)
        return url.host().isEmpty() ? QUrl() : url;
    return mailFormOf(url);
}

void DesktopDoor::open(const QString& address, QWidget* owner)
{
    QUrl url;
    try {
        url = webAddressToUrl(address);
    } catch (const AppError&) {
        return;
    }
    const QUrl leaving = outgoing(url);
    if (leaving.isEmpty()) {
        ErrorReporting::reportText(
            QStringLiteral("Only web and e-mail addresses can be opened, not \"%1\"").arg(quotedValue(address)));
        return;
    }
    desktop_.open(leaving.toString(QUrl::FullyEncoded), owner);
}
