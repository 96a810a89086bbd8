// The entry of the HTML engine's module, which the program loads when the
// first page must show.
#include <type_traits>

#include "EngineFootprint.h"
#include "HtmlEngineModule.h"
#include "QtHtmlEngine.h"

extern "C" Q_DECL_EXPORT HtmlEngine* tovrelle_start_html_engine(Shell& shell, const QString& courseFolder,
                                                                bool softwareRendering)
{
    static const bool prepared = (QtHtmlEngine::prepareWebEngine(softwareRendering), keepEngineSmall(), true);
    Q_UNUSED(prepared);
    return new QtHtmlEngine(shell, courseFolder);
}

static_assert(std::is_same_v<decltype(&tovrelle_start_html_engine), HtmlEngineModule::Entry>,
              "the program calls the entry through HtmlEngineModule::Entry");
