#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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

// Lets the engine work until the condition holds or the time is up.
template <class Condition>
void waitFor(Condition done, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

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
    QtHtmlEngine engine(shell, dir.path());
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
    // The course folder's page comes under the course's own address.
    EXPECT_EQ(engine.webView()->url(), QUrl("tovrelle://course/page.htm"));
    EXPECT_THROW(engine.navigate(QDir::tempPath() + "/elsewhere.htm"), AppError);

    // A hostile page: windows in a loop, links to other programs' kinds of
    // address and a download, all by script. Nothing reaches the shell.
    engine.webView()->page()->runJavaScript(QStringLiteral(R"(
        for (let i = 0; i < 5; ++i) window.open('https://example.org/popup' + i);
        for (const address of ['smb://server/share', 'file:///etc/passwd', 'steam://run/1']) {
            const link = document.createElement('a');
            link.href = address;
            link.target = '_blank';
            document.body.appendChild(link);
            link.click();
        }
        const download = document.createElement('a');
        download.href = 'data:application/zip,PK';
        download.download = 'more.zip';
        document.body.appendChild(download);
        download.click();
        document.body.innerHTML = "<a target='_blank' href='https://example.org/clicked'"
            + " style='position:absolute;left:0;top:0;width:300px;height:200px'>More</a>";
    )"));
    waitFor([] { return false; }, 2000);
    EXPECT_TRUE(shell.opened.isEmpty()) << shell.opened.join(' ').toStdString();

    // The learner's click on a link meant for a new window reaches the browser
    // once; the pointer comes over the link first, as a hand does.
    QWidget* input = engine.webView()->focusProxy();
    ASSERT_NE(input, nullptr);
    QTest::mouseMove(input, QPoint(100, 100));
    waitFor([] { return false; }, 500);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(100, 100));
    waitFor([&] { return !shell.opened.isEmpty(); }, 20000);
    waitFor([] { return false; }, 500);
    EXPECT_EQ(shell.opened, QStringList{"https://example.org/clicked"});

    // A clicked link to another program's kind of address leaves the view for the shell.
    engine.webView()->page()->runJavaScript(QStringLiteral(
        "document.body.innerHTML = \"<a href='mailto:sales@example.org'"
        " style='position:absolute;left:0;top:0;width:300px;height:200px'>Mail</a>\";"));
    QTest::mouseMove(input, QPoint(101, 101));
    waitFor([] { return false; }, 500);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(101, 101));
    waitFor([&] { return shell.opened.size() > 1; }, 5000);
    EXPECT_EQ(shell.opened, (QStringList{"https://example.org/clicked", "mailto:sales@example.org"}));

    // Enter on the link the keyboard is on follows it, away from the pointer.
    engine.webView()->page()->runJavaScript(QStringLiteral(
        "document.body.innerHTML = \"<a id='key' href='mailto:keys@example.org'>Keys</a>\";"));
    waitFor([] { return false; }, 500);
    QTest::keyClick(input, Qt::Key_Tab);
    waitFor([] { return false; }, 500);
    QTest::keyClick(input, Qt::Key_Return);
    waitFor([&] { return shell.opened.size() > 2; }, 5000);
    EXPECT_EQ(shell.opened.value(2), "mailto:keys@example.org");
}

}  // namespace
