#include "HtmlEngineModule.h"

#include <QDir>
#include <QFileInfo>

#include "AppError.h"
#include "SoftwareRendering.h"

HtmlEngineModule::HtmlEngineModule(QStringList folders, Shell& shell, QString courseFolder)
    : folders_(std::move(folders)), shell_(shell), courseFolder_(std::move(courseFolder))
{
}

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
    return entry_ ? std::unique_ptr<HtmlEngine>(entry_(shell_, courseFolder_, softwareRendering_)) : nullptr;
}

void HtmlEngineModule::preload()
{
    if (tried_ || preloading_.valid())
        return;
    library_.setFileName(modulePath());
    library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    preloading_ = std::async(std::launch::async, [this] {
        loadOpenGlDriver();
        library_.load();
    });
}

// The engine needs to know how it renders, and on OpenGL the shared context,
// before its first start.
void HtmlEngineModule::load()
{
    if (preloading_.valid())
        preloading_.get();
    else
        library_.setFileName(modulePath());
    softwareRendering_ = prepareRenderingForHtmlViews();
    if (library_.load())
        entry_ = reinterpret_cast<Entry>(library_.resolve(kEntryName));
    if (!entry_)
        throw AppError(QStringLiteral("Cannot load the HTML engine: %1").arg(library_.errorString()));
}

QString HtmlEngineModule::modulePath() const
{
    const QString name = QStringLiteral(TOVRELLE_ENGINE_MODULE);
    for (const QString& folder : folders_) {
        if (QFileInfo::exists(QDir(folder).filePath(name)))
            return QDir(folder).filePath(name);
    }
    return QDir(folders_.value(0)).filePath(name);
}
