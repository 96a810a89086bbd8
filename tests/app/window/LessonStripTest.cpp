#include <gtest/gtest.h>

#include <limits>

#include <QTest>

#include "LessonRows.h"
#include "MainWindowHarness.h"

namespace {

// The rows tested one after the other, the way a person reads them.
std::int32_t lessonByWalkingTheRows(const LessonRows& rows, std::int64_t y)
{
    for (std::int64_t n = 1; n <= rows.count; ++n) {
        const std::int64_t top = rows.offset + (n - 1) * (std::int64_t(rows.gap) + rows.height);
        if (top <= y && y <= top + rows.height)
            return std::int32_t(n);
    }
    return 0;
}

TEST(LessonRows, FindsTheSameLessonAsWalkingEveryRow)
{
    const LessonRows layouts[] = {
        {5, 16, 84, 40},    // the demo course
        {3, 0, 10, 0},      // rows share their boundary line: the upper row owns it
        {4, -5, 10, 3},     // overlapping rows: the lower-numbered lesson wins
        {4, -10, 10, 50},   // every row on the same lines
        {4, -15, 10, 50},   // rows climbing the strip
        {3, 5, 0, 2},       // rows one line high
        {3, 16, -1, 40},    // no height: nothing can be hit
        {0, 16, 84, 40},    // single-video mode
        {-1, 16, 84, 40},
    };
    for (const LessonRows& rows : layouts)
        for (int y = -60; y <= 600; ++y)
            ASSERT_EQ(rows.lessonAt(y), lessonByWalkingTheRows(rows, y))
                << "y " << y << " in rows " << rows.count << '/' << rows.gap << '/' << rows.height << '/' << rows.offset;
}

TEST(LessonRows, HugeCoursesAreAnsweredWithoutWalkingThemOrWrappingAround)
{
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ((LessonRows{most, 0, 1, least}.lessonAt(0)), 0) << "every row lies far above";
    EXPECT_EQ((LessonRows{most, -1, 2, least}.lessonAt(100)), 0);
    EXPECT_EQ((LessonRows{most, 1, 0, least}.lessonAt(0)), 0) << "the row at 0 would be past the last lesson";
    EXPECT_EQ((LessonRows{most, 0, 1, -most}.lessonAt(0)), most) << "the last lesson ends on line 0";
    EXPECT_EQ((LessonRows{most, most, most, most}.lessonAt(most)), 1);
    EXPECT_EQ((LessonRows{most, least, 0, most}.lessonAt(-1)), 2) << "the second row climbs to line -1";
}

TEST(LessonRows, FileNamesAndHighlightPlaces)
{
    EXPECT_EQ(lessonFileName(1), QStringLiteral("vid_01.avi"));
    EXPECT_EQ(lessonFileName(9), QStringLiteral("vid_09.avi"));
    EXPECT_EQ(lessonFileName(10), QStringLiteral("vid_10.avi"));
    EXPECT_EQ(lessonFileName(100), QStringLiteral("vid_100.avi"));
    const LessonRows demo{5, 16, 84, 40};
    EXPECT_EQ(demo.highlightTop(1, -43), 97);
    EXPECT_EQ(demo.highlightTop(3, -43), 297);
    EXPECT_EQ((LessonRows{3, -1, -1, -1}.highlightTop(1, -1)), -4) << "missing keys read as -1";
}

class LessonStrip : public ::testing::Test {
protected:
    // The demo geometry: lesson n's row spans lines 40 + 100 (n - 1) to 124 + 100 (n - 1).
    TfrmMain& start()
    {
        harness.course.writeLessonCourse(true);
        TfrmMain& w = harness.start();
        w.show();
        harness.video->calls.clear();
        return w;
    }

    void clickAt(int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(harness.window->Image15, button, Qt::NoModifier, QPoint(200, y));
    }

    QString lessonVideo(int lesson) const
    {
        return harness.course.path(QStringLiteral("Media/") + lessonFileName(lesson));
    }

    MainWindowHarness harness;
};

TEST_F(LessonStrip, ClickingARowLoadsHighlightsAndPlaysThatLesson)
{
    TfrmMain& w = start();
    clickAt(240, Qt::RightButton);  // the first line of row 3; any button counts
    EXPECT_EQ(w.currentLesson, QStringLiteral("3"));
    EXPECT_TRUE(w.imgHighlite->visibleFlag());
    EXPECT_EQ(w.imgHighlite->y(), 297);
    EXPECT_EQ(harness.video->calls, (QStringList{"open " + lessonVideo(3), "play"}));
    EXPECT_EQ(w.ActiveMovie1->FileName(), lessonVideo(3));

    clickAt(80);  // the middle of row 1, under the highlight that still lies there
    EXPECT_EQ(w.currentLesson, QStringLiteral("1"));
    clickAt(124);  // the last line of row 1
    EXPECT_EQ(w.currentLesson, QStringLiteral("1"));
    EXPECT_EQ(w.imgHighlite->y(), 97);

    harness.video->calls.clear();
    clickAt(60);  // the loaded lesson again: opened and played from its start once more
    EXPECT_EQ(harness.video->calls, (QStringList{"open " + lessonVideo(1), "play"}));
    EXPECT_TRUE(harness.errors.isEmpty());
}

TEST_F(LessonStrip, GapsRowsBelowTheLessonsAndMissingFilesChangeNothing)
{
    TfrmMain& w = start();
    harness.course.remove(QStringLiteral("Media/vid_02.avi"));
    for (int y : {39, 130, 160, 330, 400})  // above row 1, a gap, row 2 without its file, a gap, row 4 of 3
        clickAt(y);
    EXPECT_EQ(w.currentLesson, QStringLiteral("0"));
    EXPECT_FALSE(w.imgHighlite->visibleFlag());
    EXPECT_TRUE(harness.video->calls.isEmpty());
    EXPECT_TRUE(harness.errors.isEmpty());
}

// Lines 61 to 103 lie under the hidden highlight, which lets the pointer through.
TEST_F(LessonStrip, ThePointerIsAHandOverRowsOnly)
{
    TfrmMain& w = start();
    for (auto [y, shape] : {std::pair{80, Qt::PointingHandCursor}, {130, Qt::ArrowCursor}, {140, Qt::PointingHandCursor},
                            {330, Qt::ArrowCursor}}) {
        QTest::mouseMove(w.Image15, QPoint(5, y));
        EXPECT_EQ(w.Image15->cursor().shape(), shape) << "y " << y;
    }
}

TEST_F(LessonStrip, SingleVideoModeLeavesTheStripAlone)
{
    harness.course.writeSkin();
    harness.course.writeFile(QStringLiteral("Media/vid_01.avi"), "avi");
    TfrmMain& w = harness.start();
    harness.video->calls.clear();
    w.Image15->setCursor(Qt::IBeamCursor);
    w.Image15MouseMove(Qt::NoModifier, 5, 0);
    w.Image15MouseUp(Qt::LeftButton, Qt::NoModifier, 5, 0);
    EXPECT_EQ(w.Image15->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(w.currentLesson, QStringLiteral("1"));
    EXPECT_TRUE(harness.video->calls.isEmpty());
}

}  // namespace
