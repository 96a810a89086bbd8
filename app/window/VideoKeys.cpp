#include "VideoKeys.h"

#include <QKeyEvent>

#include "ActivationKey.h"
#include "CD_Quorvate1.h"
#include "ErrorReporting.h"

VideoKeys::VideoKeys(TfrmMain& window) : QObject(window.ActiveMovie1), window_(window)
{
    window.ActiveMovie1->installEventFilter(this);
}

bool VideoKeys::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool nextView = key.key() != Qt::Key_Space && isActivationKey(key);
    const bool fullScreen = key.key() == Qt::Key_F && key.modifiers() == Qt::NoModifier;
    if (!nextView && !fullScreen)
        return false;
    if (key.isAutoRepeat())
        return true;
    if (nextView)
        runGuarded([this] { window_.ActiveMovie1MouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0); });
    else
        runGuarded([this] { window_.ActiveMovie1DblClick(); });
    return true;
}
