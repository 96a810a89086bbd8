#include "AccessibleSeekBar.h"

#include <cmath>

#include <QEvent>
#include <QScrollBar>

#include "CD_Quorvate1.h"

namespace {

// Takes a reading when the focus lands on the bar.
class FocusLanding : public QObject {
public:
    explicit FocusLanding(QScrollBar* bar) : QObject(bar) { bar->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            reportAccessibleChanges({watched});
        return false;
    }
};

}  // namespace

AccessibleSeekBar::AccessibleSeekBar(TfrmMain& window)
    : QAccessibleWidget(window.ScrollBar1, QAccessible::Slider), window_(window)
{
    new FocusLanding(window.ScrollBar1);
    if (window.ScrollBar1->hasFocus())
        told_ = freshReading();
}

QScrollBar* AccessibleSeekBar::bar() const
{
    return window_.ScrollBar1;
}

QString AccessibleSeekBar::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return QStringLiteral("Lesson position");
    case QAccessible::Description:
        return freshReading().description;
    case QAccessible::Value:
        return QStringLiteral("%1%").arg(reading().percent);
    default:
        return QAccessibleWidget::text(t);
    }
}

void* AccessibleSeekBar::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleSeekBar::currentValue() const
{
    return reading().percent;
}

QVariant AccessibleSeekBar::maximumValue() const
{
    return bar()->maximum();
}

QVariant AccessibleSeekBar::minimumValue() const
{
    return bar()->minimum();
}

QString AccessibleSeekBar::timeText(double seconds)
{
    const long long whole = std::isfinite(seconds) && seconds > 0 ? static_cast<long long>(seconds) : 0;
    const long long hours = whole / 3600;
    const long long minutes = whole / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(secondsText);
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
}

AccessibleSeekBar::Reading AccessibleSeekBar::freshReading() const
{
    Reading reading;
    reading.percent = bar()->value();
    const double length = window_.ActiveMovie1->Duration();
    if (length > 0)
        reading.description = QStringLiteral("%1 of %2").arg(timeText(window_.ActiveMovie1->CurrentPosition()),
                                                             timeText(length));
    return reading;
}

AccessibleSeekBar::Reading AccessibleSeekBar::reading() const
{
    return bar()->hasFocus() && told_ ? *told_ : freshReading();
}

void AccessibleSeekBar::reportChanges()
{
    told_ = freshReading();
    QAccessibleValueChangeEvent event(bar(), told_->percent);
    QAccessible::updateAccessibility(&event);
}
