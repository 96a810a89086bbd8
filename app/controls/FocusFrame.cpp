#include "FocusFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "FocusVisibility.h"

FocusFrame::FocusFrame(QWidget& window, const FocusVisibility& visibility, QColor outer, QColor inner)
    : QWidget(&window), window_(window), visibility_(visibility), outer_(outer), inner_(inner)
{
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, &FocusFrame::refresh);
    connect(&visibility, &FocusVisibility::changed, this, &FocusFrame::refresh);
}

void FocusFrame::follow(QWidget* control, std::function<QRect()> cursorArea)
{
    followed_.insert(control, std::move(cursorArea));
    connect(control, &QObject::destroyed, this, [this, control] { followed_.remove(control); });
}

QWidget* FocusFrame::framedControl() const
{
    QWidget* focus = QApplication::focusWidget();
    if (!visibility_.shown() || !focus || focus->window() != &window_ || !followed_.contains(focus))
        return nullptr;
    return focus->isVisible() ? focus : nullptr;
}

// The control's moves, size changes and hiding move the frame with it.
void FocusFrame::watch(QWidget* control)
{
    if (watched_ == control)
        return;
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = control;
    if (control)
        control->installEventFilter(this);
}

// The frame lies in the control's parent, just outside the framed area and
// within the parent's bounds, so that a control filling its parent keeps its
// frame in sight.
void FocusFrame::refresh()
{
    QWidget* control = framedControl();
    watch(control);
    const std::function<QRect()>& cursorArea = control ? followed_.value(control) : std::function<QRect()>();
    const QRect area = !control ? QRect() : cursorArea ? cursorArea().intersected(control->rect()) : control->rect();
    if (area.isEmpty()) {
        hide();
        return;
    }
    QWidget* parent = control->parentWidget();
    if (parentWidget() != parent)
        setParent(parent);
    setGeometry(area.translated(control->pos()).adjusted(-Width, -Width, Width, Width).intersected(parent->rect()));
    raise();
    show();
    update();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outer_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(inner_);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

bool FocusFrame::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        refresh();
        break;
    default:
        break;
    }
    return false;
}
