#pragma once

#include "ErrorReporting.h"

#include <QPointer>
#include <QWidget>

// The real error box: a critical message box with one OK button, over the
// program's main window, and the keyboard focus given back to the control
// that had it once the box is closed.
class QtErrorBox final : public ErrorBox {
public:
    void showError(const QString& caption, const QString& text) override;

    // The window the boxes belong to; until it is set, the window active then.
    void setOwner(QWidget* window) { owner_ = window; }

private:
    QPointer<QWidget> owner_;
};

// The program's title: the executable's file name cut before its first full
// stop, first letter in capitals and the rest in lower case ("tovrelle" gives
// "Tovrelle").
QString programTitleFor(const QString& executablePath);
