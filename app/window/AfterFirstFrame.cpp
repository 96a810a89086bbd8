#include "AfterFirstFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "ErrorReporting.h"

namespace {

constexpr int kLatestMs = 1000;

}  // namespace

AfterFirstFrame::AfterFirstFrame(QWidget& window, std::function<void()> work)
    : window_(window), work_(std::move(work))
{
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(kLatestMs, this, &AfterFirstFrame::run);
}

// The frame is on screen once the paint events of its widgets are handled, so
// the work comes in the next turn of the event loop. Where the window's
// children cover it whole, only they are painted.
bool AfterFirstFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        QCoreApplication::instance()->removeEventFilter(this);
        QTimer::singleShot(0, this, &AfterFirstFrame::run);
    }
    return false;
}

void AfterFirstFrame::run()
{
    if (!work_)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    runGuarded(std::exchange(work_, nullptr));
}
