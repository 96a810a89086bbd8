#include <functional>

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

// Each key runs what a click on the control runs: the row's, the bar's, the
// tab's, the search picture's or the banner's own click.
TEST(Keyboard, KeysActThroughTheControlsOwnHandlers)
{
    using Keys = QList<QPair<Qt::Key, Qt::KeyboardModifiers>>;
    using Check = std::function<void(const MainWindowHarness&, const TfrmMain&)>;
    struct Case {
        const char* name;
        const char* focus;
        Keys keys;
        Check check;
    };
    const auto plain = Qt::NoModifier;
    const auto ctrl = Qt::ControlModifier;
    const auto opened = [](const MainWindowHarness& h) { return h.video->openedPaths.last().section(u'/', -1); };
    const Case cases[] = {
        {"Down, Down, Return on the strip plays lesson 3", "Image15",
         {{Qt::Key_Down, plain}, {Qt::Key_Down, plain}, {Qt::Key_Return, plain}},
         [&](const MainWindowHarness& h, const TfrmMain& w) {
             EXPECT_EQ(opened(h), QStringLiteral("vid_03.avi"));
             EXPECT_EQ(h.video->calls.last(), QStringLiteral("play"));
             EXPECT_EQ(w.currentLesson, QStringLiteral("3"));
         }},
        {"the strip's cursor stops at its ends; Space chooses", "Image15",
         {{Qt::Key_Down, plain}, {Qt::Key_Down, plain}, {Qt::Key_Down, plain}, {Qt::Key_Home, plain},
          {Qt::Key_Up, plain}, {Qt::Key_Down, plain}, {Qt::Key_Space, plain}},
         [&](const MainWindowHarness& h, const TfrmMain& w) {
             EXPECT_EQ(opened(h), QStringLiteral("vid_02.avi"));
             EXPECT_EQ(w.lessonCursor->cursor(), 2);
         }},
        {"Space on the bar pauses the playing lesson, then plays it", "MediaPlayer1",
         {{Qt::Key_Space, plain}, {Qt::Key_Space, plain}},
         [](const MainWindowHarness& h, const TfrmMain&) {
             EXPECT_EQ(h.video->calls.mid(h.video->calls.size() - 2), (QStringList{"pause", "play"}));
             EXPECT_EQ(h.wave->calls.count(QStringLiteral("stop")), 2) << "the bar's own click ran twice";
         }},
        {"Space on the video pauses", "ActiveMovie1", {{Qt::Key_Space, plain}},
         [](const MainWindowHarness& h, const TfrmMain&) { EXPECT_EQ(h.video->calls.last(), QStringLiteral("pause")); }},
        {"Right, Right, Return on the bar stops", "MediaPlayer1",
         {{Qt::Key_Right, plain}, {Qt::Key_Right, plain}, {Qt::Key_Return, plain}},
         [](const MainWindowHarness& h, const TfrmMain& w) {
             EXPECT_EQ(h.video->calls.last(), QStringLiteral("stop"));
             EXPECT_EQ(w.MediaPlayer1->cursor(), int(TMediaPlayer::btStop));
         }},
        {"Return on a tab shows its section", "imgReHotspot", {{Qt::Key_Return, plain}},
         [](const MainWindowHarness&, const TfrmMain& w) { EXPECT_EQ(sectionShown(w), "resources"); }},
        {"Ctrl+Tab shows the next section and focuses its tab", "ScrollBar1", {{Qt::Key_Tab, ctrl}},
         [](const MainWindowHarness&, const TfrmMain& w) {
             EXPECT_EQ(sectionShown(w), "resources");
             EXPECT_EQ(focusName(), QStringLiteral("imgReHotspot"));
         }},
        {"Ctrl+Shift+Tab goes from the first section to the last", "Image15",
         {{Qt::Key_Backtab, ctrl | Qt::ShiftModifier}},
         [](const MainWindowHarness&, const TfrmMain& w) { EXPECT_EQ(sectionShown(w), "sponsors"); }},
        {"Ctrl+Page Down twice and Ctrl+Page Up, from the bookmark list", "selBm",
         {{Qt::Key_PageDown, ctrl}, {Qt::Key_PageDown, ctrl}, {Qt::Key_PageUp, ctrl}},
         [](const MainWindowHarness& h, const TfrmMain& w) {
             EXPECT_EQ(sectionShown(w), "resources");
             EXPECT_EQ(h.video->calls.count(QStringLiteral("pause")), 1) << "the first tab click paused the lesson";
             EXPECT_EQ(w.selBm->currentIndex(), -1) << "the list chose nothing";
         }},
        {"Return on a search picture searches", "imgJobSearch", {{Qt::Key_Return, plain}},
         [](const MainWindowHarness& h, const TfrmMain&) {
             EXPECT_TRUE(h.frelBrowser().lastAddress().contains(QStringLiteral("job_results_list.php")));
         }},
        {"Space on the banner opens its sponsor", "gifBanner", {{Qt::Key_Space, plain}},
         [](const MainWindowHarness& h, const TfrmMain&) { EXPECT_EQ(h.shell.opened, QStringList{"u1"}); }},
        {"the keypad's Enter on the sponsors link shows their index", "imgShowall",
         {{Qt::Key_Enter, Qt::KeypadModifier}},
         [](const MainWindowHarness& h, const TfrmMain&) { EXPECT_EQ(h.spBrowser().addresses.size(), 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardWindow k;
        QWidget* focus = k.control(c.focus);
        for (QWidget* section = focus->parentWidget(); section; section = section->parentWidget())
            section->show();
        k.window->aVidPanel->setVisible(k.window->trPanel->isVisible());
        focus->setFocus(Qt::TabFocusReason);
        for (FakeHtmlEngine* view : {&k.harness.adBrowser(), &k.harness.frelBrowser(), &k.harness.spBrowser()})
            view->addresses.clear();
        for (const auto& [key, modifiers] : c.keys)
            press(key, modifiers);
        c.check(k.harness, *k.window);
        EXPECT_TRUE(k.harness.errors.isEmpty()) << k.harness.errors.join(u'\n').toStdString();
    }
}

TEST(Keyboard, EscHidesTheBookmarkManager)
{
    KeyboardWindow k;
    TfrmBm manager;
    k.window->setBookmarkManager(&manager);
    manager.show();
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
}

}  // namespace
