#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowHarness.h"
#include "progress/CourseIdentity.h"
#include "progress/LessonProgress.h"
#include "progress/ProgressFile.h"
#include "progress/ProgressOffer.h"

namespace {

struct OfferCase {
    const char* name;
    bool lessons;                           // lesson mode with an introduction, or one video
    std::optional<CourseProgress> kept;     // the progress file, when there is one
    bool forget;                            // --forget-progress
    QString offer;                          // the offer's text; empty when none shows
    QString clipAfterPress;                 // the file open once the offer is pressed
    double positionAfterPress;
    QString lessonOneName;                  // as readers hear it
    QString summary;
};

class LessonProgressTest : public testing::TestWithParam<OfferCase> {};

TEST_P(LessonProgressTest, OffersThePlaceKeptAndGoesThereWhenPressed)
{
    const OfferCase& row = GetParam();
    MainWindowHarness harness;
    QTemporaryDir data;
    harness.dataFolder = data.path();
    if (row.lessons) {
        harness.course.writeLessonCourse(true);
    } else {
        harness.course.writeSkin();
        harness.course.writeFile(QStringLiteral("Media/vid_01.avi"), "avi");
    }
    const ProgressFile file(data.filePath(CourseIdentity::progressFileName(
        CourseIdentity::of(harness.course.path(QStringLiteral("qel.ini")), harness.course.path(QStringLiteral("Media"))))));
    if (row.kept) {
        ASSERT_TRUE(file.apply({row.kept, row.kept->watched, {}}));
    }
    const QStringList courseFiles = QDir(harness.course.dir()).entryList(QDir::AllEntries, QDir::Name);
    TfrmMain& window = harness.start();
    window.show();
    window.ActiveMovie1->setFocus();
    LessonProgress progress(window, AppPaths(harness.course.dir()), harness, row.forget);
    progress.waitUntilLoaded();

    QPushButton* offer = progress.offer()->button();
    EXPECT_EQ(offer->isVisibleTo(&window) ? offer->text() : QString(), row.offer);
    EXPECT_EQ(window.focusWidget(), window.ActiveMovie1) << "the offer took the focus";
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(window.Image15);
    if (row.lessons) {
        EXPECT_EQ(strip->child(1)->text(QAccessible::Name), row.lessonOneName);
        EXPECT_EQ(strip->text(QAccessible::Description), row.summary);
    }
    if (!row.offer.isEmpty()) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(offer);
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !offer->isVisibleTo(&window); }));
        EXPECT_TRUE(harness.video->openedPaths.last().endsWith(row.clipAfterPress));
        EXPECT_EQ(harness.video->positionValue, row.positionAfterPress);
    }
    progress.close();
    EXPECT_EQ(QDir(harness.course.dir()).entryList(QDir::AllEntries, QDir::Name), courseFiles)
        << "something was written to the course folder";
    if (!row.kept) {
        EXPECT_TRUE(QDir(data.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            << "a first day needs no progress file";
    }
    if (row.forget) {
        EXPECT_FALSE(QFile::exists(file.path()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Courses, LessonProgressTest,
    testing::Values(
        OfferCase{"FirstDay", true, std::nullopt, false, {}, {}, 0, QStringLiteral("Lesson 1"), {}},
        OfferCase{"LessonSevenOfThreeIsNoPlace", true, CourseProgress{7, 65.0, {}}, false, {}, {}, 0,
                  QStringLiteral("Lesson 1"), {}},
        OfferCase{"AnotherLesson", true, CourseProgress{3, 65.0, {1}}, false,
                  QStringLiteral("Continue Lesson 3 at 1:05"), QStringLiteral("vid_03.avi"), 60.0,
                  QStringLiteral("Lesson 1, watched"), QStringLiteral("1 of 3 lessons watched")},
        OfferCase{"StartOfAnotherLesson", true, CourseProgress{2, 3.0, {}}, false,
                  QStringLiteral("Continue Lesson 2 at 0:03"), QStringLiteral("vid_02.avi"), 0.0,
                  QStringLiteral("Lesson 1"), {}},
        OfferCase{"Forgotten", true, CourseProgress{3, 65.0, {1}}, true, {}, {}, 0, QStringLiteral("Lesson 1"), {}},
        OfferCase{"OneVideo", false, CourseProgress{1, 3725.0, {}}, false, QStringLiteral("Continue at 1:02:05"),
                  QStringLiteral("vid_01.avi"), 3720.0, {}, {}},
        OfferCase{"OneVideoNearItsStart", false, CourseProgress{1, 9.0, {}}, false, {}, {}, 0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct MenuCase {
    const char* name;
    int downs;  // Down keys before the menu: the lesson under the strip's cursor
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString entry;
    std::set<std::int32_t> watchedAfter;
};

class LessonMenuTest : public testing::TestWithParam<MenuCase> {};

// The menu of the lesson under the strip's cursor takes its mark off, on the
// strip, for readers and in the file.
TEST_P(LessonMenuTest, TakesTheMarkOffTheLessonUnderTheCursor)
{
    MainWindowHarness harness;
    QTemporaryDir data;
    harness.dataFolder = data.path();
    harness.course.writeLessonCourse(false);
    const ProgressFile file(data.filePath(CourseIdentity::progressFileName(
        CourseIdentity::of(harness.course.path(QStringLiteral("qel.ini")), harness.course.path(QStringLiteral("Media"))))));
    ASSERT_TRUE(file.apply({CourseProgress{3, 30.0, {}}, {1, 2}, {}}));
    TfrmMain& window = harness.start();
    window.show();
    LessonProgress progress(window, AppPaths(harness.course.dir()), harness, false);
    progress.waitUntilLoaded();
    window.Image15->setFocus();
    for (int down = 0; down < GetParam().downs; ++down)
        QTest::keyClick(window.Image15, Qt::Key_Down);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        shown = menu->actions().first()->text();
        menu->actions().first()->trigger();
        menu->close();
    });
    QTest::keyClick(window.Image15, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(shown, GetParam().entry);
    EXPECT_EQ(window.watchedLessons, GetParam().watchedAfter);
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(window.Image15);
    EXPECT_EQ(strip->text(QAccessible::Description),
              QStringLiteral("%1 of 3 lessons watched").arg(GetParam().watchedAfter.size()));
    progress.close();
    EXPECT_EQ(file.read().watched, GetParam().watchedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LessonMenuTest,
    testing::Values(MenuCase{"MenuKey", 1, Qt::Key_Menu, Qt::NoModifier,
                             QStringLiteral("Mark Lesson 2 as Not Watched"), {1}},
                    MenuCase{"ShiftF10", 0, Qt::Key_F10, Qt::ShiftModifier,
                             QStringLiteral("Mark Lesson 1 as Not Watched"), {2}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
