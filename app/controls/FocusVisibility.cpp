#include "FocusVisibility.h"

#include <QApplication>
#include <QKeyEvent>

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

bool FocusVisibility::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
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
