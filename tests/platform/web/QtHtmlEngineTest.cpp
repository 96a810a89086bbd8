#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include "AppError.h"
#include "FakeShell.h"
#include "QtHtmlEngine.h"
#include "SoftwareRendering.h"
#include "TestApplication.h"

// Chromium inside WebEngine frees some of its objects with a size that differs
// from the one it allocated; under AddressSanitizer that report is about the
// engine, not about us, so this test program does not ask for it.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}

namespace {

// One small check of the real engine: it loads a local page by its native
// path and takes the host's settings. WebEngine needs a GPU-less Chromium that
// starts headless; where it cannot, the test says so and skips.
TEST(QtHtmlEngine, LoadsALocalPageWithTheHostSettings)
{
    testApplication();
    QtHtmlEngine::prepareWebEngine(prepareOpenGlForHtmlViews());
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body style='height:3000px'>Hello</body></html>");
    file.close();

    FakeShell shell;
    QtHtmlEngine engine(shell);
    engine.applySettings(HtmlSettings{false, true, true, true});
    QWebEngineSettings* settings = engine.webView()->settings();
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::ShowScrollBars));
    EXPECT_TRUE(settings->testAttribute(QWebEngineSettings::AutoLoadImages));
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::PlaybackRequiresUserGesture));
    EXPECT_THROW(engine.navigate(""), AppError);

    bool finished = false;
    bool ok = false;
    QObject::connect(engine.webView(), &QWebEngineView::loadFinished, [&](bool result) {
        finished = true;
        ok = result;
    });
    engine.view()->resize(300, 200);
    engine.view()->show();
    engine.navigate(page);
    QElapsedTimer waited;
    waited.start();
    while (!finished && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!finished)
        GTEST_SKIP() << "WebEngine did not finish loading a local page within 60 s here";
    EXPECT_TRUE(ok);
    EXPECT_EQ(engine.webView()->url(), QUrl::fromLocalFile(page));

    // A window the page opens goes to the desktop's browser instead.
    engine.webView()->page()->runJavaScript(QStringLiteral("window.open('https://example.org/new')"));
    waited.restart();
    while (shell.opened.isEmpty() && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(shell.opened, QStringList{"https://example.org/new"});
}

}  // namespace
