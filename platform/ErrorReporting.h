#pragma once

#include <QString>

// Shows one error to the user. The real one is a critical message box with a
// single OK button; tests put a recorder in its place.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void showError(const QString& caption, const QString& text) = 0;
};

// The application's error reporting: every error that ends an event handler or
// the start-up sequence ends up here. Used from the UI thread only.
namespace ErrorReporting {

// Wires the box and the program title. Until then errors go to standard error.
void install(ErrorBox* box, const QString& programTitle);

// The text the box shows: a full stop is added when the last character sorts
// after the full stop.
QString withClosingStop(const QString& text);

// Shows the error text in the box. While the box is open, a further error
// (from a timer's tick or an event the box's loop delivers) opens no second
// box; its text goes to standard error.
void reportText(const QString& text);

// Call only inside a catch block: reports the exception being handled.
void reportCurrentException();

}  // namespace ErrorReporting

// Runs one event handler; an error ends the handler, is reported, and the
// program goes on. No exception ever leaves this function.
template <class Handler>
void runGuarded(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        ErrorReporting::reportCurrentException();
    }
}
