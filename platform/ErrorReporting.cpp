#include "ErrorReporting.h"

#include <cstdio>
#include <exception>

#include "AppError.h"

namespace {

ErrorBox* installedBox = nullptr;
QString installedTitle;

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
    if (installedBox) {
        installedBox->showError(installedTitle, shown);
        return;
    }
    std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
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
