#include "SpokenNotice.h"

namespace {

SpokenNotice* windowNotice = nullptr;

}  // namespace

SpokenNotice::SpokenNotice(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    QWidget::hide();
    windowNotice = this;
}

SpokenNotice::~SpokenNotice()
{
    if (windowNotice == this)
        windowNotice = nullptr;
}

void SpokenNotice::tell(const QString& text)
{
    if (windowNotice)
        windowNotice->show(text);
}

// Readers speak a notification as it comes into sight, so each message hides
// the last one and shows again.
void SpokenNotice::show(const QString& text)
{
    text_ = text;
    QWidget::hide();
    QWidget::show();
}
