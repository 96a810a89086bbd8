#pragma once

#include <cstdint>

#include <QList>

#include "Clock.h"
#include "IdleInhibitor.h"
#include "MediaSession.h"

// An idle inhibitor for tests: the reason held now, empty when none.
struct FakeIdleInhibitor : IdleInhibitor {
    QString held;
    void hold(const QString& reason) override { held = reason; }
    void release() override { held.clear(); }
};

// The desktop's media controls for tests: the last state published, the
// positions signalled as seeks and the controls set.
struct FakeMediaSession : MediaSession {
    MediaSessionState state;
    QList<double> seeks;
    MediaSessionControls* controls = nullptr;
    void setControls(MediaSessionControls* c) override { controls = c; }
    void publish(const MediaSessionState& s) override { state = s; }
    void seeked(double seconds) override { seeks << seconds; }
};

struct FakeClock : Clock {
    std::int64_t nowMs = 0;
    std::int64_t tickCountMs() const override { return nowMs; }
};
