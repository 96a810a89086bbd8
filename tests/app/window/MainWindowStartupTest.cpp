#include <gtest/gtest.h>

#include "MainWindowHarness.h"
#include "MciError.h"

namespace {

QRect placeOf(const QWidget* control)
{
    return control->geometry();
}

TEST(MainWindowStartup, LessonModeWithIntroduction)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();

    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(w.numLessons, 3);
    EXPECT_EQ(w.lessonSp, 16);
    EXPECT_EQ(w.lessonOffset, 40);
    EXPECT_EQ(w.lessonHeight, 84);
    EXPECT_EQ(w.selDrawOffset, -43);
    EXPECT_EQ(w.bookmarkFileName, QStringLiteral("course.ini"));
    EXPECT_EQ(w.lessonName, QString());
    EXPECT_EQ(w.windowsDir, harness.course.path(QStringLiteral("data")));
    EXPECT_EQ(w.screenMode, QStringLiteral("normal"));
    EXPECT_EQ(w.currentLesson, QStringLiteral("0"));

    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tovrelle"));
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("selBm")), w.selBm);
    EXPECT_EQ(w.findChild<TImage*>(QStringLiteral("Image15")), w.Image15);
    EXPECT_EQ(w.outerSize(), QSize(1020, 730));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the border is fixed";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.pos(), QPoint(212, 164));
    EXPECT_EQ(placeOf(w.Panel2), QRect(-5, -5, 1100, 768));
    EXPECT_EQ(w.Panel2->color(), QColor(0x0A, 0x02, 0x1A));
    for (TPanel* section : {w.trPanel, w.rePanel, w.spPanel})
        EXPECT_EQ(section->pos(), QPoint(3, 100));
    EXPECT_TRUE(w.trPanel->isVisibleTo(&w));
    EXPECT_FALSE(w.rePanel->isVisibleTo(&w));
    EXPECT_FALSE(w.spPanel->isVisibleTo(&w));
    EXPECT_EQ(w.adBrowser->pos(), QPoint(423, 12));
    EXPECT_EQ(w.imgLessonClstrip->pos(), QPoint(0, 0));
    EXPECT_EQ(w.imgRsClstrip->pos(), QPoint(0, 0));
    EXPECT_EQ(w.imgSpTabline->pos(), QPoint(0, 0));
    EXPECT_FALSE(w.Image15->picture().isNull());
    EXPECT_FALSE(w.imgMainBk->picture().isNull());
    EXPECT_FALSE(w.imgShowall->picture().isNull());

    EXPECT_EQ(harness.frelBrowser().lastAddress(), harness.course.path(QStringLiteral("Media/frel_mabr.htm")));
    EXPECT_EQ(harness.spBrowser().lastAddress(), harness.course.path(QStringLiteral("Sponsors/index.htm")));
    EXPECT_EQ(placeOf(w.browserBorder), QRect(250, 40, 758, 562));
    EXPECT_EQ(placeOf(w.browserBorder2), QRect(6, 57, 722, 542));
    EXPECT_EQ(harness.wave->calls.first(), QStringLiteral("open ") + harness.course.path(QStringLiteral("Media/blank.wav")));
    EXPECT_EQ(harness.video->openedPaths, QStringList{harness.course.path(QStringLiteral("Media/vid_00.avi"))});
    EXPECT_EQ(w.ActiveMovie1->FileName(), harness.course.path(QStringLiteral("Media/vid_00.avi")));
    EXPECT_EQ(harness.video->count(QStringLiteral("play")), 0) << "start-up issues no play command";

    EXPECT_FALSE(w.imgHighlite->visibleFlag());
    EXPECT_EQ(w.imgHighlite->y(), 16 + 84 + 40 - 43);
}

