// The bookmark menu under the video and the manager dialog: what the user
// sees, chooses, adds and removes.
#include <sys/stat.h>

#include <QFontInfo>
#include <QTest>

#include "BookmarkFixture.h"

namespace {

class BookmarkMenu : public BookmarkFixture {
protected:
    // A lesson with three bookmarks in the file, loaded at start.
    TfrmMain& startWithThreeBookmarks()
    {
        writeBookmarkFile("[vid0]\r\nnumBm=3\r\nbm1=one\r\nval1=10\r\nbm2=two\r\nval2=20.5\r\nbm3=three\r\nval3=30\r\n");
        return startLessonCourse();
    }
};

// The widest text each control shows must fit inside it.
void expectTextFits(const QWidget* control, const QString& text, int padding)
{
    EXPECT_LE(control->fontMetrics().horizontalAdvance(text) + padding, control->width())
        << text.toStdString() << " is cut off";
}

TEST_F(BookmarkMenu, MenuAndDialogLookAsLaidOut)
{
    TfrmMain& w = startLessonCourse();
    EXPECT_FALSE(w.selBm->isEditable());
    EXPECT_EQ(w.selBm->geometry(), QRect(200, 0, 112, 21));
    EXPECT_EQ(w.selBm->view()->sizeHintForRow(0), 13);
    EXPECT_FALSE(w.selBmVal->isVisibleTo(&w));
    EXPECT_EQ(QFontInfo(w.font()).family(), QStringLiteral("Liberation Sans"));

    EXPECT_FALSE(dialog.isVisible()) << "created hidden";
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bookmark Manager"));
    EXPECT_EQ(dialog.size(), QSize(238, 212));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.pos(), QPoint(576, 158));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.backgroundRole(), QPalette::Button);

    EXPECT_EQ(dialog.Label1->pos(), QPoint(10, 7));
    EXPECT_EQ(dialog.Label1->height(), 13);
    EXPECT_GE(dialog.Label1->width(), 82);
    EXPECT_EQ(dialog.txtNewBm->geometry(), QRect(9, 27, 162, 21));
    EXPECT_EQ(dialog.btnAddBm->geometry(), QRect(174, 27, 54, 19));
    EXPECT_EQ(dialog.bmList->geometry(), QRect(8, 50, 220, 135));
    EXPECT_EQ(dialog.btnBmRmClick->geometry(), QRect(9, 187, 220, 19));
    EXPECT_EQ(dialog.bmList->selectionMode(), QAbstractItemView::SingleSelection);
    expectTextFits(dialog.Label1, dialog.Label1->text(), 0);
    expectTextFits(dialog.btnAddBm, dialog.btnAddBm->text(), 8);
    expectTextFits(dialog.btnBmRmClick, dialog.btnBmRmClick->text(), 8);

    EXPECT_EQ(dialog.Label1->focusPolicy(), Qt::NoFocus);
    QWidget* next = dialog.txtNewBm;
    for (QWidget* expected : std::initializer_list<QWidget*>{dialog.btnAddBm, dialog.bmList, dialog.btnBmRmClick}) {
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(next, expected);
    }
    for (QPushButton* button : {dialog.btnAddBm, dialog.btnBmRmClick})
        EXPECT_FALSE(button->isDefault() || button->autoDefault());
}

