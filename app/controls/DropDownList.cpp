#include "DropDownList.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

}  // namespace

void setItemHeight(QAbstractItemView* view, int height)
{
    view->setItemDelegate(new FixedHeightDelegate(height, view));
}

TDropDownList::TDropDownList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // A click or Tab gives the list the focus; turning the wheel over it does not.
    setFocusPolicy(Qt::StrongFocus);
    setItemHeight(view(), ItemHeight);
    // A prompt shown while no entry is chosen reads as the list's own text, not as a faint hint.
    QPalette colours = palette();
    colours.setColor(QPalette::PlaceholderText, colours.color(QPalette::ButtonText));
    setPalette(colours);
}

void TDropDownList::showPopup()
{
    if (OnDropDown)
        OnDropDown();
    QComboBox::showPopup();
}

void TDropDownList::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus())
        return event->ignore();
    constexpr int kNotch = 120;
    wheelTurn_ += event->angleDelta().y();
    for (; wheelTurn_ >= kNotch; wheelTurn_ -= kNotch) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        keyPressEvent(&up);
    }
    for (; wheelTurn_ <= -kNotch; wheelTurn_ += kNotch) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        keyPressEvent(&down);
    }
    event->accept();
}
