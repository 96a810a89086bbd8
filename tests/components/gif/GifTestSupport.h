#pragma once

#include <cstdint>
#include <memory>

#include <QApplication>
#include <QBuffer>

#include "Clock.h"
#include "GIFImage.h"
#include "GifBuilder.h"

// The application every widget test needs.
QApplication& testApp();

// A clock the tests move by hand.
class ManualClock : public Clock {
public:
    std::int64_t tickCountMs() const override { return now; }
    std::int64_t now = 1000;
};

// A hidden timer window that never fires: the tests tick by hand.
class SilentTimerWindow : public TimerWindow {
public:
    bool setTimer(std::uint32_t) override { return true; }
    void killTimer() override {}
};

// A control on a parent, with a hand-driven clock and a silent timer.
struct ControlOnParent {
    ControlOnParent();
    bool load(const GifBuilder& gif);
    // Paints the control (which arms the animation) and returns what it drew
    // over a white parent.
    QImage paint();
    // One tick of the animation timer; false when there is no timer.
    bool tick();

    ManualClock clock;
    std::unique_ptr<QWidget> parent;
    TGIFImage* control;
};

// Palette used by most pictures: 0 black, 1 red, 2 green, 3 blue.
std::vector<std::uint32_t> fourColours();
constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu,
                        Black = 0xFF000000u, White = 0xFFFFFFFFu;
