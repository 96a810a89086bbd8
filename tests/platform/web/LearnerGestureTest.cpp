// Which requests a learner's press vouches for: the events a view gets, and
// the links the engine reports as the pointer or the keyboard reaches them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "LearnerGesture.h"
#include "TestApplication.h"

namespace {

const char* const kLink = "http://www.example.org/link";
const char* const kOther = "http://popup.test/other";

// One step: 'm' the pointer moves, 'L' or 'O' the engine reports kLink or
// kOther, 'l' 'r' 'c' a press of the left, right or middle button, 't' Tab,
// 'e' Enter.
void play(QWidget& view, LearnerGesture& gesture, char step)
{
    const QPointF at(10, 10);
    const Qt::MouseButton button = step == 'l' ? Qt::LeftButton : step == 'r' ? Qt::RightButton : Qt::MiddleButton;
    QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, button, button, Qt::NoModifier);
    QKeyEvent key(QEvent::KeyPress, step == 't' ? Qt::Key_Tab : Qt::Key_Return, Qt::NoModifier);
    if (step == 'L' || step == 'O')
        gesture.pointAt(QUrl(QString::fromLatin1(step == 'L' ? kLink : kOther)));
    else
        QCoreApplication::sendEvent(&view, step == 'm' ? static_cast<QEvent*>(&move)
                                           : (step == 't' || step == 'e') ? static_cast<QEvent*>(&key) : &press);
}

TEST(LearnerGesture, OnlyTheLinkPressedVouches)
{
    testApplication();
    const struct {
        const char* name;
        const char* steps;
        const char* asked;
        bool vouched;
    } cases[] = {
        {"LeftClickOnALink", "mLl", kLink, true},
        {"RightClickOnALink", "mLr", kLink, false},
        {"MiddleClickOnALink", "mLc", kLink, false},
        {"RightClickAfterALeftClick", "mLlr", kLink, false},
        {"LateReportAfterAClickOnNothingWhileMoving", "mlL", kLink, true},
        {"LateReportAfterAClickOnALink", "mLlO", kOther, false},
        {"LateReportAfterAQuickMoveFromALink", "mLmlO", kOther, true},
        {"LinkClickedStillCountsAfterALateReport", "mLlO", kLink, true},
        {"LateReportUnderAStillPointer", "lL", kLink, false},
        {"EnterOnTheKeyboardsLink", "tLe", kLink, true},
        {"EnterInAFieldUnderTheRestingPointer", "mLte", kLink, false},
        {"EnterInAFieldTabbedToFromALink", "tLte", kLink, false},
        {"EnterAfterAClickInAField", "tLmle", kLink, false},
        {"AnotherAddressThanTheLinkPressed", "mLl", kOther, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget view;
        view.setMouseTracking(true);  // as the engine's view follows the pointer
        auto* gesture = new LearnerGesture(&view);
        for (const char* step = c.steps; *step; ++step)
            play(view, *gesture, *step);
        EXPECT_EQ(gesture->takeFor(QUrl(QString::fromLatin1(c.asked))), c.vouched);
    }
}

}  // namespace
