#include "FocusVisibility.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

bool isModifierAlone(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
        return true;
    default:
        return false;
    }
}

}  // namespace

FocusVisibility::FocusVisibility(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

// The application asks its filters in the reverse order of their coming:
// once the window shows, with the program's key filters in place, this one
// goes first again, so that a key another filter takes still counts.
bool FocusVisibility::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == parent())
            QTimer::singleShot(0, this, [this] { qApp->installEventFilter(this); });
        break;
    case QEvent::KeyPress:
        if (!isModifierAlone(static_cast<const QKeyEvent*>(event)->key()))
            setShown(true);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
        setShown(false);
        break;
    default:
        break;
    }
    return false;
}

void FocusVisibility::setShown(bool shown)
{
    if (shown == shown_)
        return;
    shown_ = shown;
    emit changed(shown_);
}
