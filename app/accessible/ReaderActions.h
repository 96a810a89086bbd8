#pragma once

#include <functional>

class QObject;

// Runs a screen reader's action on the window's event loop once the reader's
// call has returned, as the click it stands for would run: a handler that
// shows a box then never holds the reader's reply back. An action whose
// control is gone by then is dropped.
void runForReader(QObject* control, std::function<void()> action);
