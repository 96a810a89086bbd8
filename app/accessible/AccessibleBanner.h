#pragma once

#include <QAccessibleWidget>

#include "ChangeReporting.h"

class TfrmMain;

// The sponsor banner as a link named after the address of the sponsor shown,
// GIF or HTML banner alike; pressing it runs the banner's click, which opens
// that address.
class AccessibleBanner : public QAccessibleWidget, public ReportsChanges {
public:
    explicit AccessibleBanner(TfrmMain& window);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    // Tells of the next sponsor.
    void reportChanges() override;

private:
    QString address() const;

    TfrmMain& window_;
    QString toldAddress_;
};
