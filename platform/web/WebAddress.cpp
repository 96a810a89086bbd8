#include "WebAddress.h"

#include <QDir>
#include <QRegularExpression>

#include "AppError.h"
#include "QuotedValue.h"

namespace {

bool hasScheme(const QString& address)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(address).hasMatch();
}

}  // namespace

QUrl webAddressToUrl(const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        raiseInvalidAddress(address);
    QUrl url;
    if (QDir::isAbsolutePath(trimmed))
        url = QUrl::fromLocalFile(trimmed);
    else if (hasScheme(trimmed))
        url = QUrl(trimmed, QUrl::TolerantMode);
    else
        url = QUrl::fromUserInput(trimmed);
    if (!url.isValid() || url.scheme().isEmpty())
        raiseInvalidAddress(address);
    return url;
}

void raiseInvalidAddress(const QString& address)
{
    throw AppError(QStringLiteral("Invalid address \"%1\"").arg(quotedValue(address)));
}
