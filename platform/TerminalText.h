#pragma once

#include <QString>

// Text from a course or a page made safe to print on a terminal: control
// characters and invisible format characters (escape sequences, bidi
// overrides, zero-width marks) come out as visible escapes such as "\x1B"
// or "\u202E", so nothing printed can move the cursor, recolour the
// terminal or reorder what a reader sees.
QString escapedControls(const QString& text);