TEST(MainWindowStartup, TabGoesThroughEachSectionsControlsInReadingOrder)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    QList<QWidget*> chain;
    for (QWidget* next = w.nextInFocusChain(); next != &w; next = next->nextInFocusChain())
        chain << next;
    const QList<QWidget*> expected = {w.imgTrHotspot, w.Image15, w.ActiveMovie1, w.MediaPlayer1, w.selBm,
                                      w.ScrollBar1, w.selTutApp, w.titleDes, w.rdPlugin, w.rdScript,
                                      w.selScriptApp, w.txtScript, w.selJob, w.txtJob, w.rdReview,
                                      w.rdArticle, w.selReview, w.txtReview, w.frelBrowser, w.imgShowall,
                                      w.spBrowser, w.gifBanner, w.adBrowser};
    for (qsizetype i = 1; i < expected.size(); ++i)
        EXPECT_LT(chain.indexOf(expected[i - 1]), chain.indexOf(expected[i])) << expected[i]->objectName().toStdString();
}

TEST(MainWindowStartup, SearchFormsAreStyledAndFilledWithoutASelection)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    const QColor violet(0x55, 0x43, 0x7B), navy(0x08, 0x0D, 0x37), dark(0x0A, 0x02, 0x1A);
    for (TShape* frame : {w.tutorialCon, w.scriptCon, w.jobCon}) {
        EXPECT_EQ(frame->penColor(), violet);
        EXPECT_EQ(frame->brushColor(), navy);
    }
    EXPECT_EQ(w.scriptConPanel->color(), navy);
    for (QWidget* field : std::initializer_list<QWidget*>{w.titleDes, w.selTutApp, w.txtScript, w.selScriptApp, w.txtJob, w.selJob})
        EXPECT_EQ(field->palette().color(QPalette::Base), dark);
    EXPECT_EQ(w.selTutApp->count(), 6);
    EXPECT_EQ(w.selTutApp->itemText(5), QStringLiteral("PHP"));
    EXPECT_EQ(w.selScriptApp->itemText(4), QStringLiteral("Javascript"));
    for (QComboBox* box : {w.selJob, w.selReview}) {
        EXPECT_EQ(box->count(), 4);
        EXPECT_EQ(box->itemText(1), QStringLiteral("Game Development"));
    }
    for (const auto& [box, text] : {std::pair{w.selTutApp, "All"}, std::pair{w.selScriptApp, "All"},
                                    std::pair{w.selJob, "3D Production"}, std::pair{w.selReview, "3D Production"}}) {
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_EQ(box->currentText(), QString::fromLatin1(text));
    }
    EXPECT_TRUE(w.rdScript->isChecked());
    EXPECT_TRUE(w.rdReview->isChecked());
}

TEST(MainWindowStartup, LessonModeWithoutIntroductionShowsTheHighlightOnLessonOne)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(false);
    TfrmMain& w = harness.start();
    EXPECT_EQ(w.currentLesson, QStringLiteral("1"));
    EXPECT_EQ(harness.video->openedPaths, QStringList{harness.course.path(QStringLiteral("Media/vid_01.avi"))});
    EXPECT_TRUE(w.imgHighlite->visibleFlag());
    EXPECT_EQ(w.imgHighlite->pos(), QPoint(16, 97));
}

