#pragma once

#include <memory>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "AppError.h"
#include "VideoControl.h"

// A video control for tests: records what the program asks of it and lets the
// test set length, position, state and failures, and play the user's mouse.
// open() starts the clip like the real control (state Playing, position 0,
// the length left as the test set it); an empty path closes it.
class FakeVideoControl : public VideoControl {
public:
    // Every call in order: "open <path>", "play", "pause", "stop", "seek <s>",
    // "fullscreen on", "fullscreen off".
    QStringList calls;
    QStringList openedPaths;

    double durationValue = 0.0;
    double positionValue = 0.0;
    PlayState state = Closed;
    double speedValue = 1.0;
    double volumeValue = 1.0;
    bool captions = true;
    bool fullScreen = false;
    bool seeking = false;

    // When not empty, the operation raises AppError with this text.
    QString playFailure;
    QString pauseFailure;
    QString stopFailure;

    void open(const QString& path) override
    {
        calls << QStringLiteral("open ") + path;
        openedPaths << path;
        positionValue = 0.0;
        state = path.isEmpty() ? Closed : Playing;
    }
    double position() const override { return positionValue; }
    void setPosition(double seconds) override
    {
        calls << QStringLiteral("seek ") + QString::number(seconds);
        positionValue = seconds;
    }
    bool isSeeking() const override { return seeking; }
    double duration() const override { return durationValue; }
    PlayState playState() const override { return state; }
    void setSpeed(double factor) override { speedValue = factor; }
    double speed() const override { return speedValue; }
    void setVolume(double level) override { volumeValue = level; }
    double volume() const override { return volumeValue; }
    void setCaptionsShown(bool shown) override { captions = shown; }
    bool captionsShown() const override { return captions; }
    void play() override { operate(QStringLiteral("play"), playFailure, Playing); }
    void pause() override { operate(QStringLiteral("pause"), pauseFailure, Paused); }
    void stop() override
    {
        operate(QStringLiteral("stop"), stopFailure, Stopped);
        positionValue = 0.0;
    }
    void setFullScreen(bool on) override
    {
        calls << (on ? QStringLiteral("fullscreen on") : QStringLiteral("fullscreen off"));
        fullScreen = on;
    }
    bool isFullScreen() const override { return fullScreen; }
    QWidget* fullScreenWindow() const override { return fullScreenWindow_.get(); }
    QWidget* surface() override { return surface_.get(); }
    void setMouseUpHandler(MouseUpHandler handler) override { mouseUp_ = std::move(handler); }
    void setDoubleClickHandler(DoubleClickHandler handler) override { doubleClick_ = std::move(handler); }
    void setOpenFailureHandler(OpenFailureHandler handler) override { openFailure_ = std::move(handler); }

    // The user's actions on the control.
    void simulateMouseUp(Qt::MouseButton button, int x = 10, int y = 10,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (mouseUp_)
            mouseUp_(button, modifiers, x, y);
    }
    void simulateDoubleClick()
    {
        if (doubleClick_)
            doubleClick_();
    }
    void simulateLeaveFullScreen() { fullScreen = false; }
    // The clip opened last turned out unplayable: closed, and the handler told.
    void simulateOpenFailure(const QString& message)
    {
        state = Closed;
        if (openFailure_)
            openFailure_(message);
    }

    // The operations named in calls, without open and seek.
    int count(const QString& call) const { return int(calls.count(call)); }

private:
    void operate(const QString& name, const QString& failure, PlayState after)
    {
        calls << name;
        if (!failure.isEmpty())
            throw AppError(failure);
        if (state != Closed)
            state = after;
    }

    std::unique_ptr<QWidget> surface_ = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> fullScreenWindow_ = std::make_unique<QWidget>();
    MouseUpHandler mouseUp_;
    DoubleClickHandler doubleClick_;
    OpenFailureHandler openFailure_;
};
