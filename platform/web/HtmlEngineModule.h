#pragma once

#include <future>
#include <memory>

#include <QLibrary>
#include <QStringList>

#include "HtmlEngine.h"
#include "Shell.h"

// The HTML engine lives in a module of its own, so that the program loads the
// engine's libraries, and pays for the OpenGL context they may need, only when
// the first page must show, or ahead of that on a worker thread while the
// program is idle. UI thread only; the worker is the module's own.
class HtmlEngineModule {
public:
    // The module's one entry: a new engine for views that show the course
    // folder's files and open what they cannot show through the shell. The
    // program prepares OpenGL before it loads the module and tells whether
    // the views render in software.
    using Entry = HtmlEngine* (*)(Shell& shell, const QString& courseFolder, bool softwareRendering);
    static constexpr const char* kEntryName = "tovrelle_start_html_engine";

    // Looks for the module in the folders in turn.
    HtmlEngineModule(QStringList folders, Shell& shell, QString courseFolder);

    // Where the program looks: beside itself, as in the build tree, then in
    // its own folder of the installed libraries.
    static QStringList foldersFor(const QString& executableDirectory);

    // Loads the module's libraries, and with a graphics processor OpenGL's
    // driver, on a worker thread,
    // so that the engine's first start holds up the UI thread, and the lesson
    // picture drawn there, for less. Call while the program is idle; a start
    // that comes before the worker is done waits for it. The engine itself
    // starts only with start().
    void preload();

    // A new engine; the first call loads the module. When the module cannot
    // be loaded, raises AppError once and gives no engine after that.
    std::unique_ptr<HtmlEngine> start();

private:
    void load();
    QString modulePath() const;

    QStringList folders_;
    Shell& shell_;
    QString courseFolder_;
    QLibrary library_;
    Entry entry_ = nullptr;
    bool softwareRendering_ = false;
    bool tried_ = false;
    std::future<void> preloading_;
};
