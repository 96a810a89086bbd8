#pragma once

#include <QAccessibleWidget>

#include "ChangeReporting.h"

// A control drawn as one widget that readers meet as a named group of items
// (the lesson strip, the button bar, the tab strip): its name is fixed, and
// its items are found by walking them. A composite with many items answers
// indexOfChild and childAt itself.
class AccessibleComposite : public QAccessibleWidget, public ReportsChanges {
public:
    AccessibleComposite(QWidget* control, QAccessible::Role role, QString name);

    QString text(QAccessible::Text t) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QString name_;
};
