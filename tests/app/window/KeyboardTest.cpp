#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "MainWindowHarness.h"
#include "WindowKeys.h"
#include "bookmarks/bmManager.h"

namespace {

// The window on a three-lesson course with one GIF sponsor, shown and
// active, with the window's keys listening as in the program.
struct KeyboardWindow {
    KeyboardWindow()
    {
        harness.course.writeLessonCourse(false);
        harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"), "[Main]\nnum=1\nimg1=b.gif\nurl1=u1\n");
        window = &harness.start();
        keys = std::make_unique<WindowKeys>(*window);
        window->show();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    QWidget* control(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }

    MainWindowHarness harness;
    TfrmMain* window;
    std::unique_ptr<WindowKeys> keys;
};

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// The layout name of the control with the focus (an HTML view's page holds
// the focus for its view).
QString focusName()
{
    QWidget* widget = QApplication::focusWidget();
    while (widget && widget->objectName().isEmpty())
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// The names Tab (or Shift+Tab) visits from the Training tab until it is back there.
QStringList tabRound(Qt::Key key)
{
    QStringList names;
    for (int step = 0; step < 40; ++step) {
        press(key);
        if (focusName() == QStringLiteral("imgTrHotspot"))
            break;
        names << focusName();
    }
    return names;
}

QString sectionShown(const TfrmMain& w)
{
    return w.trPanel->isVisible() ? QStringLiteral("training")
         : w.rePanel->isVisible() ? QStringLiteral("resources")
                                  : QStringLiteral("sponsors");
}

TEST(Keyboard, TabVisitsTheShownSectionInReadingOrder)
{
    struct Case {
        const char* section;
        TImage* TfrmMain::*tab;
        QStringList order;  // after the Training tab
    };
    const QStringList tabs = {QStringLiteral("imgReHotspot"), QStringLiteral("ImgSpHotspot")};
    const QStringList banner = {QStringLiteral("gifBanner")};
    const Case cases[] = {
        {"training", &TfrmMain::imgTrHotspot,
         tabs + QStringList{"Image15", "ActiveMovie1", "MediaPlayer1", "selBm", "ScrollBar1"} + banner},
        {"resources", &TfrmMain::imgReHotspot,
         tabs + QStringList{"selTutApp", "titleDes", "imgTutSearch", "rdPlugin", "selScriptApp", "txtScript",
                            "imgScriptSearch", "selJob", "txtJob", "imgJobSearch", "rdReview", "selReview",
                            "txtReview", "imgReviewSearch", "frelBrowser"} + banner},
        {"sponsors", &TfrmMain::ImgSpHotspot, tabs + QStringList{"imgShowall", "spBrowser"} + banner},
    };
    KeyboardWindow k;
    TfrmMain& w = *k.window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        (w.*c.tab)->OnClick();
        w.imgTrHotspot->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(tabRound(Qt::Key_Tab), c.order);
        QStringList backwards = c.order;
        std::reverse(backwards.begin(), backwards.end());
        EXPECT_EQ(tabRound(Qt::Key_Backtab), backwards);
    }
}

// What keys did, in one line: the section shown, the video's last two calls,
// where the focus and the two cursors are, the searches, the sponsors' index
// pages and the addresses opened.
QString outcome(const KeyboardWindow& k)
{
    const QStringList& calls = k.harness.video->calls;
    return QStringLiteral("%1: %2; focus %3; cursors %4 %5; %6 search %7 index; opened %8")
        .arg(sectionShown(*k.window), calls.mid(calls.size() - 2).join(u' ').remove(k.harness.course.dir() + "Media/"),
             focusName())
        .arg(k.window->lessonCursor->cursor())
        .arg(k.window->MediaPlayer1->cursor())
        .arg(k.harness.frelBrowser().addresses.size())
        .arg(k.harness.spBrowser().addresses.size())
        .arg(k.harness.shell.opened.join(u','));
}

// Each key runs what a click on the control runs: the row's, the bar's, the
// tab's, the search picture's or the banner's own click.
TEST(Keyboard, KeysActThroughTheControlsOwnHandlers)
{
    struct Case {
        const char* focus;
        QList<QKeyCombination> keys;
        const char* expected;
    };
    const auto ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {"Image15", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return},
         "training: open vid_03.avi play; focus Image15; cursors 3 0; 0 search 0 index; opened "},
        {"Image15", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Home, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space},
         "training: open vid_02.avi play; focus Image15; cursors 2 0; 0 search 0 index; opened "},
        {"MediaPlayer1", {Qt::Key_Space, Qt::Key_Space},
         "training: pause play; focus MediaPlayer1; cursors 1 0; 0 search 0 index; opened "},
        {"ActiveMovie1", {Qt::Key_Space},
         "training: open vid_01.avi pause; focus ActiveMovie1; cursors 1 0; 0 search 0 index; opened "},
        {"MediaPlayer1", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return},
         "training: open vid_01.avi stop; focus MediaPlayer1; cursors 1 2; 0 search 0 index; opened "},
        {"MediaPlayer1", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Space},
         "training: open vid_01.avi stop; focus MediaPlayer1; cursors 1 2; 0 search 0 index; opened "},
        {"ActiveMovie1", {Qt::Key_F},
         "training: open vid_01.avi fullscreen on; focus ActiveMovie1; cursors 1 0; 0 search 0 index; opened "},
        {"imgReHotspot", {Qt::Key_Return},
         "resources: open vid_01.avi pause; focus imgReHotspot; cursors 1 0; 0 search 0 index; opened "},
        {"ScrollBar1", {ctrl | Qt::Key_Tab},
         "resources: open vid_01.avi pause; focus imgReHotspot; cursors 1 0; 0 search 0 index; opened "},
        {"Image15", {ctrl | Qt::ShiftModifier | Qt::Key_Backtab},
         "sponsors: open vid_01.avi pause; focus ImgSpHotspot; cursors 1 0; 0 search 0 index; opened "},
        {"selBm", {ctrl | Qt::Key_PageDown, ctrl | Qt::Key_PageDown, ctrl | Qt::Key_PageUp},
         "resources: open vid_01.avi pause; focus imgReHotspot; cursors 1 0; 0 search 0 index; opened "},
        {"imgJobSearch", {Qt::Key_Return},
         "resources: open vid_01.avi pause; focus imgJobSearch; cursors 1 0; 1 search 0 index; opened "},
        {"gifBanner", {Qt::Key_Space},
         "training: fullscreen off open vid_01.avi; focus gifBanner; cursors 1 0; 0 search 0 index; opened u1"},
        {"imgShowall", {Qt::KeypadModifier | Qt::Key_Enter},
         "sponsors: open vid_01.avi pause; focus imgShowall; cursors 1 0; 0 search 1 index; opened "},
    };
    for (const Case& c : cases) {
        KeyboardWindow k;
        QWidget* focus = k.control(c.focus);
        if (k.window->rePanel->isAncestorOf(focus))
            k.window->imgReHotspotClick();
        if (k.window->spPanel->isAncestorOf(focus))
            k.window->ImgSpHotspotClick();
        focus->setFocus(Qt::TabFocusReason);
        for (FakeHtmlEngine* view : {&k.harness.frelBrowser(), &k.harness.spBrowser()})
            view->addresses.clear();
        for (const QKeyCombination key : c.keys)
            press(key.key(), key.keyboardModifiers());
        EXPECT_EQ(outcome(k), QString::fromLatin1(c.expected));
        EXPECT_TRUE(k.harness.errors.isEmpty()) << k.harness.errors.join(u'\n').toStdString();
    }
}

