#pragma once

#include <QString>

// A value quoted into a message for the user (a course value, an address, a
// file name): up to about 200 characters as it is, a longer one cut there
// and ended with "…", so that no file can fill the screen with one box.
QString quotedValue(const QString& value);

// A text of at most longest characters: a longer one is cut there and ended
// with "…", never within a character outside the basic plane.
QString cutShort(const QString& value, qsizetype longest);
