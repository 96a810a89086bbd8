#include <gtest/gtest.h>

#include <QTest>

#include "MainWindowHarness.h"

namespace {

// What the window did: banners shown, result pages and sponsor pages opened,
// videos started.
QString doneBy(MainWindowHarness& harness)
{
    return QStringLiteral("banner %1, results %2, sponsors %3, plays %4")
        .arg(harness.adBrowser().addresses.size())
        .arg(harness.frelBrowser().addresses.size())
        .arg(harness.spBrowser().addresses.size())
        .arg(harness.video->count(QStringLiteral("play")));
}

// A double-click on a picture, as the window system delivers it to the window.
void doubleClick(TImage* picture, QPoint at)
{
    QWidget* window = picture->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, picture->mapTo(window, at));
}

// A double-click is one click followed by a double-click event: the click's
// handler runs once, while the lesson strip hears both releases.
TEST(PictureClicks, ADoubleClickClicksOnceAndReleasesTwice)
{
    struct Case {
        TImage* TfrmMain::*picture;
        TImage* TfrmMain::*tab;  // the section's tab, clicked first
        QPoint at;
        const char* done;
    };
    const Case cases[] = {
        {&TfrmMain::imgTrHotspot, nullptr, {5, 5}, "banner 1, results 0, sponsors 0, plays 0"},
        {&TfrmMain::imgReHotspot, nullptr, {5, 5}, "banner 1, results 0, sponsors 0, plays 0"},
        {&TfrmMain::ImgSpHotspot, nullptr, {5, 5}, "banner 1, results 0, sponsors 0, plays 0"},
        {&TfrmMain::imgTutSearch, &TfrmMain::imgReHotspot, {5, 5}, "banner 1, results 1, sponsors 0, plays 0"},
        {&TfrmMain::imgScriptSearch, &TfrmMain::imgReHotspot, {5, 5}, "banner 1, results 1, sponsors 0, plays 0"},
        {&TfrmMain::imgJobSearch, &TfrmMain::imgReHotspot, {5, 5}, "banner 1, results 1, sponsors 0, plays 0"},
        {&TfrmMain::imgReviewSearch, &TfrmMain::imgReHotspot, {5, 5}, "banner 1, results 1, sponsors 0, plays 0"},
        {&TfrmMain::imgShowall, &TfrmMain::ImgSpHotspot, {5, 5}, "banner 0, results 0, sponsors 1, plays 0"},
        {&TfrmMain::Image15, nullptr, {100, 50}, "banner 2, results 0, sponsors 0, plays 2"},
    };
    for (const Case& c : cases) {
        MainWindowHarness harness;
        harness.course.writeLessonCourse(true);
        harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"), "[Main]\nnum=1\nimg1=b.htm\nurl1=u1\n");
        TfrmMain& w = harness.start();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        if (c.tab)
            (w.*c.tab)->OnClick();
        TImage* picture = w.*c.picture;
        harness.adBrowser().addresses.clear();
        harness.frelBrowser().addresses.clear();
        harness.spBrowser().addresses.clear();
        harness.video->calls.clear();
        doubleClick(picture, c.at);
        EXPECT_EQ(doneBy(harness), QString::fromLatin1(c.done)) << picture->objectName().toStdString();
        EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    }
}

}  // namespace
