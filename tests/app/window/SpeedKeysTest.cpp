#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "MainWindowHarness.h"
#include "SpeedBadge.h"
#include "SpeedKeys.h"
#include "CaptionsChoice.h"

namespace {

class SpeedKeysTest : public ::testing::Test {
protected:
    TfrmMain& start()
    {
        harness.course.writeLessonCourse(false);
        TfrmMain& w = harness.start();
        keys = std::make_unique<SpeedKeys>(w, *w.ActiveMovie1);
        w.show();
        return w;
    }
    // A key pressed while the widget has the focus.
    static void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(widget->window());
        widget->setFocus();
        QTest::keyClick(widget, key, modifiers);
    }
    double speed() const { return harness.video->speedValue; }

    MainWindowHarness harness;
    std::unique_ptr<SpeedKeys> keys;
};

TEST_F(SpeedKeysTest, KeysStepTheSpeedWithinItsRange)
{
    struct Case {
        double from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        double expected;
    };
    const Case cases[] = {
        {1.0, Qt::Key_BracketRight, Qt::NoModifier, 1.1}, {1.0, Qt::Key_BracketLeft, Qt::NoModifier, 0.9},
        {2.0, Qt::Key_BracketRight, Qt::NoModifier, 2.0}, {0.5, Qt::Key_BracketLeft, Qt::NoModifier, 0.5},
        {1.7, Qt::Key_Backspace, Qt::NoModifier, 1.0},    {1.0, Qt::Key_BracketRight, Qt::ControlModifier, 1.0},
    };
    TfrmMain& w = start();
    for (const Case& c : cases) {
        w.ActiveMovie1->setSpeed(c.from);
        press(w.MediaPlayer1, c.key, c.modifiers);
        EXPECT_DOUBLE_EQ(speed(), c.expected) << c.from << " key " << c.key;
    }
    w.ActiveMovie1->setSpeed(0.5);
    for (int step = 0; step < 15; ++step)
        press(w.ScrollBar1, Qt::Key_BracketRight);
    EXPECT_EQ(speed(), 2.0) << "fifteen steps land exactly on the top";
    EXPECT_EQ(w.ActiveMovie1->findChild<SpeedBadge*>()->text(), QStringLiteral("2.0×"));
}

TEST_F(SpeedKeysTest, KeysGoToTypingWhereTypingGoes)
{
    TfrmMain& w = start();
    QApplication::setActiveWindow(&w);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_BracketLeft);
    EXPECT_DOUBLE_EQ(speed(), 0.9) << "at first the window, not the bookmark list, has the focus";
    w.ActiveMovie1->setSpeed(1.0);
    QWidget elsewhere;
    elsewhere.show();
    for (QWidget* typing : std::initializer_list<QWidget*>{w.titleDes, w.selBm, w.selJob, w.frelBrowser, &elsewhere}) {
        press(typing, Qt::Key_BracketRight);
        EXPECT_EQ(speed(), 1.0) << typing->metaObject()->className();
    }
    press(&w, Qt::Key_BracketRight);
    EXPECT_DOUBLE_EQ(speed(), 1.1) << "the window itself has the focus";
}

// The full-screen picture holds the keyboard: the keys act there too, and
// the badge shows over it.
TEST_F(SpeedKeysTest, KeysActOnTheFullScreenPictureWithTheBadgeOverIt)
{
    TfrmMain& w = start();
    w.ActiveMovie1->setFullScreenMode(true);
    QWidget* full = harness.video->fullScreenWindow();
    full->show();
    press(full, Qt::Key_BracketRight);
    EXPECT_DOUBLE_EQ(speed(), 1.1);
    auto* badge = full->findChild<SpeedBadge*>();
    ASSERT_NE(badge, nullptr);
    EXPECT_TRUE(badge->isVisible());
    harness.video->simulateLeaveFullScreen();
    press(&w, Qt::Key_Backspace);
    EXPECT_EQ(w.ActiveMovie1->findChild<SpeedBadge*>(), badge) << "back over the window's picture";
}

// c turns the captions off and on wherever the speed keys act, and the
// choice is there at the next start.
TEST_F(SpeedKeysTest, CTurnsTheCaptionsOffAndOnAndTheChoiceIsKept)
{
    TfrmMain& w = start();
    QTemporaryDir folder;
    const UserSettings settings(folder.filePath("tovrelle.conf"));
    auto captions = std::make_unique<CaptionsChoice>(settings, *harness.video);
    keys->onCaptionsKey = [&] { captions->toggle(); };
    EXPECT_TRUE(harness.video->captions) << "shown at first";
    const struct {
        QWidget* focus;
        Qt::KeyboardModifiers modifiers;
        bool shown;
    } cases[] = {
        {&w, Qt::NoModifier, false}, {w.MediaPlayer1, Qt::ShiftModifier, true}, {w.titleDes, Qt::NoModifier, true},
        {&w, Qt::ControlModifier, true}, {w.ScrollBar1, Qt::NoModifier, false},
    };
    for (const auto& c : cases) {
        press(c.focus, Qt::Key_C, c.modifiers);
        EXPECT_EQ(harness.video->captions, c.shown) << c.focus->metaObject()->className() << " " << int(c.modifiers);
    }
    harness.video->captions = true;
    captions = std::make_unique<CaptionsChoice>(settings, *harness.video);
    EXPECT_FALSE(harness.video->captions) << "off at the next start";
}

}  // namespace
