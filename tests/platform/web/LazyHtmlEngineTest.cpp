#include <gtest/gtest.h>

#include "AppError.h"
#include "FakeHtmlEngine.h"
#include "FakeShell.h"
#include "HtmlEngineModule.h"
#include "LazyHtmlEngine.h"
#include "TestApplication.h"

namespace {

class LazyHtmlEngineTest : public ::testing::Test {
protected:
    LazyHtmlEngineTest()
        : lazy([this] {
              ++starts;
              return std::make_unique<FakeHtmlEngine>();
          })
    {
        lazy.applySettings(HtmlSettings{false, true, false, false});
        lazy.setContextMenuHandler([](const QPoint&) { return true; });
        window.resize(200, 100);
        lazy.view()->setParent(&window);
    }
    ~LazyHtmlEngineTest() override { lazy.view()->setParent(nullptr); }

    FakeHtmlEngine& started() const { return *static_cast<FakeHtmlEngine*>(lazy.startedEngine()); }

    QApplication& app = testApplication();  // before any widget
    int starts = 0;
    QWidget window;
    LazyHtmlEngine lazy;
};

// Until the view shows, the engine stays off and the view keeps the last
// address; showing starts it once, with the settings and the menu handler.
TEST_F(LazyHtmlEngineTest, StartsWhenTheViewFirstShowsWithAnAddress)
{
    window.show();
    EXPECT_EQ(starts, 0) << "a view with nothing to show starts nothing";
    window.hide();
    lazy.navigate(QStringLiteral("/course/Media/frel_mabr.htm"));
    lazy.navigate(QStringLiteral("http://search.example.com/?q=a b"));
    EXPECT_THROW(lazy.navigate(QString()), AppError) << "a bad address raises before the engine runs";
    EXPECT_EQ(starts, 0);

    window.show();
    ASSERT_EQ(starts, 1);
    EXPECT_EQ(started().addresses, QStringList{"http://search.example.com/?q=a b"});
    EXPECT_FALSE(started().settings.scrollBars);
    EXPECT_FALSE(started().settings.playVideos);
    EXPECT_FALSE(started().simulateContextMenu()) << "the host's handler reached the engine";
    EXPECT_EQ(started().view()->parentWidget(), lazy.view());

    window.hide();
    lazy.navigate(QStringLiteral("about:blank"));
    window.show();
    EXPECT_EQ(starts, 1) << "once started, the engine stays";
    EXPECT_EQ(started().lastAddress(), "about:blank");
}

TEST_F(LazyHtmlEngineTest, PreparingStartsTheEngineWhileHidden)
{
    lazy.navigate(QStringLiteral("/course/Sponsors/index.htm"));
    lazy.prepare();
    lazy.prepare();
    ASSERT_EQ(starts, 1);
    EXPECT_EQ(started().addresses, QStringList{"/course/Sponsors/index.htm"});
}

// A missing engine module is told once, with the reason; the views that
// needed it stay blank and ask no more.
TEST(HtmlEngineModule, MissingModuleIsToldOnceAndLeavesTheViewsBlank)
{
    testApplication();
    FakeShell shell;
    HtmlEngineModule module({QStringLiteral("/nonexistent")}, shell, QStringLiteral("/course"));
    LazyHtmlEngine first([&] { return module.start(); });
    LazyHtmlEngine second([&] { return module.start(); });
    first.navigate(QStringLiteral("/course/Sponsors/index.htm"));
    try {
        first.prepare();
        FAIL() << "no error for a missing module";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.text().startsWith("Cannot load the HTML engine: ")) << error.text().toStdString();
        EXPECT_TRUE(error.text().contains("/nonexistent/tovrelle-webengine.so")) << error.text().toStdString();
    }
    EXPECT_NO_THROW(first.prepare());
    EXPECT_NO_THROW(second.prepare());
    EXPECT_EQ(first.startedEngine(), nullptr);
    EXPECT_EQ(second.startedEngine(), nullptr);
}

}  // namespace

namespace {

// Loading ahead on the worker tells nothing; the start that follows waits for
// it and tells a missing module once, as without it.
TEST(HtmlEngineModule, PreloadOfAMissingModuleIsSilentAndTheStartTellsIt)
{
    testApplication();
    FakeShell shell;
    HtmlEngineModule module({QStringLiteral("/nonexistent")}, shell, QStringLiteral("/course"));
    module.preload();
    module.preload();
    EXPECT_THROW(module.start(), AppError);
    EXPECT_EQ(module.start(), nullptr);
    module.preload();
}

}  // namespace
