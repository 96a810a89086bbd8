#include "ChangeReporting.h"

#include <QAccessible>

void reportAccessibleChanges(std::initializer_list<QObject*> controls)
{
    for (QObject* control : controls) {
        if (auto* reporting = dynamic_cast<ReportsChanges*>(QAccessible::queryAccessibleInterface(control)))
            reporting->reportChanges();
    }
}
