#include "ScrollBarNotifier.h"

#include <optional>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// The events after which a user's action on the bar is over: the last mouse
// button let go, a key let go, one turn of the wheel, a choice from the
// bar's own menu.
bool endsUserAction(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent*>(event)->buttons() == Qt::NoButton;
    case QEvent::KeyRelease:
        return !static_cast<const QKeyEvent*>(event)->isAutoRepeat();
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// The keys of a scroll bar control, the same for both orientations.
std::optional<QAbstractSlider::SliderAction> stepOfKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return std::nullopt;
    }
}

std::optional<TScrollCode> scrollCodeOf(int action, bool thumbHeld)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return TScrollCode::scLineDown;
    case QAbstractSlider::SliderSingleStepSub:
        return TScrollCode::scLineUp;
    case QAbstractSlider::SliderPageStepAdd:
        return TScrollCode::scPageDown;
    case QAbstractSlider::SliderPageStepSub:
        return TScrollCode::scPageUp;
    case QAbstractSlider::SliderToMinimum:
        return TScrollCode::scTop;
    case QAbstractSlider::SliderToMaximum:
        return TScrollCode::scBottom;
    case QAbstractSlider::SliderMove:
        return thumbHeld ? TScrollCode::scTrack : TScrollCode::scPosition;
    default:
        return std::nullopt;
    }
}

}  // namespace

ScrollBarNotifier::ScrollBarNotifier(QScrollBar* bar) : QObject(bar), bar_(bar)
{
    bar->installEventFilter(this);
    // The bar reports a step after taking its new slider place but before
    // its position follows: the notification still sees the old position.
    connect(bar, &QAbstractSlider::actionTriggered, this, &ScrollBarNotifier::stepTriggered);
    connect(bar, &QAbstractSlider::sliderPressed, this, &ScrollBarNotifier::thumbPressed);
    connect(bar, &QAbstractSlider::sliderReleased, this, &ScrollBarNotifier::thumbReleased);
    connect(bar, &QAbstractSlider::valueChanged, this, [this] {
        // While the bar's menu is open the program may still move the bar;
        // only a move made once the menu has closed is the user's choice.
        if (handlingUserEvent_ && !QApplication::activePopupWidget())
            scrolling_ = true;
        if (OnChange)
            OnChange();
    });
}

// The bar handles the event first, so that everything the action does (a
// held arrow's repeats stopping, the thumb let go) is done before its end.
bool ScrollBarNotifier::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != bar_)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const std::optional<QAbstractSlider::SliderAction> step = stepOfKey(static_cast<QKeyEvent*>(event)->key());
        if (step)
            bar_->triggerAction(*step);
        return bool(step);
    }
    if (!endsUserAction(event))
        return false;
    handlingUserEvent_ = true;
    static_cast<QObject*>(bar_)->event(event);
    handlingUserEvent_ = false;
    if (scrolling_)
        endScroll();
    return true;
}

void ScrollBarNotifier::stepTriggered(int action)
{
    const bool thumbHeld = bar_->isSliderDown();
    const std::optional<TScrollCode> code = scrollCodeOf(action, thumbHeld);
    if (!code)
        return;
    if (thumbHeld)
        thumbPos_ = bar_->sliderPosition();
    scrolling_ = true;
    notify(*code, bar_->sliderPosition());
}

void ScrollBarNotifier::thumbPressed()
{
    thumbPos_ = bar_->sliderPosition();
}

// The thumb goes where the user let it go, even when the program moved the
// bar while it was held.
void ScrollBarNotifier::thumbReleased()
{
    notify(TScrollCode::scPosition, thumbPos_);
    bar_->setValue(thumbPos_);
    endScroll();
}

void ScrollBarNotifier::endScroll()
{
    scrolling_ = false;
    notify(TScrollCode::scEndScroll, bar_->value());
}

void ScrollBarNotifier::notify(TScrollCode code, int scrollPos)
{
    if (OnScroll)
        OnScroll(code, scrollPos);
}
