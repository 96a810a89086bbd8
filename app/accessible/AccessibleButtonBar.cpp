#include "AccessibleButtonBar.h"

#include <utility>

#include "ActiveMovie.h"
#include "MediaPlayer.h"
#include "ReaderActions.h"

AccessibleButtonBar::AccessibleButtonBar(TMediaPlayer* bar, const TActiveMovie& movie)
    : AccessibleComposite(bar, QAccessible::ToolBar, QStringLiteral("Player")), movie_(movie),
      buttons_([this](int button) { return new AccessibleBarButton(this, button); }), toldInEffect_(buttonInEffect())
{
}

int AccessibleButtonBar::buttonInEffect() const
{
    switch (movie_.PlayState()) {
    case VideoControl::Playing:
    case VideoControl::Waiting:
        return TMediaPlayer::btPlay;
    case VideoControl::Paused:
        return TMediaPlayer::btPause;
    case VideoControl::Stopped:
        return TMediaPlayer::btStop;
    default:
        return -1;
    }
}

void AccessibleButtonBar::reportChanges()
{
    const int now = buttonInEffect();
    if (now == toldInEffect_)
        return;
    tellChecked(std::exchange(toldInEffect_, now));
    tellChecked(now);
}

void AccessibleButtonBar::tellChecked(int button)
{
    if (QAccessibleInterface* part = child(button)) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(part, changed);
        QAccessible::updateAccessibility(&event);
    }
}

TMediaPlayer* AccessibleButtonBar::bar() const
{
    return static_cast<TMediaPlayer*>(widget());
}

int AccessibleButtonBar::childCount() const
{
    return TMediaPlayer::ButtonCount;
}

QAccessibleInterface* AccessibleButtonBar::child(int index) const
{
    return index >= 0 && index < childCount() ? buttons_.part(index) : nullptr;
}

QAccessibleInterface* AccessibleButtonBar::focusChild() const
{
    return bar()->hasFocus() ? child(bar()->cursor()) : nullptr;
}

QString AccessibleBarButton::text(QAccessible::Text t) const
{
    static const char* const names[TMediaPlayer::ButtonCount] = {"Play", "Pause", "Stop"};
    return t == QAccessible::Name ? QString::fromLatin1(names[button_]) : QString();
}

QRect AccessibleBarButton::rect() const
{
    const QRect drawn = bar_->bar()->buttonRect(button_);
    return QRect(bar_->bar()->mapToGlobal(drawn.topLeft()), drawn.size());
}

QAccessible::State AccessibleBarButton::state() const
{
    QAccessible::State state = sharedState();
    state.focusable = true;
    state.focused = bar_->focusChild() == this;
    state.checkable = true;
    state.checked = bar_->buttonInEffect() == button_;
    return state;
}

void AccessibleBarButton::doAction(const QString& action)
{
    if (action == pressAction() && !state().disabled)
        runForReader(bar_->bar(), [bar = bar_->bar(), button = button_] { bar->click(button); });
}
