#pragma once

#include <functional>

#include <QAbstractItemView>
#include <QComboBox>

// Rows of a list, or of a drop-down list's popup, all of one height in pixels.
void setItemHeight(QAbstractItemView* view, int height);

// A drop-down list that allows only choosing, not typing, with rows 13 pixels
// high. OnDropDown runs each time the list is about to open, whether by mouse
// or by keyboard, before it opens. Closed, it chooses nothing by the keys, so
// that arrows only read it: Alt+Down, F4 or Space open it, and Return in the
// open list chooses. It takes the wheel only while it has the focus, and then
// each notch chooses the next or previous entry.
class TDropDownList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 13;

    explicit TDropDownList(QWidget* parent);

    void showPopup() override;

    std::function<void()> OnDropDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The part of a notch turned so far, in eighths of a degree.
    int wheelTurn_ = 0;
};
