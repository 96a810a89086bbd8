#include "AccessibleNotice.h"

#include "SpokenNotice.h"

AccessibleNotice::AccessibleNotice(SpokenNotice* notice) : QAccessibleWidget(notice, QAccessible::Notification) {}

QString AccessibleNotice::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? static_cast<SpokenNotice*>(widget())->text() : QAccessibleWidget::text(t);
}
