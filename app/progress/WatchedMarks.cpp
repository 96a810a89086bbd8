#include "WatchedMarks.h"

#include <QPainter>
#include <QPainterPath>

#include "CD_Quorvate1.h"
#include "SkinColours.h"

namespace {

constexpr int kTickSize = 9;

}  // namespace

WatchedMarks::WatchedMarks(TfrmMain& window) : QWidget(window.trPanel), window_(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    refresh();
}

void WatchedMarks::refresh()
{
    const TImage* strip = window_.Image15;
    setGeometry(0, strip->y(), strip->x(), strip->height());
    setVisible(strip->isVisibleTo(window_.trPanel) && !window_.watchedLessons.empty());
    raise();
    update();
}

void WatchedMarks::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SkinColours::kSilver, 2));
    const LessonRows rows = window_.lessonRows();
    const int left = (width() - kTickSize) / 2;
    for (const std::int32_t lesson : window_.watchedLessons) {
        const std::int64_t middle = rows.top(lesson) + rows.height / 2;
        // Rows below the picture's edge cannot be pointed at, nor marked.
        if (lesson > rows.count || rows.height < 0 || middle < 0 || middle > height())
            continue;
        const int top = int(middle) - kTickSize / 2;
        QPainterPath tick;
        tick.moveTo(left, top + kTickSize / 2);
        tick.lineTo(left + kTickSize / 3, top + kTickSize);
        tick.lineTo(left + kTickSize, top);
        painter.drawPath(tick);
    }
}
