#include "PointerRest.h"

#include <QEvent>
#include <QWidget>

#include "ErrorReporting.h"

namespace {

// Long enough to let a pointer sweep across a small control, well short of
// the time a person takes from reaching a tab to clicking it.
constexpr int kRestMs = 150;

}  // namespace

PointerRest::PointerRest(QWidget* widget, std::function<void()> rested) : QObject(widget), rested_(std::move(rested))
{
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, [this] { runGuarded(rested_); });
    widget->installEventFilter(this);
}

bool PointerRest::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Enter)
        rest_.start();
    else if (event->type() == QEvent::Leave)
        rest_.stop();
    return false;
}
