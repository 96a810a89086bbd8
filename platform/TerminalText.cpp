#include "TerminalText.h"

namespace {

bool needsEscape(QChar c)
{
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
}

QString escapeOf(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    const QString digits = QString::number(c.unicode(), 16).toUpper();
    if (c.unicode() < 0x100)
        return QStringLiteral("\\x") + digits.rightJustified(2, u'0');
    return QStringLiteral("\\u") + digits.rightJustified(4, u'0');
}

}  // namespace

QString escapedControls(const QString& text)
{
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text)
        printable += needsEscape(c) ? escapeOf(c) : QString(c);
    return printable;
}
