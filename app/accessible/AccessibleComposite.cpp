#include "AccessibleComposite.h"

AccessibleComposite::AccessibleComposite(QWidget* control, QAccessible::Role role, QString name)
    : QAccessibleWidget(control, role), name_(std::move(name))
{
}

QString AccessibleComposite::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? name_ : QAccessibleWidget::text(t);
}

int AccessibleComposite::indexOfChild(const QAccessibleInterface* child) const
{
    for (int index = 0; child && index < childCount(); ++index) {
        if (this->child(index) == child)
            return index;
    }
    return -1;
}

QAccessibleInterface* AccessibleComposite::childAt(int x, int y) const
{
    for (int index = 0; index < childCount(); ++index) {
        QAccessibleInterface* item = child(index);
        if (item && item->rect().contains(x, y))
            return item;
    }
    return nullptr;
}
