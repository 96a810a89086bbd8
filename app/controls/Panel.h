#pragma once

#include <QColor>
#include <QWidget>

// A flat panel without bevel: a coloured area that holds other controls.
class TPanel : public QWidget {
    Q_OBJECT
public:
    TPanel(QWidget* parent, QColor color);

    void setColor(QColor color);
    QColor color() const { return palette().color(QPalette::Window); }
};
