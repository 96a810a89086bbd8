#include <memory>

#include <gtest/gtest.h>

#include "AppError.h"
#include "EmbeddedWB.h"
#include "ErrorReporting.h"
#include "FakeHtmlEngine.h"
#include "TestApplication.h"

namespace {

class RecordingErrorBox : public ErrorBox {
public:
    void showError(const QString&, const QString& text) override { shown << text; }
    QStringList shown;
};

class EmbeddedWBTest : public ::testing::Test {
protected:
    EmbeddedWBTest()
    {
        auto fake = std::make_unique<FakeHtmlEngine>();
        engine = fake.get();
        view = std::make_unique<TEmbeddedWB>(nullptr, std::move(fake));
    }

    QApplication& app = testApplication();
    FakeHtmlEngine* engine;
    std::unique_ptr<TEmbeddedWB> view;
};

TEST_F(EmbeddedWBTest, BothNavigateFormsReachTheEngine)
{
    view->Navigate(QString("/course/Media/frel_mabr.htm"));
    EXPECT_EQ(engine->urls.last(), QUrl::fromLocalFile("/course/Media/frel_mabr.htm"));
    // 8-bit addresses are in the system code page, Windows-1252.
    view->Navigate(QByteArray("http://search.example.com/?q=caf\xE9 \x80"));
    EXPECT_EQ(engine->lastAddress(), QString::fromUtf8("http://search.example.com/?q=café €"));
}

TEST_F(EmbeddedWBTest, NavigationThatCannotStartRaises)
{
    EXPECT_THROW(view->Navigate(QString()), AppError);
    EXPECT_THROW(view->Navigate(QByteArray()), AppError);
    engine->navigateFailure = "engine refused";
    try {
        view->Navigate(QString("http://example.com/"));
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), "engine refused");
    }
    EXPECT_TRUE(engine->addresses.isEmpty());
}

TEST_F(EmbeddedWBTest, OptionsOfTheThreeViewsMapOntoTheEngine)
{
    const TEmbeddedWB::TDownloadOptions download = {TEmbeddedWB::DLCTL_DLIMAGES, TEmbeddedWB::DLCTL_VIDEOS,
                                                    TEmbeddedWB::DLCTL_BGSOUNDS};
    const TEmbeddedWB::TUserInterfaceOptions frel = {TEmbeddedWB::DISABLE_HELP_MENU, TEmbeddedWB::NO3DBORDER};
    EXPECT_EQ(download.toInt(), 0x70);
    EXPECT_EQ(frel.toInt(), 0x6);
    EXPECT_EQ((frel | TEmbeddedWB::SCROLL_NO).toInt(), 0xE);

    view->setDownloadOptions(download);
    view->setUserInterfaceOptions(frel);
    EXPECT_TRUE(engine->settings.scrollBars);
    EXPECT_TRUE(engine->settings.loadImages);
    EXPECT_TRUE(engine->settings.playVideos && engine->settings.playBackgroundSounds);
    EXPECT_EQ(view->frameWidth(), 0) << "NO3DBORDER: no border";

    view->setUserInterfaceOptions(frel | TEmbeddedWB::SCROLL_NO);
    EXPECT_FALSE(engine->settings.scrollBars);

    view->setDownloadOptions(TEmbeddedWB::DLCTL_VIDEOS);
    view->setUserInterfaceOptions({});
    EXPECT_FALSE(engine->settings.loadImages);
    EXPECT_FALSE(engine->settings.playBackgroundSounds);
    EXPECT_GT(view->frameWidth(), 0) << "without NO3DBORDER the view has its sunken border";
}

TEST_F(EmbeddedWBTest, ContextMenuShowsOnlyWhenNoHandlerTookIt)
{
    EXPECT_TRUE(engine->simulateContextMenu()) << "without a handler the engine's menu shows";

    QPoint asked;
    view->OnShowContextMenu = [&](const QPoint& at) {
        asked = at;
        return TEmbeddedWB::Handled;
    };
    EXPECT_FALSE(engine->simulateContextMenu(QPoint(40, 50)));
    EXPECT_EQ(asked, QPoint(40, 50));

    view->OnShowContextMenu = [](const QPoint&) { return TEmbeddedWB::Default; };
    EXPECT_TRUE(engine->simulateContextMenu());
}

TEST_F(EmbeddedWBTest, FailingContextMenuHandlerIsReportedAndShowsNoMenu)
{
    RecordingErrorBox box;
    ErrorReporting::install(&box, "Tovrelle");
    view->OnShowContextMenu = [](const QPoint&) -> int { throw AppError("menu handler failed"); };
    EXPECT_FALSE(engine->simulateContextMenu());
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(box.shown, QStringList({"menu handler failed."}));
}

}  // namespace
