#include "AccessiblePanel.h"

#include <QWidget>

QList<QAccessibleInterface*> AccessiblePanel::presentedChildren() const
{
    QList<QAccessibleInterface*> presented;
    for (QObject* object : widget()->children()) {
        auto* control = qobject_cast<QWidget*>(object);
        if (!control || control->isWindow())
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        if (iface && !dynamic_cast<AccessibleDecoration*>(iface) && iface->parent() == this)
            presented << iface;
    }
    return presented;
}

int AccessiblePanel::childCount() const
{
    return int(presentedChildren().size());
}

QAccessibleInterface* AccessiblePanel::child(int index) const
{
    return presentedChildren().value(index);
}

int AccessiblePanel::indexOfChild(const QAccessibleInterface* child) const
{
    return int(presentedChildren().indexOf(const_cast<QAccessibleInterface*>(child)));
}
