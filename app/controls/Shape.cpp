#include "Shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent, QColor pen, QColor brush) : QWidget(parent), pen_(pen), brush_(brush)
{
}

void TShape::setPenColor(QColor pen)
{
    pen_ = pen;
    update();
}

void TShape::setBrushColor(QColor brush)
{
    brush_ = brush;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(pen_, 1));
    painter.setBrush(brush_);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}
