#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowHarness.h"

namespace {

// The smallest GIF picture: one white pixel.
const QByteArray kPixelGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                           ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                           35);

// A lesson course whose Sponsors folder holds the list and a banner for
// every picture name the list could name.
TfrmMain& startWithSponsors(MainWindowHarness& harness, const QByteArray& list)
{
    harness.course.writeLessonCourse(true);
    harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"), list);
    for (const char* name : {"a.gif", "c.gif", "d.gif"})
        harness.course.writeFile(QStringLiteral("Sponsors/") + QString::fromLatin1(name), kPixelGif);
    return harness.start();
}

// The banner now shown, as the user sees it: the picture's name when the
// animated banner draws, the HTML banner's address otherwise.
QString shownBanner(MainWindowHarness& harness)
{
    TfrmMain& w = *harness.window;
    const bool gif = w.gifBanner->visibleFlag();
    EXPECT_NE(gif, w.adBrowser->isVisibleTo(&w)) << "exactly one banner shows";
    const QString shown = gif ? w.sponsorPictures.value(w.sponsorIndex) : harness.adBrowser().lastAddress();
    return shown.section(u'/', -1);
}

void tick(QTimer* timer)
{
    QMetaObject::invokeMethod(timer, "timeout");
}

struct ListCase {
    const char* name;
    QByteArray list;
    int count;
    QStringList pictures;
    QStringList urls;
};

class SponsorList : public testing::TestWithParam<ListCase> {};

TEST_P(SponsorList, KeepsOnlyCompleteEntriesUpToTheDeclaredCount)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, GetParam().list);
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(w.sponsorCount, GetParam().count);
    EXPECT_EQ(w.sponsorPictures, GetParam().pictures);
    EXPECT_EQ(w.sponsorUrls, GetParam().urls);
    EXPECT_EQ(w.sponsorIndex, 0) << "the first banner is the first entry kept, or none";
}

INSTANTIATE_TEST_SUITE_P(
    SpDat, SponsorList,
    testing::Values(
        ListCase{"GapInTheNumbers", "[Main]\nnum=3\nimg1=a.gif\nurl1=u1\nurl2=u2\nimg3=c.gif\nurl3=u3\n", 3,
                 {"a.gif", "c.gif"}, {"u1", "u3"}},
        ListCase{"CountBelowTheEntries", "[Main]\nnum=2\nimg1=a.gif\nurl1=u1\nimg2=b.htm\nurl2=u2\nimg3=c.gif\nurl3=u3\n",
                 2, {"a.gif", "b.htm"}, {"u1", "u2"}},
        ListCase{"CountAboveTheEntries", "[Main]\nnum=9\nimg1=a.gif\nurl1=u1\n", 9, {"a.gif"}, {"u1"}},
        ListCase{"MarkerWrittenOrEmptyValue",
                 "[Main]\nnum=3\nimg1=\xA7" "ERROR\xA7\nurl1=u1\nimg2=a.gif\nurl2=\nimg3=c.gif\nurl3=\xA7" "ERROR\xA7\n",
                 3, {"a.gif"}, {""}},
        ListCase{"OtherSectionsIgnored", "[Other]\nnum=1\nimg1=a.gif\nurl1=u1\n[Main]\nnum=1\n", 1, {}, {}},
        ListCase{"CountAtTheIntegerLimit",
                 "[Main]\nnum=2147483647\nimg1=a.gif\nurl1=u1\nIMG7=c.gif\nurl7=u7\nimg08=d.gif\nurl8=u8\n",
                 2147483647, {"a.gif", "c.gif"}, {"u1", "u7"}},
        ListCase{"NegativeCount", "[Main]\nnum=-1\nimg1=a.gif\nurl1=u1\n", -1, {}, {}},
        ListCase{"NoList", "", 0, {}, {}}),
    [](const testing::TestParamInfo<ListCase>& info) { return info.param.name; });

// The engine is readied ahead only for a page among the banners: by the
// rotation's own rule, a name without ".gif" in small letters.
TEST(SponsorBanner, RotationShowsPagesOnlyWithAnHtmlBanner)
{
    for (const auto& [list, pages] : std::vector<std::pair<QByteArray, bool>>{
             {"[Main]\nnum=2\nimg1=a.gif\nurl1=u1\nimg2=c.gif\nurl2=u2\n", false},
             {"[Main]\nnum=3\nimg1=a.gif\nurl1=u1\nimg2=c.gif\nurl2=u2\nimg3=b.htm\nurl3=u3\n", true},
             {"[Main]\nnum=1\nimg1=B.GIF\nurl1=u1\n", true},
             {"[Main]\nnum=1\nimg1=page.gif.htm\nurl1=u1\n", false},
             {"[Main]\nnum=1\nimg1=b.htm\nimg2=b.htm\nurl2=u2\n", false},
             {"", false}}) {
        MainWindowHarness harness;
        EXPECT_EQ(startWithSponsors(harness, list).rotationShowsPages(), pages) << list.toStdString();
    }
}

