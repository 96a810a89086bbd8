#include "Panel.h"

TPanel::TPanel(QWidget* parent, QColor color) : QWidget(parent)
{
    setAutoFillBackground(true);
    setColor(color);
}

void TPanel::setColor(QColor color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}
