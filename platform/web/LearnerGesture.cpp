#include "LearnerGesture.h"

#include <QEvent>
#include <QKeyEvent>
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
    pointed_ = link;
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

void LearnerGesture::press()
{
    pressed_ = pointed_;
    sincePress_.start();
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
    case QEvent::MouseButtonPress:
        press();
        break;
    case QEvent::KeyPress:
        if (followsLink(*static_cast<QKeyEvent*>(event)))
            press();
        break;
    default:
        break;
    }
    return false;
}