// The focus stays where the learner put it: the strip's cursor goes back to
// the loaded lesson only on Tab and Shift+Tab into the strip, and Ctrl+Tab
// has the tab focused before its click hides the section.
TEST(Keyboard, FocusComingBackLeavesTheStripsCursorAndCtrlTabFocusesTheTabFirst)
{
    const struct {
        const char* name;
        Qt::FocusReason reason;
        int cursor;
    } cases[] = {
        {"Tab", Qt::TabFocusReason, 1},           {"Shift+Tab", Qt::BacktabFocusReason, 1},
        {"window active", Qt::ActiveWindowFocusReason, 3}, {"box closed", Qt::PopupFocusReason, 3},
        {"other", Qt::OtherFocusReason, 3},        {"mouse", Qt::MouseFocusReason, 3},
    };
    KeyboardWindow k;
    TfrmMain& w = *k.window;
    for (const auto& c : cases) {
        w.Image15->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        w.ActiveMovie1->setFocus(Qt::TabFocusReason);
        w.Image15->setFocus(c.reason);
        EXPECT_EQ(w.lessonCursor->cursor(), c.cursor) << c.name;
    }
    QString focusAtClick;
    w.imgReHotspot->OnClick = [&, click = w.imgReHotspot->OnClick] {
        focusAtClick = focusName();
        click();
    };
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(focusAtClick, QStringLiteral("imgReHotspot"));
}

