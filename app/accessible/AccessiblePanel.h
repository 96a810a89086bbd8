#pragma once

#include <QAccessibleWidget>

// A flat panel as a pane that lists, of the controls on it, those a reader
// should meet: the skin's pictures, frames and lines are left out, and so
// are controls presented elsewhere (the tab hot spots, under the tab strip).
class AccessiblePanel : public QAccessibleWidget {
public:
    explicit AccessiblePanel(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QAccessibleInterface*> presentedChildren() const;
};

// A picture, shape or line of the skin that only decorates: readers pass it by.
class AccessibleDecoration : public QAccessibleWidget {
public:
    explicit AccessibleDecoration(QWidget* decoration) : QAccessibleWidget(decoration, QAccessible::Graphic) {}
};
