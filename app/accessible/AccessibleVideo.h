#pragma once

#include <QAccessibleWidget>

#include "ChangeReporting.h"

class TfrmMain;

// The lesson video, named after the clip it shows ("Lesson 3"), with its
// state and view in the description ("paused, normal view"). Its actions are
// the mouse's and the keys': a press (Return) switches between the normal and
// the large view, "Compact view" is the right button's click, "Full screen"
// (F) the double-click. The picture's surface is part of it.
class AccessibleVideo : public QAccessibleWidget, public ReportsChanges {
public:
    static const QString CompactViewAction;
    static const QString FullScreenAction;

    explicit AccessibleVideo(TfrmMain& window);

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QStringList actionNames() const override;
    QStringList keyBindingsForAction(const QString& action) const override;
    void doAction(const QString& action) override;

    // Tells of another clip (the name), another state or view (the description).
    void reportChanges() override;

private:
    QString name() const;
    QString view() const;
    QString playState() const;
    QString description() const;

    TfrmMain& window_;
    QString toldName_;
    QString toldDescription_;
};
