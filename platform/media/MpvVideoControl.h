#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QObject>

#include "CaptionFile.h"
#include "ClipOpenFailure.h"
#include "MpvHandle.h"
#include "VideoControl.h"

class MpvFrameRenderer;
class VideoFrameView;

// The player control on libmpv: the clip plays with sound through mpv's own
// audio output, and mpv draws each frame in software, at the view's size,
// into the frame buffer of our own view, so that mouse events and screenshots
// work like on any other widget. Nothing here waits for the player: commands
// go out asynchronously and the state below follows the player's events.
// UI thread only.
class MpvVideoControl : public QObject, public VideoControl {
    Q_OBJECT

public:
    explicit MpvVideoControl(MpvLibrary& library = MpvLibrary::shared());
    ~MpvVideoControl() override;

    void open(const QString& path) override;
    double position() const override;
    void setPosition(double seconds) override;
    bool isSeeking() const override;
    double duration() const override;
    PlayState playState() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void setSpeed(double factor) override;
    double speed() const override;
    void setVolume(double level) override;
    double volume() const override;
    void setCaptionsShown(bool shown) override;
    bool captionsShown() const override;
    void setFullScreen(bool on) override;
    bool isFullScreen() const override;
    QWidget* surface() override;
    void setMouseUpHandler(MouseUpHandler handler) override;
    void setDoubleClickHandler(DoubleClickHandler handler) override;
    QWidget* fullScreenWindow() const override;
    void setOpenFailureHandler(OpenFailureHandler handler) override;

private:
    void startDrawing();
    void redraw();
    void createFullScreenWindow();
    void giveBackKeyboard();
    void handleEvent(const mpv_event& event);
    void takeOpenReply(const mpv_event& event);
    void takeSeekReply(int error);
    void takeProperty(const mpv_event_property& property);
    void fileLoaded();
    void checkPicture(const mpv_event_property& videoTrack);
    void fileEnded(const mpv_event_end_file& ended);
    void fail(const QString& reason);
    void reportOpenFailure(ClipOpenFailure::Cause cause, const QString& playerReason);
    void addCaptions();
    void seekTo(double seconds);
    void seekOnceOpen(double seconds);
    void raiseIfFailed() const;
    VideoFrameView* shownView() const;
    void clearPictures();

    MpvHandle mpv_;
    std::unique_ptr<VideoFrameView> surface_;
    std::unique_ptr<VideoFrameView> fullScreen_;
    // Goes first, before the views it draws into and the player it draws for;
    // there once the player has started.
    std::unique_ptr<MpvFrameRenderer> renderer_;
    MouseUpHandler mouseUp_;
    DoubleClickHandler doubleClick_;
    OpenFailureHandler openFailure_;
    ClipOpenFailureProbe openFailureProbe_;

    // The clip asked for last: its open command's number, and the player's
    // playlist entry once the command answered.
    QString clipPath_;
    bool clipRequested_ = false;
    quint64 openRequest_ = 0;
    std::int64_t clipEntry_ = -1;
    std::int64_t startedEntry_ = -1;
    bool loaded_ = false;
    bool playbackStarted_ = false;  // the clip has played or shown a frame since it opened
    QString failure_;  // why the clip asked for last cannot be played
    std::optional<CaptionFile> captions_;  // beside the clip asked for last
    bool captionsShown_ = true;

    double duration_ = 0.0;
    double position_ = 0.0;
    double seekTarget_ = -1.0;  // where an unfinished seek goes, or -1
    // Seeks the player has not answered yet: the restart of an earlier seek
    // does not end a later one.
    int unansweredSeeks_ = 0;
    double seekWhenOpen_ = -1.0;  // where a seek made while the clip opens goes, or -1
    bool paused_ = false;
    double volume_ = 1.0;
    bool stopped_ = false;  // stopped by Stop or by playing to the end
    bool atEnd_ = false;
    bool buffering_ = false;
    double speed_ = 1.0;
    double proportions_ = 0.0;  // the picture's width over its height, 0 while unknown
};
