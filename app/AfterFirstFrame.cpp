#include "AfterFirstFrame.h"

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
    window_.installEventFilter(this);
    QTimer::singleShot(kLatestMs, this, &AfterFirstFrame::run);
}

// The frame is on screen once its paint event is handled, so the work comes
// in the next turn of the event loop.
bool AfterFirstFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        QTimer::singleShot(0, this, &AfterFirstFrame::run);
    }
    return false;
}

void AfterFirstFrame::run()
{
    if (!work_)
        return;
    window_.removeEventFilter(this);
    runGuarded(std::exchange(work_, nullptr));
}
