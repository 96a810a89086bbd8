#pragma once

#include <memory>

#include <QLibrary>
#include <QStringList>

#include "HtmlEngine.h"
#include "Shell.h"

// The HTML engine lives in a module of its own, so that the program loads the
// engine's libraries, and pays for the OpenGL context they need, only when the
// first page must show. UI thread only.
class HtmlEngineModule {
public:
    // The module's one entry: a new engine for views that open what they
    // cannot show through the shell. The program prepares OpenGL before it
    // loads the module and tells whether the views render in software.
    using Entry = HtmlEngine* (*)(Shell& shell, bool softwareRendering);
    static constexpr const char* kEntryName = "tovrelle_start_html_engine";

    // Looks for the module in the folders in turn.
    HtmlEngineModule(QStringList folders, Shell& shell);

    // Where the program looks: beside itself, as in the build tree, then in
    // its own folder of the installed libraries.
    static QStringList foldersFor(const QString& executableDirectory);

    // A new engine; the first call loads the module. When the module cannot
    // be loaded, raises AppError once and gives no engine after that.
    std::unique_ptr<HtmlEngine> start();

private:
    void load();

    QStringList folders_;
    Shell& shell_;
    QLibrary library_;
    Entry entry_ = nullptr;
    bool softwareRendering_ = false;
    bool tried_ = false;
};
