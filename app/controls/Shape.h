#pragma once

#include <QColor>
#include <QWidget>

// A rectangle shape: a one-pixel outline in the pen colour around a fill in
// the brush colour.
class TShape : public QWidget {
    Q_OBJECT
public:
    TShape(QWidget* parent, QColor pen, QColor brush);

    void setPenColor(QColor pen);
    void setBrushColor(QColor brush);
    QColor penColor() const { return pen_; }
    QColor brushColor() const { return brush_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor pen_;
    QColor brush_;
};
