#pragma once

#include <initializer_list>

class QObject;

// An interface whose control changes in ways a screen reader must be told of
// (a new lesson, another section, a seek). It remembers what readers were
// last told and sends the events for what differs now.
class ReportsChanges {
public:
    virtual ~ReportsChanges() = default;
    virtual void reportChanges() = 0;
};

// Called by the window's handlers after they changed these controls; controls
// whose interfaces have nothing to report are passed over.
void reportAccessibleChanges(std::initializer_list<QObject*> controls);
