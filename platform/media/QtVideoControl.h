#pragma once

#include <memory>

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>

#include "SoundOutputPace.h"
#include "VideoControl.h"

class VideoFrameView;

// The player control on Qt Multimedia: the clip plays with sound through the
// default audio output, and its frames are drawn by our own view so that mouse
// events and screenshots work like on any other widget. UI thread only.
class QtVideoControl : public QObject, public VideoControl {
    Q_OBJECT

public:
    QtVideoControl();
    ~QtVideoControl() override;

    void open(const QString& path) override;
    double position() const override;
    void setPosition(double seconds) override;
    double duration() const override;
    PlayState playState() const override;
    void setSpeed(double factor) override;
    double speed() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void setFullScreen(bool on) override;
    bool isFullScreen() const override;
    QWidget* surface() override;
    void setMouseUpHandler(MouseUpHandler handler) override;
    void setDoubleClickHandler(DoubleClickHandler handler) override;

    // The full-screen window while it exists, for tests and screenshots.
    QWidget* fullScreenWindow() const;

private:
    void takeFrame(const QVideoFrame& frame);
    void presentFrame();
    bool isShown() const;
    void createFullScreenWindow();
    void raiseIfFailed() const;

    // Set before the player and its audio output make their sound output.
    const bool soundOutputsPaced_ = keepSoundOutputsAtTheirOwnPace();
    QMediaPlayer player_;
    QAudioOutput audio_;
    QVideoSink sink_;
    std::unique_ptr<VideoFrameView> surface_;
    std::unique_ptr<VideoFrameView> fullScreen_;
    QVideoFrame frame_;  // the latest frame, until a shown view has its picture
    bool presentQueued_ = false;
    MouseUpHandler mouseUp_;
    DoubleClickHandler doubleClick_;
};
