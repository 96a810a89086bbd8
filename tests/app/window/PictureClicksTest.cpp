#include <gtest/gtest.h>

#include <QTest>

#include "MainWindowHarness.h"

namespace {

// A double-click, as the window system delivers it, is one click followed by a
// double-click event: the click's handler runs once, while the lesson strip
// hears both releases and loads the lesson twice.
TEST(PictureClicks, ADoubleClickClicksOnceAndReleasesTwice)
{
    struct Case {
        TImage* TfrmMain::*picture;
        TImage* TfrmMain::*tab;  // the section's tab, clicked first
        int banners, results, sponsorPages, plays;
    };
    const Case cases[] = {
        {&TfrmMain::imgTrHotspot, nullptr, 1, 0, 0, 0},
        {&TfrmMain::imgReHotspot, nullptr, 1, 0, 0, 0},
        {&TfrmMain::ImgSpHotspot, nullptr, 1, 0, 0, 0},
        {&TfrmMain::imgTutSearch, &TfrmMain::imgReHotspot, 1, 1, 0, 0},
        {&TfrmMain::imgScriptSearch, &TfrmMain::imgReHotspot, 1, 1, 0, 0},
        {&TfrmMain::imgJobSearch, &TfrmMain::imgReHotspot, 1, 1, 0, 0},
        {&TfrmMain::imgReviewSearch, &TfrmMain::imgReHotspot, 1, 1, 0, 0},
        {&TfrmMain::imgShowall, &TfrmMain::ImgSpHotspot, 0, 0, 1, 0},
        {&TfrmMain::Image15, nullptr, 2, 0, 0, 2},  // its centre lies in lesson 3's row
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
        for (FakeHtmlEngine* view : {&harness.adBrowser(), &harness.frelBrowser(), &harness.spBrowser()})
            view->addresses.clear();
        harness.video->calls.clear();
        TImage* picture = w.*c.picture;
        QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, picture->mapTo(&w, picture->rect().center()));
        SCOPED_TRACE(picture->objectName().toStdString());
        EXPECT_EQ(harness.adBrowser().addresses.size(), c.banners);
        EXPECT_EQ(harness.frelBrowser().addresses.size(), c.results);
        EXPECT_EQ(harness.spBrowser().addresses.size(), c.sponsorPages);
        EXPECT_EQ(harness.video->count(QStringLiteral("play")), c.plays);
    }
}

}  // namespace
