#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEnterEvent>

#include "MainWindowHarness.h"

namespace {

// Each tab strip picture has its own width, so the picture shown tells the tab.
TfrmMain& startWithTabPictures(MainWindowHarness& harness)
{
    harness.course.writeLessonCourse(true);
    harness.course.writeJpeg(QStringLiteral("Media/menubar_training.jpg"), 10, 2);
    harness.course.writeJpeg(QStringLiteral("Media/menubar_resources.jpg"), 20, 2);
    harness.course.writeJpeg(QStringLiteral("Media/menubar_sponsors.jpg"), 30, 2);
    return harness.start();
}

// Visibility of the video panel and the training, resources and sponsors panels.
QString sectionsShown(const TfrmMain& w)
{
    QString shown;
    for (const QWidget* panel : {static_cast<const QWidget*>(w.aVidPanel), static_cast<const QWidget*>(w.trPanel),
                                 static_cast<const QWidget*>(w.rePanel), static_cast<const QWidget*>(w.spPanel)})
        shown += panel->isVisibleTo(&w) ? u'V' : u'-';
    return shown;
}

// Every click, also on the tab already shown, pauses a playing video once,
// switches the panels and loads that tab's strip picture; nothing else moves.
TEST(SectionTabs, EachHotspotShowsItsSectionAndPausesTheVideo)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithTabPictures(harness);
    harness.video->positionValue = 12.5;
    struct Step {
        TImage* hotspot;
        const char* shown;
        int tabWidth;
    };
    for (const Step& step : {Step{w.imgReHotspot, "--V-", 20}, Step{w.ImgSpHotspot, "---V", 30},
                             Step{w.ImgSpHotspot, "---V", 30}, Step{w.imgTrHotspot, "VV--", 10}}) {
        step.hotspot->OnClick();
        EXPECT_EQ(sectionsShown(w), QString::fromLatin1(step.shown)) << step.hotspot->objectName().toStdString();
        EXPECT_EQ(w.imgTabset->picture().width(), step.tabWidth);
    }
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(harness.video->count(QStringLiteral("pause")), 1) << "only a playing video is paused";
    EXPECT_EQ(harness.video->count(QStringLiteral("play")), 0) << "coming back does not resume it";
    EXPECT_EQ(harness.video->positionValue, 12.5);
    EXPECT_EQ(w.screenMode, QStringLiteral("normal"));
    EXPECT_EQ(w.outerSize(), QSize(1020, 730));
    EXPECT_EQ(harness.frelBrowser().addresses.size(), 1) << "the views keep their pages";
}

TEST(SectionTabs, MissingTabPictureIsReportedAfterTheSwitch)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithTabPictures(harness);
    w.imgReHotspot->OnClick();
    harness.course.remove(QStringLiteral("Media/menubar_sponsors.jpg"));
    w.ImgSpHotspot->OnClick();
    EXPECT_EQ(harness.errors,
              QStringList{QStringLiteral("Cannot open file ") + harness.course.path(QStringLiteral("Media/menubar_sponsors.jpg")) + u'.'});
    EXPECT_EQ(sectionsShown(w), QStringLiteral("---V"));
    EXPECT_EQ(w.imgTabset->picture().width(), 20) << "the strip keeps its former picture";
}

// The pointer resting on a tab gets the engine of that section's page ready.
TEST(SectionTabs, PointerRestingOnATabPreparesItsSectionsPage)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithTabPictures(harness);
    struct Step {
        TImage* hotspot;
        QList<int> prepared;  // results view, sponsors page, banner
    };
    for (const Step& step : {Step{w.imgTrHotspot, {0, 0, 0}}, Step{w.imgReHotspot, {1, 0, 0}},
                             Step{w.ImgSpHotspot, {1, 1, 0}}}) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(step.hotspot, &enter);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ((QList<int>{harness.frelBrowser().prepared, harness.spBrowser().prepared, harness.adBrowser().prepared}),
                  step.prepared) << step.hotspot->objectName().toStdString();
    }
}

}  // namespace
