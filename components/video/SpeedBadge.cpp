#include "SpeedBadge.h"

namespace {

constexpr int kMargin = 12;

}  // namespace

SpeedBadge::SpeedBadge(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 160); color: white; font: bold 20px sans-serif;"
                                 "padding: 6px 12px; border-radius: 6px;"));
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(ShownMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void SpeedBadge::showSpeed(double factor)
{
    setText(QString::number(factor, 'f', 1) + QChar(0x00D7));
    adjustSize();
    move(parentWidget()->width() - width() - kMargin, kMargin);
    raise();
    show();
    hideTimer_.start();
}
