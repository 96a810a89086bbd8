#pragma once

#include <optional>

#include <QAccessibleWidget>

#include "ChangeReporting.h"

class QScrollBar;
class TfrmMain;

// The seek bar as a slider "Lesson position": its value the played percent,
// its description the played time against the clip's length ("1:23 of
// 5:00"). The description is always fresh. While the bar has the focus its
// value is the one taken when the focus landed or the learner sought, so the
// bar following a playing lesson stays quiet; without the focus it is fresh.
class AccessibleSeekBar : public QAccessibleWidget, public QAccessibleValueInterface, public ReportsChanges {
public:
    explicit AccessibleSeekBar(TfrmMain& window);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    // A seek is a learner's scroll action on the bar; readers move it by its keys.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

    // Takes a new reading and tells it: after a seek, and when the focus lands.
    void reportChanges() override;

    // "1:23", "1:02:03": whole seconds played.
    static QString timeText(double seconds);

private:
    struct Reading {
        int percent = 0;
        QString description;
    };
    Reading freshReading() const;
    Reading reading() const;
    QScrollBar* bar() const;

    TfrmMain& window_;
    std::optional<Reading> told_;
};
