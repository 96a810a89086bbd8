#include "MailForm.h"

#include <algorithm>

#include <QUrlQuery>

namespace {

// The fields a mail form keeps, in the order they are written out.
const QStringList kKeptFields = {QStringLiteral("subject"), QStringLiteral("body"), QStringLiteral("cc")};

bool isPlainAddress(const QString& address)
{
    static const QString breaking = QStringLiteral(" \"<>?&#\\");
    const qsizetype at = address.indexOf(u'@');
    if (at <= 0 || at == address.size() - 1)
        return false;
    return std::none_of(address.cbegin(), address.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control || c.isSpace() || breaking.contains(c); });
}

bool isFormatCharacter(QChar c)
{
    return c.category() == QChar::Other_Format;
}

bool isControlOrFormat(QChar c)
{
    return c.category() == QChar::Other_Control || isFormatCharacter(c);
}

// Line breaks stay in a mail's text; no other control character does.
bool isControlBesideLineBreaks(QChar c)
{
    return c.category() == QChar::Other_Control && c != u'\r' && c != u'\n' && c != u'\t';
}

QString without(QString text, bool (*unwanted)(QChar))
{
    text.removeIf(unwanted);
    return text;
}

// An address shows as the learner reads it: invisible characters (bidi
// overrides, zero-width marks) that would make it read as another are taken
// out. A control character, which could start another header, leaves the
// address no address at all.
QString visibleAddressList(const QString& list)
{
    return without(list, isFormatCharacter);
}

// The subject is one line of visible text; the body keeps its line breaks.
QString cleanedValue(const QString& name, const QString& value)
{
    if (name == QLatin1String("subject"))
        return without(value, isControlOrFormat);
    return without(value, isControlBesideLineBreaks);
}

// One address or several, separated by commas.
bool isAddressList(const QString& list)
{
    const QStringList addresses = list.split(u',');
    return std::all_of(addresses.cbegin(), addresses.cend(),
                       [](const QString& address) { return isPlainAddress(address.trimmed()); });
}

QString encoded(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

QString encodedAddressList(const QString& list)
{
    QStringList addresses = list.split(u',');
    for (QString& address : addresses)
        address = encoded(address.trimmed(), "@");
    return addresses.join(u',');
}

// The first value of each kept field; a copy list that is no list of
// addresses is left out like any unknown field.
QStringList keptFields(const QUrl& mailto)
{
    const auto items = QUrlQuery(mailto).queryItems(QUrl::FullyDecoded);
    QStringList fields;
    for (const QString& name : kKeptFields) {
        for (const auto& [key, value] : items) {
            if (key.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            if (name != QLatin1String("cc"))
                fields << name + u'=' + encoded(cleanedValue(name, value));
            else if (const QString copies = visibleAddressList(value); isAddressList(copies))
                fields << name + u'=' + encodedAddressList(copies);
            break;
        }
    }
    return fields;
}

}  // namespace

QUrl mailFormOf(const QUrl& mailto)
{
    if (mailto.scheme() != QLatin1String("mailto"))
        return QUrl();
    const QString to = visibleAddressList(mailto.path(QUrl::FullyDecoded));
    if (!isAddressList(to))
        return QUrl();
    QString form = QStringLiteral("mailto:") + encodedAddressList(to);
    if (const QStringList fields = keptFields(mailto); !fields.isEmpty())
        form += u'?' + fields.join(u'&');
    return QUrl(form, QUrl::StrictMode);
}
