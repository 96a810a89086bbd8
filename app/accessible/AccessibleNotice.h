#pragma once

#include <QAccessibleWidget>

class SpokenNotice;

// The window's spoken notice as a notification whose name is the message.
class AccessibleNotice : public QAccessibleWidget {
public:
    explicit AccessibleNotice(SpokenNotice* notice);

    QString text(QAccessible::Text t) const override;
};
