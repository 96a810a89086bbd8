#include "ProgressOffer.h"

#include <cmath>

#include <QHBoxLayout>
#include <QKeyEvent>

#include "ProgramFont.h"

namespace {

constexpr int kMargin = 12;

}  // namespace

ProgressOffer::ProgressOffer(QWidget* video)
    : QFrame(video->parentWidget()), video_(video), button_(new QPushButton(this))
{
    setObjectName(QStringLiteral("progressOffer"));
    setStyleSheet(QStringLiteral("#progressOffer { background: #080D37; border: 1px solid #55437B; }"
                                 "QPushButton { background: transparent; color: #C0C0C0; border: 1px solid "
                                 "transparent; padding: 3px 8px; font-weight: bold; }"
                                 "QPushButton:hover { color: white; }"
                                 "QPushButton:focus { color: white; border: 1px dotted #C0C0C0; }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(button_);
    button_->setFont(programFont());
    button_->setFocusPolicy(Qt::TabFocus);
    button_->setCursor(Qt::PointingHandCursor);
    button_->installEventFilter(this);
    connect(button_, &QPushButton::clicked, this, [this] {
        const auto accepted = accepted_;
        withdraw();
        if (accepted)
            accepted();
    });
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(ShownMs);
    connect(&hideTimer_, &QTimer::timeout, this, &ProgressOffer::withdraw);
    hide();
}

// Shown without the focus; the notification tells readers of it.
void ProgressOffer::offer(const QString& text, std::function<void()> accepted)
{
    accepted_ = std::move(accepted);
    button_->setText(text);
    setAccessibleName(text);
    adjustSize();
    move(video_->pos() + QPoint(kMargin, kMargin));
    raise();
    show();
    hideTimer_.start();
}

void ProgressOffer::withdraw()
{
    hideTimer_.stop();
    accepted_ = nullptr;
    hide();
}

// Return runs the offer as Space does.
bool ProgressOffer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == button_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button_->click();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

QString clockText(double seconds)
{
    const long long whole = std::isfinite(seconds) && seconds > 0 ? static_cast<long long>(seconds) : 0;
    const QString secondsText = QStringLiteral(":%1").arg(whole % 60, 2, 10, QChar(u'0'));
    if (whole < 3600)
        return QString::number(whole / 60) + secondsText;
    return QStringLiteral("%1:%2").arg(whole / 3600).arg(whole / 60 % 60, 2, 10, QChar(u'0')) + secondsText;
}
