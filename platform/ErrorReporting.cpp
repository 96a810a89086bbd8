#include "ErrorReporting.h"

#include <cstdio>
#include <exception>

#include <QScopedValueRollback>

#include "AppError.h"
#include "TerminalText.h"

namespace {

ErrorBox* installedBox = nullptr;
QString installedTitle;
bool boxOpen = false;

// Standard error takes what no box shows: control characters as escapes.
void printText(const QString& text)
{
    std::fprintf(stderr, "%s\n", escapedControls(text).toLocal8Bit().constData());
}

}  // namespace

namespace ErrorReporting {

void install(ErrorBox* box, const QString& programTitle)
{
    installedBox = box;
    installedTitle = programTitle;
}

QString withClosingStop(const QString& text)
{
    if (!text.isEmpty() && text.back() > QChar(u'.'))
        return text + u'.';
    return text;
}

void reportText(const QString& text)
{
    const QString shown = withClosingStop(text);
    // The box waits for the learner in an event loop of its own, where the
    // banner's timer goes on; an error raised meanwhile opens no second box.
    if (!installedBox || boxOpen) {
        printText(shown);
        return;
    }
    const QScopedValueRollback<bool> open(boxOpen, true);
    installedBox->showError(installedTitle, shown);
}

void reportCurrentException()
{
    try {
        throw;
    } catch (const AppError& error) {
        reportText(error.text());
    } catch (const std::exception& error) {
        reportText(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportText(QStringLiteral("Unknown error"));
    }
}

}  // namespace ErrorReporting
