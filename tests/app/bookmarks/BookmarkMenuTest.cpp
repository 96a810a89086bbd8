// The bookmark menu under the video and the manager dialog: what the user
// sees, chooses, adds and removes.
#include <QFontInfo>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include "BookmarkFixture.h"

namespace {

const QByteArray kThreeBookmarks = "[vid0]\r\nnumBm=3\r\nbm1=one\r\nval1=10\r\nbm2=two\r\nval2=20.5\r\nbm3=three\r\nval3=30\r\n";

class BookmarkMenu : public BookmarkFixture {};

TEST_F(BookmarkMenu, TextsShowWholeAndTheKeysGoThroughTheDialogInOrder)
{
    TfrmMain& w = startLessonCourse(kThreeBookmarks);
    EXPECT_FALSE(w.selBm->isEditable());
    EXPECT_EQ(w.selBm->view()->sizeHintForRow(0), 13);
    EXPECT_EQ(dialog.bmList->sizeHintForRow(0), 13);
    EXPECT_EQ(QFontInfo(dialog.font()).family(), QStringLiteral("Liberation Sans"));
    for (QWidget* control : std::initializer_list<QWidget*>{dialog.Label1, dialog.btnAddBm, dialog.btnBmRmClick}) {
        const QString text = control->property("text").toString();
        EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->width()) << text.toStdString();
    }
    QWidget* next = dialog.txtNewBm;
    for (QWidget* expected : std::initializer_list<QWidget*>{dialog.btnAddBm, dialog.bmList, dialog.btnBmRmClick}) {
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(next, expected);
    }
    EXPECT_FALSE(dialog.btnAddBm->autoDefault() || dialog.btnBmRmClick->autoDefault());
}

// The keys read the closed menu and choose nothing; Alt+Down or F4 opens it,
// and Return chooses there: the first entry opens the dialog, a bookmark seeks.
TEST_F(BookmarkMenu, TheClosedMenuChoosesNothingByKeysAndOpensByAltDownOrF4)
{
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool opens;
    };
    const Case cases[] = {
        {"Down", Qt::Key_Down, Qt::NoModifier, false},   {"Up", Qt::Key_Up, Qt::NoModifier, false},
        {"Page Down", Qt::Key_PageDown, Qt::NoModifier, false}, {"End", Qt::Key_End, Qt::NoModifier, false},
        {"a letter", Qt::Key_T, Qt::NoModifier, false},  {"Alt+Down", Qt::Key_Down, Qt::AltModifier, true},
        {"F4", Qt::Key_F4, Qt::NoModifier, true},
    };
    TfrmMain& w = startLessonCourse(kThreeBookmarks);
    harness.video->positionValue = 4;
    for (const Case& c : cases) {
        QTest::keyClick(w.selBm, c.key, c.modifiers);
        EXPECT_EQ(w.selBm->currentIndex(), -1) << c.name;
        EXPECT_EQ(w.selBm->view()->isVisible(), c.opens) << c.name;
        EXPECT_FALSE(dialog.isVisible()) << c.name;
        EXPECT_EQ(harness.video->positionValue, 4) << c.name;
        w.selBm->hidePopup();
    }
    const auto chooseRow = [&](int row) {
        QTest::keyClick(w.selBm, Qt::Key_F4);
        w.selBm->view()->setCurrentIndex(w.selBm->model()->index(row, 0));
        QTest::keyClick(w.selBm->view(), Qt::Key_Return);
    };
    chooseRow(0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    dialog.move(40, 50);
    chooseRow(0);
    EXPECT_EQ(dialog.pos(), QPoint(40, 50)) << "an open dialog stays where it is";
    chooseRow(2);
    EXPECT_EQ(harness.video->positionValue, 20.5);
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

// The wheel turned over the closed menu, delivered as the window system's
// events are, which gives the focus to a control that takes it by the wheel.
void turnWheel(QWidget* control, int eighthsOfADegree)
{
    const QPointF at = control->rect().center();
    QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, eighthsOfADegree), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(control, &wheel);
}