// The arrow keys on the closed menu choose as a click in the open list does.
TEST_F(BookmarkMenu, ChoosingWithTheKeysSeeksAndTheFirstEntryOpensTheDialog)
{
    TfrmMain& w = startWithThreeBookmarks();
    harness.video->positionValue = 4;
    QTest::keyClick(w.selBm, Qt::Key_Down);
    EXPECT_EQ(w.selBm->currentText(), QStringLiteral("<Manage Bookmarks>"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(harness.video->positionValue, 4) << "the management entry moves nothing";
    EXPECT_EQ(itemsOf(dialog.bmList), (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));

    dialog.move(40, 50);
    for (double expected : {10.0, 20.5, 30.0}) {
        QTest::keyClick(w.selBm, Qt::Key_Down);
        EXPECT_EQ(harness.video->positionValue, expected);
    }
    QTest::keyClick(w.selBm, Qt::Key_Up);
    EXPECT_EQ(w.selBmVal->currentText(), QStringLiteral("20.5"));
    w.selBm->setCurrentIndex(0);
    emit w.selBm->activated(0);
    EXPECT_EQ(dialog.pos(), QPoint(40, 50)) << "an open dialog stays where it is";
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

TEST_F(BookmarkMenu, OpeningTheListPausesOnlyAPlayingVideoAndChoosingDoesNotPlay)
{
    TfrmMain& w = startWithThreeBookmarks();
    ASSERT_EQ(harness.video->state, VideoControl::Playing);
    w.selBm->showPopup();
    w.selBm->hidePopup();
    EXPECT_EQ(harness.video->state, VideoControl::Paused) << "closing without a choice still paused it";
    w.selBm->showPopup();
    w.selBm->hidePopup();
    EXPECT_EQ(harness.video->count(QStringLiteral("pause")), 1);

    emit w.selBm->activated(2);
    EXPECT_EQ(harness.video->positionValue, 20.5);
    EXPECT_EQ(harness.video->state, VideoControl::Paused);

    harness.video->state = VideoControl::Playing;
    w.selBmChange(3);
    EXPECT_EQ(harness.video->state, VideoControl::Playing) << "choosing leaves the playing state alone";
    EXPECT_EQ(harness.video->count(QStringLiteral("play")), 0);
}

TEST_F(BookmarkMenu, APositionThatIsNoNumberLeavesTheVideoWhereItIs)
{
    writeBookmarkFile("[vid0]\r\nnumBm=2\r\nbm1=hand\r\nval1=1,5\r\nbm2=word\r\nval2=soon\r\n");
    TfrmMain& w = startLessonCourse();
    harness.video->positionValue = 7;
    emit w.selBm->activated(1);
    emit w.selBm->activated(2);
    EXPECT_EQ(harness.errors, (QStringList{QStringLiteral("'1,5' is not a valid floating point value."),
                                           QStringLiteral("'soon' is not a valid floating point value.")}));
    EXPECT_EQ(harness.video->positionValue, 7);
}

TEST_F(BookmarkMenu, AddTakesTheNameAsTypedAtTheVideosPosition)
{
    TfrmMain& w = startLessonCourse();
    addBookmark(QString(), 0);
    addBookmark(QStringLiteral(" twice "), 3.75);
    addBookmark(QStringLiteral(" twice "), 125.125);
    expectBookmarks({QString(), QStringLiteral(" twice "), QStringLiteral(" twice ")},
                    {QStringLiteral("0"), QStringLiteral("3.75"), QStringLiteral("125.125")});
    EXPECT_EQ(dialog.txtNewBm->text(), QString());
    EXPECT_EQ(w.selBm->currentIndex(), -1) << "adding chooses nothing";
    EXPECT_TRUE(dialog.bmList->selectedItems().isEmpty());
    EXPECT_EQ(fileBytes(), QByteArray("[vid0]\r\nnumBm=3\r\nbm1=\r\nval1=0\r\nbm2=twice \r\nval2=3.75\r\n"
                                      "bm3=twice \r\nval3=125.125\r\n"))
        << "the file drops a name's leading blanks, as the profile functions do";
}

TEST_F(BookmarkMenu, RemoveSelectedClosesUpTheListsAndTheFile)
{
    TfrmMain& w = startWithThreeBookmarks();
    w.selBm->setCurrentIndex(3);
    dialog.bmList->setCurrentRow(0);
    dialog.btnBmRmClick->click();
    expectBookmarks({QStringLiteral("two"), QStringLiteral("three")}, {QStringLiteral("20.5"), QStringLiteral("30")});
    EXPECT_EQ(w.selBm->currentText(), QStringLiteral("three")) << "the chosen bookmark stays chosen";
    EXPECT_TRUE(dialog.bmList->selectedItems().isEmpty());
    EXPECT_EQ(fileBytes(), QByteArray("[vid0]\r\nnumBm=2\r\nbm1=two\r\nval1=20.5\r\nbm2=three\r\nval2=30\r\n"));

    dialog.bmList->setCurrentRow(1);
    dialog.btnBmRmClick->click();
    EXPECT_EQ(w.selBm->currentIndex(), -1) << "a removed chosen bookmark leaves the menu's prompt";
    expectBookmarks({QStringLiteral("two")}, {QStringLiteral("20.5")});
}

TEST_F(BookmarkMenu, RemoveSelectedWithNothingSelectedChangesNothing)
{
    startWithThreeBookmarks();
    const QByteArray before = fileBytes();
    ::chmod(QFile::encodeName(filePath()).constData(), 0444);
    dialog.bmList->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    dialog.btnBmRmClick->click();
    expectBookmarks({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")},
                    {QStringLiteral("10"), QStringLiteral("20.5"), QStringLiteral("30")});
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(harness.errors.isEmpty()) << "nothing is saved, so nothing can fail";
}

TEST_F(BookmarkMenu, TheCloseBoxHidesTheDialogWithItsContents)
{
    TfrmMain& w = startWithThreeBookmarks();
    w.selBmChange(0);
    dialog.txtNewBm->setText(QStringLiteral("half typed"));
    dialog.bmList->setCurrentRow(2);
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    w.selBmChange(0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.txtNewBm->text(), QStringLiteral("half typed"));
    EXPECT_EQ(dialog.bmList->currentRow(), 2);
    EXPECT_EQ(dialog.bmList->count(), 3);
}

}  // namespace
