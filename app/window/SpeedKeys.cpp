#include "SpeedKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "ActiveMovie.h"
#include "EmbeddedWB.h"
#include "accessible/SpokenNotice.h"

// The window itself holds the focus at first, and takes it back on a click
// on the video, a picture or the lesson strip: otherwise the first control,
// the bookmark list, would hold it and the keys would never act.
SpeedKeys::SpeedKeys(QWidget& window, TActiveMovie& movie) : window_(window), movie_(movie)
{
    window_.setFocusPolicy(Qt::ClickFocus);
    window_.setFocus();
    qApp->installEventFilter(this);
}

namespace {

// A key pressed alone or with Shift; with the others it is a shortcut's.
bool plain(const QKeyEvent& key)
{
    return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

double SpeedKeys::speedFor(const QKeyEvent& key, double present)
{
    if (!plain(key))
        return 0.0;
    switch (key.key()) {
    case Qt::Key_BracketRight:
        return present + TActiveMovie::SpeedStep;
    case Qt::Key_BracketLeft:
        return present - TActiveMovie::SpeedStep;
    case Qt::Key_Backspace:
        return 1.0;
    default:
        return 0.0;
    }
}

// The widget or one of its parents takes typed text.
bool SpeedKeys::typingGoesTo(const QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
            qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
            qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const TEmbeddedWB*>(widget))
            return true;
    }
    return false;
}

// A key goes first to the widget with the focus, or to the window when none
// has it, then up to its parents while they leave it. Deciding on that first
// widget alone, and taking the key there, changes the speed once per press
// and never behind a field that leaves the key to its parents. The
// full-screen picture, which holds the keyboard, has nothing to type into.
bool SpeedKeys::actsOn(const QWidget* widget) const
{
    if (widget->window() == movie_.fullScreenWindow())
        return true;
    const QWidget* focus = QApplication::focusWidget();
    return widget == (focus ? focus : widget->window()) && widget->window() == &window_ && !typingGoesTo(widget);
}

bool SpeedKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !actsOn(static_cast<QWidget*>(watched)))
        return false;
    return takeKey(static_cast<const QKeyEvent&>(*event));
}

// Says whether the key was one of ours.
bool SpeedKeys::takeKey(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_C && plain(key) && onCaptionsKey) {
        onCaptionsKey();
        return true;
    }
    const double speed = speedFor(key, movie_.Speed());
    if (speed == 0.0)
        return false;
    movie_.setSpeed(speed);
    SpokenNotice::tell(QStringLiteral("Speed %1 times").arg(movie_.Speed(), 0, 'f', 1));
    return true;
}
