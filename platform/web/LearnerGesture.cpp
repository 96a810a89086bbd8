#include "LearnerGesture.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

// As long as the engine itself lets a click count for what follows it.
constexpr qint64 kPressLastsMs = 5000;

// The engine tells which link the pointer is over a moment after it got
// there; a press that follows the pointer's move at once is still told of it.
constexpr qint64 kPointingCatchesUpMs = 300;

// Enter follows the link the keyboard is on; a held key repeating is no new press.
bool followsLink(const QKeyEvent& key)
{
    return !key.isAutoRepeat() && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

bool sameAddress(const QUrl& a, const QUrl& b)
{
    return a.toString(QUrl::FullyEncoded) == b.toString(QUrl::FullyEncoded);
}

}  // namespace

LearnerGesture::LearnerGesture(QWidget* view) : QObject(view)
{
    watch(view);
    for (QWidget* inside : view->findChildren<QWidget*>())
        watch(inside);
}

void LearnerGesture::pointAt(const QUrl& link)
{
    (keyboardLast_ ? pointedByKeyboard_ : pointedByMouse_) = link;
    pointedSinceMove_ = !keyboardLast_;
    if (keyboardLast_ || !pointingMayCatchUp_)
        return;
    pointingMayCatchUp_ = false;
    if (sincePress_.isValid() && sincePress_.elapsed() <= kPointingCatchesUpMs)
        pressed_ = link;
}

bool LearnerGesture::takeFor(const QUrl& address)
{
    if (!sincePress_.isValid() || sincePress_.elapsed() > kPressLastsMs || pressed_.isEmpty() ||
        !sameAddress(pressed_, address))
        return false;
    sincePress_.invalidate();
    pressed_.clear();
    return true;
}

void LearnerGesture::watch(QObject* object)
{
    object->installEventFilter(this);
}

void LearnerGesture::press(const QUrl& link, bool pointingMayCatchUp)
{
    pressed_ = link;
    pointingMayCatchUp_ = pointingMayCatchUp;
    sincePress_.start();
}

void LearnerGesture::forgetPress()
{
    pressed_.clear();
    pointingMayCatchUp_ = false;
    sincePress_.invalidate();
}

// A click puts the keyboard where it lands, so Enter then follows no link
// the keyboard was on before. Only a click while the pointer was moving may
// learn its link late, and only when it landed on no link the engine had
// told of since the pointer last moved.
void LearnerGesture::pressButton(Qt::MouseButton button)
{
    keyboardLast_ = false;
    pointedByKeyboard_.clear();
    if (button != Qt::LeftButton) {
        forgetPress();
        return;
    }
    const bool moving = sinceMove_.isValid() && sinceMove_.elapsed() <= kPointingCatchesUpMs;
    press(pointedByMouse_, moving && (pointedByMouse_.isEmpty() || !pointedSinceMove_));
}

// Tab moves the keyboard on: a link the engine tells of next is the one the
// keyboard is on, and none until then. Typing moves it nowhere.
void LearnerGesture::keyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) {
        keyboardLast_ = true;
        pointedByKeyboard_.clear();
    } else if (followsLink(key)) {
        press(pointedByKeyboard_, false);
    }
}

// The engine draws the page and takes input in widgets it adds to the view
// later, so each new one is watched as it comes.
bool LearnerGesture::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
            watch(child);
        break;
    case QEvent::MouseMove:
        keyboardLast_ = false;
        pointedSinceMove_ = false;
        sinceMove_.start();
        break;
    case QEvent::MouseButtonPress:
        pressButton(static_cast<QMouseEvent*>(event)->button());
        break;
    case QEvent::KeyPress:
        keyPress(*static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}
