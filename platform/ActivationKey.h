#pragma once

#include <QKeyEvent>

// The keys that press the control with the keyboard focus, as a click would:
// Return, Enter (the keypad's too) and Space, without Ctrl, Alt, Meta or Shift.
inline bool isActivationKey(const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
}