TEST(MainWindowStartup, NoConfigurationGivesSingleVideoMode)
{
    MainWindowHarness harness;
    harness.course.writeSkin();
    harness.course.writeFile(QStringLiteral("Media/vid_00.avi"), "avi");
    TfrmMain& w = harness.start();

    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(w.numLessons, -1);
    EXPECT_EQ(w.lessonName, QStringLiteral("default"));
    EXPECT_EQ(w.bookmarkFileName, QStringLiteral("dlqel.ini"));
    EXPECT_EQ(w.lessonSp, 0);
    EXPECT_EQ(w.outerSize(), QSize(736, 723));
    EXPECT_EQ(placeOf(w.aVidPanel), QRect(5, 131, 720, 540));
    EXPECT_EQ(w.img_vid_title->pos(), QPoint(6, 10));
    EXPECT_TRUE(w.Image15->isHidden());
    EXPECT_TRUE(w.img_lessons_title->isHidden());
    EXPECT_EQ(w.gifBanner->pos(), QPoint(260, 12));
    EXPECT_EQ(w.imgAdBk->pos(), QPoint(259, 11));
    EXPECT_EQ(w.adBrowser->pos(), QPoint(260, 12));
    EXPECT_EQ(placeOf(w.frelBrowser), QRect(4, 50, 728, 553));
    EXPECT_EQ(placeOf(w.browserBorder), QRect(3, 49, 730, 555));
    EXPECT_TRUE(w.selTutApp->isHidden());
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.scriptCon, w.scriptConPanel, w.reviewCon, w.selReview,
                                                            w.imgReviewSearch, w.Image19, w.rdScript})
        EXPECT_TRUE(hidden->isHidden());
    EXPECT_FALSE(w.selJob->isHidden()) << "the job category box keeps its place under the result view";
    EXPECT_EQ(w.selJob->pos(), QPoint(112, 346));
    EXPECT_EQ(placeOf(w.tutorialCon), QRect(98, 11, 263, 31));
    EXPECT_EQ(w.titleDes->pos(), QPoint(167, 16));
    EXPECT_EQ(w.imgTutSearch->pos(), QPoint(293, 17));
    EXPECT_EQ(placeOf(w.jobCon), QRect(384, 11, 238, 31));
    EXPECT_EQ(w.Image12->pos(), QPoint(390, 18));
    EXPECT_EQ(w.txtJob->pos(), QPoint(429, 16));
    EXPECT_EQ(w.imgJobSearch->pos(), QPoint(554, 17));
    EXPECT_EQ(w.Image6->picture().size(), QSize(8, 4)) << "the small label picture replaces the built-in one";
    EXPECT_EQ(w.currentLesson, QStringLiteral("0"));
    EXPECT_FALSE(w.imgHighlite->visibleFlag());
    EXPECT_EQ(w.imgHighlite->y(), 0);
}

TEST(MainWindowStartup, LessonCountChoosesTheMode)
{
    for (const auto& [value, lessonMode] : {std::pair{"0", false}, std::pair{"-4", false}, std::pair{"1", true},
                                            std::pair{"5 lessons", false}, std::pair{" $A ", true}}) {
        MainWindowHarness harness;
        harness.course.writeSkin();
        harness.course.writeFile(QStringLiteral("qel.ini"), QByteArray("[full]\nNUMLESSONS = ") + value + "\n[Main]\nname=Solo\n");
        TfrmMain& w = harness.start();
        if (QByteArray(value) == "5 lessons") {
            EXPECT_EQ(harness.errors, QStringList{QStringLiteral("'5 lessons' is not a valid integer value.")});
            EXPECT_EQ(w.numLessons, 0);
            continue;
        }
        EXPECT_TRUE(harness.errors.isEmpty()) << value;
        EXPECT_EQ(w.numLessons >= 1, lessonMode) << value;
        EXPECT_EQ(w.lessonName, lessonMode ? QString() : QStringLiteral("Solo")) << value;
        EXPECT_EQ(w.bookmarkFileName, lessonMode ? QStringLiteral("-1") : QStringLiteral("dlqel.ini")) << value;
        if (lessonMode) {
            EXPECT_EQ(w.lessonSp, -1);
            EXPECT_EQ(w.selDrawOffset, -1);
            EXPECT_EQ(w.imgHighlite->y(), -4) << "the sum of four missing keys";
        }
    }
}

// An error ends the start-up sequence at its step; the window keeps the state reached.
TEST(MainWindowStartupFailures, AnEmptyIntegerStopsAtItsRead)
{
    MainWindowHarness harness;
    harness.course.writeSkin();
    harness.course.writeFile(QStringLiteral("qel.ini"), "[Full]\r\nnumLessons=3\r\nlessonSp=\r\nlessonOffset=5\r\n");
    TfrmMain& w = harness.start();
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("'' is not a valid integer value.")});
    EXPECT_EQ(w.numLessons, 3);
    EXPECT_EQ(w.lessonOffset, 0) << "later reads did not happen";
    EXPECT_EQ(placeOf(w.Panel2), QRect(24, -201, 1100, 2000));
    EXPECT_EQ(w.outerSize(), QSize(1030, 716));
    EXPECT_NE(w.minimumSize(), w.maximumSize()) << "the border stays resizable";
    EXPECT_TRUE(w.imgMainBk->picture().isNull());
    EXPECT_TRUE(harness.video->openedPaths.isEmpty());
    EXPECT_EQ(w.screenMode, QString());
}

