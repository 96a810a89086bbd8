#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A drop-down list of the window spoken by its own name ("Bookmarks", "Jobs:
// industry") with its choice as the value: Qt on Linux would name it after
// its choice. Its children are the list that drops down and, when it can be
// typed into, its field; showing the menu drops the list as a click does.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    QComboBox* box() const;
    QList<QWidget*> parts() const;
};
