#pragma once

#include <functional>

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QWidget>

class FocusVisibility;

// The frame that shows where the keyboard focus is: two lines, a light one
// outside a dark one, so that it stands out on light and dark pictures alike,
// around the followed control that has the focus, or around the part of it
// the keyboard's cursor is on (a row, a button). It shows only while the
// focus is to be shown, lies over the control's siblings and takes no input.
// Controls it does not follow show their focus their own way. UI thread only.
class FocusFrame : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 2;

    FocusFrame(QWidget& window, const FocusVisibility& visibility, QColor outer, QColor inner);

    // Frames the control while it has the focus: its whole area, or the part
    // that cursorArea gives in the control's own coordinates.
    void follow(QWidget* control, std::function<QRect()> cursorArea = {});

public slots:
    // Follows the focus, the control's place and its cursor.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* framedControl() const;
    void watch(QWidget* control);

    QWidget& window_;
    const FocusVisibility& visibility_;
    QColor outer_;
    QColor inner_;
    QHash<QWidget*, std::function<QRect()>> followed_;
    QPointer<QWidget> watched_;
};
