#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "Shell.h"

// A shell for tests: records every address it is asked to open and the owner
// window of each request.
class FakeShell : public Shell {
public:
    QStringList opened;
    QList<QWidget*> owners;

    void open(const QString& address, QWidget* owner) override
    {
        opened << address;
        owners << owner;
    }
};
