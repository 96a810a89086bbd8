#include "AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

AccessibleComboBox::AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

QComboBox* AccessibleComboBox::box() const
{
    return static_cast<QComboBox*>(widget());
}

QList<QWidget*> AccessibleComboBox::parts() const
{
    QList<QWidget*> parts{box()->view()};
    if (box()->lineEdit())
        parts << box()->lineEdit();
    return parts;
}

QString AccessibleComboBox::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && !box()->accessibleName().isEmpty())
        return box()->accessibleName();
    if (t == QAccessible::Name || t == QAccessible::Value)
        return box()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleComboBox::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = box()->view()->isVisible();
    state.editable = box()->isEditable();
    return state;
}

int AccessibleComboBox::childCount() const
{
    return int(parts().size());
}

QAccessibleInterface* AccessibleComboBox::child(int index) const
{
    const QList<QWidget*> all = parts();
    return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all.at(index)) : nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface* child) const
{
    return child ? int(parts().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
}

QAccessibleInterface* AccessibleComboBox::focusChild() const
{
    if (box()->view()->isVisible())
        return QAccessible::queryAccessibleInterface(box()->view())->focusChild();
    return QAccessibleWidget::focusChild();
}

QStringList AccessibleComboBox::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleComboBox::doAction(const QString& action)
{
    if (action != showMenuAction() && action != pressAction())
        QAccessibleWidget::doAction(action);
    else if (box()->view()->isVisible())
        box()->hidePopup();
    else
        box()->showPopup();
}
