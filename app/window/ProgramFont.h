#pragma once

#include <QFont>

// The text font of every window and control: a sans-serif face 11 pixels
// high, with the metrics the layout's label and button sizes were made for.
inline QFont programFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}
