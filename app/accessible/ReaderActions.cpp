#include "ReaderActions.h"

#include <QTimer>

#include "ErrorReporting.h"

void runForReader(QObject* control, std::function<void()> action)
{
    QTimer::singleShot(0, control, [action = std::move(action)] { runGuarded(action); });
}