TEST(SponsorBanner, BadCountStopsStartUpWithNoSponsor)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, "[Main]\nnum=three\nimg1=a.gif\nurl1=u1\n");
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("'three' is not a valid integer value.")});
    EXPECT_TRUE(w.sponsorPictures.isEmpty());
    EXPECT_TRUE(w.screenMode.isEmpty()) << "the steps after the list did not run";
}

// Start-up shows the first entry; every caller then moves on by one, and the
// rotation wraps. Names with ".gif" in them go to the animated banner, any
// other (".GIF" in capitals included) to the HTML banner.
TEST(SponsorBanner, EveryCallerAdvancesTheRotationByOne)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, "[Main]\nnum=4\nimg1=a.gif\nurl1=u1\nimg2=B.GIF\nurl2=u2\n"
                                             "img3=page.gif.htm\nurl3=u3\nimg4=d.gif\nurl4=u4\n");
    std::vector<QString> shown{shownBanner(harness)};
    EXPECT_FALSE(w.gifBanner->Empty());
    for (const std::function<void()>& click : std::vector<std::function<void()>>{
             [&] { tick(w.Timer2); }, w.imgReHotspot->OnClick, w.imgTutSearch->OnClick,
             w.ImgSpHotspot->OnClick, w.imgReviewSearch->OnClick}) {
        click();
        shown.push_back(shownBanner(harness));
    }
    EXPECT_EQ(shown, (std::vector<QString>{"a.gif", "B.GIF", "page.gif.htm", "d.gif", "a.gif", "B.GIF"}));
    const QString capitals = harness.course.path(QStringLiteral("Sponsors/B.GIF"));
    EXPECT_EQ(harness.adBrowser().addresses, (QStringList{capitals, capitals}))
        << "page.gif.htm went to the animated banner";
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

// A click on the banner opens the shown sponsor's address; over an HTML
// banner only the 2-pixel strip it leaves uncovered reaches the animated one.
TEST(SponsorBanner, ClickOpensTheShownSponsorThroughTheUncoveredStrip)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, "[Main]\nnum=2\nimg1=a.gif\nurl1=http://one/\nimg2=b.htm\nurl2=http://two/\n");
    const QPoint middle = w.gifBanner->geometry().center();
    const QPoint strip(w.gifBanner->geometry().right(), middle.y());
    QTest::mouseClick(w.Panel2->childAt(middle), Qt::LeftButton);
    w.imgTrHotspot->OnClick();  // now the HTML banner
    EXPECT_NE(w.Panel2->childAt(middle), w.gifBanner);
    QWidget* stripControl = w.Panel2->childAt(strip);
    ASSERT_EQ(stripControl, w.gifBanner);
    QTest::mouseClick(stripControl, Qt::LeftButton, {}, stripControl->mapFrom(w.Panel2, strip));
    EXPECT_EQ(harness.shell.opened, (QStringList{"http://one/", "http://two/"}));
    EXPECT_EQ(harness.shell.owners, (QList<QWidget*>{&w, &w}));
}

TEST(SponsorBanner, WithoutSponsorsTheBannerShowsNothingAndClicksDoNothing)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, "[Main]\nnum=2\nimg1=a.gif\nimg2=b.htm\n");
    tick(w.Timer2);
    w.imgReHotspot->OnClick();
    w.gifBanner->OnClick(w.gifBanner);
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_TRUE(w.gifBanner->Empty());
    EXPECT_FALSE(w.adBrowser->isVisibleTo(&w)) << "the frame only, no empty page";
    EXPECT_TRUE(harness.adBrowser().addresses.isEmpty());
    EXPECT_TRUE(harness.shell.opened.isEmpty());
    EXPECT_TRUE(w.rePanel->isVisibleTo(&w)) << "the tab did its own work";
}

// The course folder's path may hold characters the system code page lacks;
// the HTML banner's path must reach the view whole all the same.
TEST(SponsorBanner, HtmlBannerPathKeepsCharactersOutsideTheCodePage)
{
    QTemporaryDir parent;
    const QString root = parent.filePath(QStringLiteral("\u041A\u0443\u0440\u0441"));
    QDir().mkpath(root);
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", root.toUtf8());
    MainWindowHarness harness;
    qputenv("TMPDIR", savedTemp);
    startWithSponsors(harness, "[Main]\nnum=1\nimg1=b.htm\nurl1=u1\n");
    ASSERT_TRUE(harness.course.dir().startsWith(root));
    EXPECT_EQ(harness.adBrowser().addresses, QStringList{harness.course.path(QStringLiteral("Sponsors/b.htm"))});
}

TEST(SponsorsPage, ShowAllReturnsToTheIndexAndMenusFollowTheirViews)
{
    MainWindowHarness harness;
    TfrmMain& w = startWithSponsors(harness, "");
    w.imgShowall->OnClick();
    const QString index = harness.course.path(QStringLiteral("Sponsors/index.htm"));
    EXPECT_EQ(harness.spBrowser().addresses, (QStringList{index, index}));
    EXPECT_FALSE(harness.adBrowser().simulateContextMenu());
    EXPECT_FALSE(harness.frelBrowser().simulateContextMenu());
    EXPECT_TRUE(harness.spBrowser().simulateContextMenu()) << "the sponsors page keeps the view's own menu";
}

}  // namespace
