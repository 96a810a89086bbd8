#include "LearnerGesture.h"

#include <QEvent>
#include <QWidget>

namespace {

// As long as the engine itself lets a click count for what follows it.
constexpr qint64 kPressLastsMs = 5000;

}  // namespace

LearnerGesture::LearnerGesture(QWidget* view) : QObject(view)
{
    watch(view);
    for (QWidget* inside : view->findChildren<QWidget*>())
        watch(inside);
}

bool LearnerGesture::take()
{
    const bool recent = sincePress_.isValid() && sincePress_.elapsed() <= kPressLastsMs;
    sincePress_.invalidate();
    return recent;
}

void LearnerGesture::watch(QObject* object)
{
    object->installEventFilter(this);
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
    case QEvent::KeyPress:
        sincePress_.start();
        break;
    default:
        break;
    }
    return false;
}
