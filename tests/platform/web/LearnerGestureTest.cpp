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

// One step: 'm' the pointer moves, 'h' the engine reports a link (empty for
// none), 'l' 'r' 'c' a press of the left, right or middle button, 't' Tab,
// 'e' Enter.
struct Step {
    char what;
    const char* link = "";
};

struct GestureCase {
    const char* name;
    std::vector<Step> steps;
    const char* asked;
    bool vouched;
};

void play(QWidget& view, LearnerGesture& gesture, const Step& step)
{
    const QPointF at(10, 10);
    const auto button = [&](Qt::MouseButton which) {
        QMouseEvent press(QEvent::MouseButtonPress, at, at, which, which, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
    };
    const auto key = [&](int which) {
        QKeyEvent press(QEvent::KeyPress, which, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
    };
    switch (step.what) {
    case 'm': {
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        break;
    }
    case 'h':
        gesture.pointAt(QUrl(QString::fromLatin1(step.link)));
        break;
    case 'l':
        return button(Qt::LeftButton);
    case 'r':
        return button(Qt::RightButton);
    case 'c':
        return button(Qt::MiddleButton);
    case 't':
        return key(Qt::Key_Tab);
    case 'e':
        return key(Qt::Key_Return);
    }
}

TEST(LearnerGesture, OnlyTheLinkPressedVouches)
{
    testApplication();
    const char* link = "http://www.example.org/link";
    const char* other = "http://popup.test/other";
    const GestureCase cases[] = {
        {"LeftClickOnALink", {{'m'}, {'h', link}, {'l'}}, link, true},
        {"RightClickOnALink", {{'m'}, {'h', link}, {'r'}}, link, false},
        {"MiddleClickOnALink", {{'m'}, {'h', link}, {'c'}}, link, false},
        {"RightClickAfterALeftClick", {{'m'}, {'h', link}, {'l'}, {'r'}}, link, false},
        {"LateReportAfterAClickOnNothingWhileMoving", {{'m'}, {'l'}, {'h', link}}, link, true},
        {"LateReportAfterAClickOnALink", {{'m'}, {'h', link}, {'l'}, {'h', other}}, other, false},
        {"LinkClickedStillCountsAfterALateReport", {{'m'}, {'h', link}, {'l'}, {'h', other}}, link, true},
        {"LateReportUnderAStillPointer", {{'l'}, {'h', link}}, link, false},
        {"EnterOnTheKeyboardsLink", {{'t'}, {'h', link}, {'e'}}, link, true},
        {"EnterInAFieldUnderTheRestingPointer", {{'m'}, {'h', link}, {'t'}, {'e'}}, link, false},
        {"EnterAfterAClickInAField", {{'t'}, {'h', link}, {'m'}, {'l'}, {'e'}}, link, false},
        {"AnotherAddressThanTheLinkPressed", {{'m'}, {'h', link}, {'l'}}, other, false},
    };
    for (const GestureCase& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget view;
        view.setMouseTracking(true);  // as the engine's view follows the pointer
        auto* gesture = new LearnerGesture(&view);
        for (const Step& step : c.steps)
            play(view, *gesture, step);
        EXPECT_EQ(gesture->takeFor(QUrl(QString::fromLatin1(c.asked))), c.vouched);
    }
}

}  // namespace
