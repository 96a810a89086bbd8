#include <gtest/gtest.h>

#include <QLayout>
#include <QTimer>

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
    QTimer& unseen() const { return *lazy.findChild<QTimer*>(); }
    // The minute out of sight runs out.
    void minutePasses() const { QMetaObject::invokeMethod(&unseen(), "timeout"); }

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
    EXPECT_TRUE(unseen().isActive()) << "an engine prepared for a page never shown is given back too";
    EXPECT_EQ(unseen().interval(), 60000);
}

// Out of sight for a minute, the engine goes; the view keeps what it showed,
// wherever links had led, with its settings and menu handler, and shows the
// same again with a new engine. Sight within the minute keeps the engine.
TEST_F(LazyHtmlEngineTest, ReleasedAfterAMinuteUnseenAndStartedAgainAsItWas)
{
    lazy.navigate(QStringLiteral("/course/Media/frel_mabr.htm"));
    window.show();
    ASSERT_EQ(starts, 1);
    started().shown = QStringLiteral("http://search.example.com/results?q=rig");
    EXPECT_FALSE(unseen().isActive()) << "no release while the page is seen";

    window.hide();
    EXPECT_TRUE(unseen().isActive());
    window.show();
    EXPECT_FALSE(unseen().isActive()) << "seen again within the minute";
    minutePasses();
    ASSERT_NE(lazy.startedEngine(), nullptr) << "a page on screen is never released";

    window.hide();
    lazy.applySettings(HtmlSettings{true, false, true, true});
    minutePasses();
    EXPECT_EQ(lazy.startedEngine(), nullptr);
    EXPECT_EQ(lazy.currentAddress(), "http://search.example.com/results?q=rig");
    EXPECT_TRUE(lazy.view()->layout()->isEmpty()) << "the engine's view went with it";

    window.show();
    ASSERT_EQ(starts, 2);
    EXPECT_EQ(started().addresses, QStringList{"http://search.example.com/results?q=rig"});
    EXPECT_TRUE(started().settings.scrollBars);
    EXPECT_FALSE(started().settings.loadImages);
    EXPECT_FALSE(started().simulateContextMenu()) << "the host's handler came back";
    EXPECT_EQ(lazy.view()->focusProxy(), started().view());

    // Told a new page while released and hidden: it waits for the view.
    window.hide();
    minutePasses();
    lazy.navigate(QStringLiteral("/course/Sponsors/lumen.htm"));
    EXPECT_EQ(starts, 2);
    window.show();
    ASSERT_EQ(starts, 3);
    EXPECT_EQ(started().addresses, QStringList{"/course/Sponsors/lumen.htm"});
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
