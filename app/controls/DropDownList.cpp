#include "DropDownList.h"

#include <QStyledItemDelegate>

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
