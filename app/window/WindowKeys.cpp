#include "WindowKeys.h"

#include <array>

#include <QApplication>
#include <QKeyEvent>

#include "CD_Quorvate1.h"

WindowKeys::WindowKeys(TfrmMain& window) : window_(window)
{
    qApp->installEventFilter(this);
}

int WindowKeys::sectionStep(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return 0;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (key.key()) {
    case Qt::Key_Tab:
        return shift ? -1 : 1;
    case Qt::Key_Backtab:
        return -1;
    case Qt::Key_PageDown:
        return shift ? 0 : 1;
    case Qt::Key_PageUp:
        return shift ? 0 : -1;
    default:
        return 0;
    }
}

// The tab takes the focus, then runs its own click: hiding the section that
// held the focus would send it on to another control first. The section
// shown is the panel that is visible.
void WindowKeys::showSectionAfter(int step)
{
    const std::array<TPanel*, 3> sections = {window_.trPanel, window_.rePanel, window_.spPanel};
    const std::array<TImage*, 3> tabs = {window_.imgTrHotspot, window_.imgReHotspot, window_.ImgSpHotspot};
    int shown = 0;
    while (shown < 2 && !sections[shown]->isVisible())
        ++shown;
    TImage* tab = tabs[(shown + step + 3) % 3];
    tab->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (tab->OnClick)
        tab->OnClick();
}

bool WindowKeys::playsOrPauses(const QWidget* widget, const QKeyEvent& key) const
{
    if (key.key() != Qt::Key_Space || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // On Stop, Space presses Stop as on any button.
    const bool barOnPlayOrPause = widget == window_.MediaPlayer1 && window_.MediaPlayer1->cursor() != TMediaPlayer::btStop;
    return widget == window_.ActiveMovie1 || barOnPlayOrPause
        || widget->window() == window_.ActiveMovie1->fullScreenWindow();
}

void WindowKeys::playOrPause()
{
    const int state = window_.ActiveMovie1->PlayState();
    const bool playing = state == VideoControl::Playing || state == VideoControl::Waiting;
    window_.MediaPlayer1->click(playing ? TMediaPlayer::btPause : TMediaPlayer::btPlay);
}

// A key goes first to the widget with the focus, or to the window when none
// has it, then up to its parents: acting on that first widget alone acts once
// per press.
bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(watched);
    const QWidget* focus = QApplication::focusWidget();
    if (widget != (focus ? focus : widget->window()))
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (widget->window() == &window_) {
        if (const int step = sectionStep(key); step != 0) {
            showSectionAfter(step);
            return true;
        }
    }
    if (!playsOrPauses(widget, key))
        return false;
    // A key held down plays or pauses once.
    if (!key.isAutoRepeat())
        playOrPause();
    return true;
}
