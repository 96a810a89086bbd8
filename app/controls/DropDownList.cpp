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

namespace {

// A key that would choose another entry of the closed list: an arrow or a
// jump without Alt, or a letter that searches the entries.
bool choosesWhileClosed(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !(key.modifiers() & Qt::AltModifier);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    case Qt::Key_Space:
        return false;
    default:
        return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            && !key.text().isEmpty() && key.text().at(0).isPrint();
    }
}

}  // namespace

void TDropDownList::keyPressEvent(QKeyEvent* event)
{
    if (choosesWhileClosed(*event))
        return event->accept();
    QComboBox::keyPressEvent(event);
}

void TDropDownList::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus())
        return event->ignore();
    constexpr int kNotch = 120;
    wheelTurn_ += event->angleDelta().y();
    for (; wheelTurn_ >= kNotch; wheelTurn_ -= kNotch) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QComboBox::keyPressEvent(&up);
    }
    for (; wheelTurn_ <= -kNotch; wheelTurn_ += kNotch) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QComboBox::keyPressEvent(&down);
    }
    event->accept();
}
