#pragma once

#include <QWebEnginePage>

// A page whose console messages are the learner's to ask for: they are
// printed only when the logging rules turn on the "js" category (for
// example QT_LOGGING_RULES="js=true"), and printed with control characters
// escaped, since a page, a course's or a search result's, writes them.
class QuietConsolePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                  const QString& sourceID) override;
};