TEST(MainWindowStartupFailures, PicturesThatCannotBeReadStopTheSequence)
{
    {
        MainWindowHarness harness;
        harness.course.writeLessonCourse(true);
        harness.course.remove(QStringLiteral("Media/main_bk.jpg"));
        TfrmMain& w = harness.start();
        EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Cannot open file ")
                                              + harness.course.path(QStringLiteral("Media/main_bk.jpg")) + u'.'});
        EXPECT_FALSE(w.img_vid_title->picture().isNull()) << "pictures before the failing one are loaded";
        EXPECT_EQ(w.windowsDir, harness.course.path(QStringLiteral("data")));
        EXPECT_TRUE(harness.frelBrowser().addresses.isEmpty());
        EXPECT_TRUE(harness.video->openedPaths.isEmpty());
    }
    {
        MainWindowHarness harness;
        harness.course.writeLessonCourse(true);
        harness.course.writeFile(QStringLiteral("Media/img_lessons_qel.jpg"), "this is no JPEG picture");
        TfrmMain& w = harness.start();
        ASSERT_EQ(harness.errors.size(), 1);
        EXPECT_TRUE(harness.errors.first().startsWith(QStringLiteral("JPEG error #"))) << harness.errors.first().toStdString();
        EXPECT_EQ(w.bookmarkFileName, QStringLiteral("course.ini"));
        EXPECT_EQ(w.screenMode, QString());
    }
    {
        MainWindowHarness harness;
        harness.course.writeSkin();
        harness.course.remove(QStringLiteral("Media/jobs_label_sml.jpg"));
        harness.start();
        EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Cannot open file ")
                                              + harness.course.path(QStringLiteral("Media/jobs_label_sml.jpg")) + u'.'});
    }
}

TEST(MainWindowStartupFailures, SystemFailuresAtTheirSteps)
{
    {
        MainWindowHarness harness;
        harness.course.writeLessonCourse(true);
        harness.dataFolderFailure = QStringLiteral("Permission denied");
        TfrmMain& w = harness.start();
        EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Permission denied.")});
        EXPECT_EQ(w.screenMode, QStringLiteral("normal"));
        EXPECT_EQ(w.Panel2->pos(), QPoint(24, -201));
    }
    {
        MainWindowHarness harness;
        harness.course.writeLessonCourse(true);
        harness.waveOpenResult = MciError::FileNotFound;
        TfrmMain& w = harness.start();
        EXPECT_EQ(harness.errors, QStringList{MciError::text(MciError::FileNotFound)});
        EXPECT_EQ(w.aVidPanel->pos(), QPoint(280, 131)) << "the player was placed before the sound opened";
        EXPECT_TRUE(harness.video->openedPaths.isEmpty());
        EXPECT_EQ(w.currentLesson, QString());
    }
}

TEST(MainWindowStartupFailures, MediaNamesInOtherLetterCaseAreFound)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(false);
    QDir(harness.course.dir()).rename(QStringLiteral("Media"), QStringLiteral("MEDIA"));
    QFile::rename(harness.course.path(QStringLiteral("MEDIA/main_bk.jpg")), harness.course.path(QStringLiteral("MEDIA/Main_Bk.JPG")));
    TfrmMain& w = harness.start();
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_FALSE(w.imgMainBk->picture().isNull());
    EXPECT_EQ(w.ActiveMovie1->FileName(), harness.course.path(QStringLiteral("MEDIA/vid_01.avi")));
}

}  // namespace
