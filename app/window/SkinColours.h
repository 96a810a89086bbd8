#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The colours of the window's skin.
namespace SkinColours {

inline const QColor kBlack(0x00, 0x00, 0x00);
inline const QColor kSectionPurple(0x1D, 0x05, 0x4F);
inline const QColor kStripDark(0x0A, 0x02, 0x1A);
inline const QColor kFrameNavy(0x08, 0x0D, 0x37);
inline const QColor kOutlineViolet(0x55, 0x43, 0x7B);
inline const QColor kSilver(0xC0, 0xC0, 0xC0);
inline const QColor kButtonFace(0xD4, 0xD0, 0xC8);

// The font colour of an edit, combo box or button.
inline void setFontColour(QWidget* control, QColor colour)
{
    QPalette colours = control->palette();
    colours.setColor(QPalette::Text, colour);
    colours.setColor(QPalette::ButtonText, colour);
    control->setPalette(colours);
}

// The background of an edit or combo box.
inline void setBackgroundColour(QWidget* control, QColor colour)
{
    QPalette colours = control->palette();
    colours.setColor(QPalette::Base, colour);
    control->setPalette(colours);
}

}  // namespace SkinColours
