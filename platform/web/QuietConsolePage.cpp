#include "QuietConsolePage.h"

#include <QLoggingCategory>

#include "TerminalText.h"

namespace {

// Off unless the logging rules turn it on.
Q_LOGGING_CATEGORY(pageConsole, "js", QtCriticalMsg)

}  // namespace

void QuietConsolePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                                int lineNumber, const QString& sourceID)
{
    const QString text = QStringLiteral("%1:%2: %3").arg(escapedControls(sourceID)).arg(lineNumber).arg(escapedControls(message));
    if (level == InfoMessageLevel)
        qCInfo(pageConsole, "%s", qUtf8Printable(text));
    else
        qCWarning(pageConsole, "%s%s", level == ErrorMessageLevel ? "error: " : "", qUtf8Printable(text));
}