TEST(Keyboard, EscHidesTheBookmarkManager)
{
    KeyboardWindow k;
    TfrmBm manager;
    k.window->setBookmarkManager(&manager);
    k.window->selBm->setFocus(Qt::TabFocusReason);
    manager.show();
    EXPECT_EQ(manager.windowHandle()->transientParent(), k.window->windowHandle());
    QApplication::setActiveWindow(&manager);
    manager.txtNewBm->setFocus();
    press(Qt::Key_Escape);
    EXPECT_FALSE(manager.isVisible());
}

// The frame shows where the focus is once a key is pressed, until the next
// mouse press, and goes round the row or button the cursor is on.
TEST(Keyboard, TheFocusFrameShowsAfterKeysOnly)
{
    KeyboardWindow k;
    TfrmMain& w = *k.window;
    FocusFrame* frame = w.focusFrame;
    const auto around = [](const QWidget* control, QRect area) {
        return area.translated(control->pos()).adjusted(-2, -2, 2, 2).intersected(control->parentWidget()->rect());
    };
    QTest::mouseClick(w.imgReHotspot, Qt::LeftButton);
    ASSERT_TRUE(w.rePanel->isVisible());
    EXPECT_EQ(focusName(), QStringLiteral("imgReHotspot")) << "a click gives a picture that acts the focus";
    EXPECT_FALSE(frame->isVisible()) << "no frame after a click";
    press(Qt::Key_Tab);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->parentWidget(), w.Panel2);
    EXPECT_EQ(frame->geometry(), around(w.ImgSpHotspot, w.ImgSpHotspot->rect()));
    press(Qt::Key_Tab);
    EXPECT_FALSE(frame->isVisible()) << "a text field shows its focus its own way";
    w.imgTrHotspot->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("Image15"));
    QSignalSpy moved(w.lessonCursor, &LessonStripCursor::cursorMoved);
    press(Qt::Key_Down);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 2);
    EXPECT_EQ(frame->geometry(), around(w.Image15, QRect(0, 140, w.Image15->width(), 85))) << "lesson 2's row";
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    QSignalSpy buttons(w.MediaPlayer1, &TMediaPlayer::cursorMoved);
    press(Qt::Key_Right);
    EXPECT_EQ(buttons.takeFirst().at(0).toInt(), int(TMediaPlayer::btPause));
    EXPECT_EQ(frame->geometry(), around(w.MediaPlayer1, w.MediaPlayer1->cursorRect())) << "the Pause button";
    w.ActiveMovie1MouseUp(Qt::RightButton, Qt::NoModifier, 5, 5);
    EXPECT_EQ(frame->geometry(), around(w.MediaPlayer1, w.MediaPlayer1->cursorRect())) << "it moves with the bar";
    QTest::mousePress(w.ScrollBar1, Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible()) << "a mouse press hides it";
    QTest::mouseRelease(w.ScrollBar1, Qt::LeftButton);
    press(Qt::Key_Shift);
    EXPECT_FALSE(frame->isVisible()) << "a modifier alone is no keyboard use";
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(frame->isVisible()) << "a key the window's own keys take counts too";
}

}  // namespace