// Without the focus the wheel passes the menu by; with it, each notch is an
// arrow key: a step down from the prompt opens the dialog, later ones seek.
TEST_F(BookmarkMenu, TheWheelChoosesOnlyInTheFocusedMenuOneEntryPerNotch)
{
    struct Case {
        bool focused;
        QList<int> turns;  // eighths of a degree, negative towards the user
        QString shown;
        double position;
    };
    const Case cases[] = {
        {false, {-120, -120}, QString(), 4},
        {true, {-120, -120}, QStringLiteral("one"), 10},
        {true, {-60, -120, -60, -120}, QStringLiteral("two"), 20.5},  // half notches add up
        {true, {-360, 240}, QStringLiteral("<Manage Bookmarks>"), 10},
    };
    TfrmMain& w = startLessonCourse(kThreeBookmarks);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (const Case& c : cases) {
        w.loadBookmarks();
        dialog.hide();
        harness.video->positionValue = 4;
        (c.focused ? static_cast<QWidget*>(w.selBm) : w.ScrollBar1)->setFocus(Qt::TabFocusReason);
        for (int turn : c.turns)
            turnWheel(w.selBm, turn);
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        EXPECT_EQ(w.selBm->currentText(), c.shown);
        EXPECT_EQ(harness.video->positionValue, c.position);
        EXPECT_EQ(dialog.isVisible(), c.focused) << "the first entry opens the dialog";
    }
}

TEST_F(BookmarkMenu, OpeningTheListPausesAPlayingVideoAndChoosingNeverPlays)
{
    TfrmMain& w = startLessonCourse(QByteArray(kThreeBookmarks).replace("numBm=3", "numBm=4") + "bm4=x\r\nval4=1,5\r\n");
    ASSERT_EQ(harness.video->state, VideoControl::Playing);
    for (int opened = 0; opened < 2; ++opened) {
        w.selBm->showPopup();
        w.selBm->hidePopup();
    }
    EXPECT_EQ(harness.video->count(QStringLiteral("pause")), 1) << "only a playing video is paused";

    emit w.selBm->activated(2);
    EXPECT_EQ(harness.video->positionValue, 20.5);
    EXPECT_EQ(harness.video->state, VideoControl::Paused);
    harness.video->state = VideoControl::Playing;
    emit w.selBm->activated(3);
    EXPECT_EQ(harness.video->state, VideoControl::Playing);

    emit w.selBm->activated(4);
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("'1,5' is not a valid floating point value.")});
    EXPECT_EQ(harness.video->positionValue, 30);
}

TEST_F(BookmarkMenu, AddTakesTheNameAsTypedAtTheVideosPosition)
{
    TfrmMain& w = startLessonCourse();
    addBookmark(QString(), 0);
    addBookmark(QStringLiteral("twice"), 3.75);
    addBookmark(QStringLiteral("twice"), 125.125);
    expectBookmarks({QString(), QStringLiteral("twice"), QStringLiteral("twice")},
                    {QStringLiteral("0"), QStringLiteral("3.75"), QStringLiteral("125.125")});
    EXPECT_EQ(dialog.txtNewBm->text(), QString());
    EXPECT_EQ(w.selBm->currentIndex(), -1) << "adding chooses nothing";
    EXPECT_TRUE(dialog.bmList->selectedItems().isEmpty());
}

TEST_F(BookmarkMenu, RemoveSelectedClosesUpTheListsAndNeedsASelection)
{
    TfrmMain& w = startLessonCourse(kThreeBookmarks);
    w.selBm->setCurrentIndex(3);
    removeRow(0);
    expectBookmarks({QStringLiteral("two"), QStringLiteral("three")}, {QStringLiteral("20.5"), QStringLiteral("30")});
    EXPECT_EQ(w.selBm->currentText(), QStringLiteral("three")) << "the chosen bookmark stays chosen";
    EXPECT_TRUE(dialog.bmList->selectedItems().isEmpty());
    EXPECT_EQ(fileBytes(), QByteArray("[vid0]\r\nnumBm=2\r\nbm1=two\r\nval1=20.5\r\nbm2=three\r\nval2=30\r\n"));

    removeRow(1);
    EXPECT_EQ(w.selBm->currentIndex(), -1) << "a removed chosen bookmark leaves the menu's prompt";

    makeReadOnly();
    dialog.bmList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    dialog.btnBmRmClick->click();
    expectBookmarks({QStringLiteral("two")}, {QStringLiteral("20.5")});
    EXPECT_TRUE(harness.errors.isEmpty()) << "with nothing selected nothing is saved, so nothing can fail";
}

TEST_F(BookmarkMenu, TheCloseBoxHidesTheDialogWithItsContents)
{
    TfrmMain& w = startLessonCourse(kThreeBookmarks);
    w.selBmChange(0);
    dialog.txtNewBm->setText(QStringLiteral("half typed"));
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    w.selBmChange(0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.txtNewBm->text(), QStringLiteral("half typed"));
    EXPECT_EQ(dialog.bmList->count(), 3);
}

}  // namespace
