#pragma once

#include "ErrorReporting.h"

// The real error box: a critical message box with one OK button.
class QtErrorBox final : public ErrorBox {
public:
    void showError(const QString& caption, const QString& text) override;
};

// The program's title: the executable's file name cut before its first full
// stop, first letter in capitals and the rest in lower case ("tovrelle" gives
// "Tovrelle").
QString programTitleFor(const QString& executablePath);
