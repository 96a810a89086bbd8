#include "AccessibleButtonBar.h"

#include "MediaPlayer.h"

AccessibleButtonBar::AccessibleButtonBar(TMediaPlayer* bar)
    : QAccessibleWidget(bar, QAccessible::ToolBar),
      buttons_([this](int button) { return new AccessibleBarButton(this, button); })
{
}

TMediaPlayer* AccessibleButtonBar::bar() const
{
    return static_cast<TMediaPlayer*>(widget());
}

QString AccessibleButtonBar::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QStringLiteral("Player") : QAccessibleWidget::text(t);
}

int AccessibleButtonBar::childCount() const
{
    return TMediaPlayer::ButtonCount;
}

QAccessibleInterface* AccessibleButtonBar::child(int index) const
{
    return index >= 0 && index < childCount() ? buttons_.part(index) : nullptr;
}

int AccessibleButtonBar::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* button = dynamic_cast<const AccessibleBarButton*>(child);
    return button && button->parent() == this ? button->button() : -1;
}

QAccessibleInterface* AccessibleButtonBar::childAt(int x, int y) const
{
    return child(bar()->buttonAt(bar()->mapFromGlobal(QPoint(x, y))));
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
    return state;
}

void AccessibleBarButton::doAction(const QString& action)
{
    if (action == pressAction() && !state().disabled)
        bar_->bar()->click(button_);
}
