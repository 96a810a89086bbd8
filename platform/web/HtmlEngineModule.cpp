#include "HtmlEngineModule.h"

#include <QDir>
#include <QFileInfo>

#include "AppError.h"
#include "SoftwareRendering.h"

HtmlEngineModule::HtmlEngineModule(QStringList folders, Shell& shell) : folders_(std::move(folders)), shell_(shell) {}

QStringList HtmlEngineModule::foldersFor(const QString& executableDirectory)
{
    const QDir beside(executableDirectory);
    return {beside.path(), QDir::cleanPath(beside.filePath(QStringLiteral(TOVRELLE_ENGINE_MODULE_DIR)))};
}

std::unique_ptr<HtmlEngine> HtmlEngineModule::start()
{
    if (!tried_) {
        tried_ = true;
        load();
    }
    return entry_ ? std::unique_ptr<HtmlEngine>(entry_(shell_, softwareRendering_)) : nullptr;
}

// The engine checks as it loads that the shared OpenGL context exists, so
// OpenGL comes first.
void HtmlEngineModule::load()
{
    softwareRendering_ = prepareOpenGlForHtmlViews();
    const QString name = QStringLiteral(TOVRELLE_ENGINE_MODULE);
    QString path = QDir(folders_.value(0)).filePath(name);
    for (const QString& folder : folders_) {
        if (QFileInfo::exists(QDir(folder).filePath(name))) {
            path = QDir(folder).filePath(name);
            break;
        }
    }
    library_.setFileName(path);
    if (library_.load())
        entry_ = reinterpret_cast<Entry>(library_.resolve(kEntryName));
    if (!entry_)
        throw AppError(QStringLiteral("Cannot load the HTML engine: %1").arg(library_.errorString()));
}
