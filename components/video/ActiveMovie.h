#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QWidget>

#include "VideoControl.h"

class SpeedBadge;

// The lesson video as the main window sees it: a child widget that hosts the
// player control, with the control's properties and the two mouse events.
class TActiveMovie : public QWidget {
    Q_OBJECT

public:
    // DisplaySize value that shows the picture on the whole screen.
    static constexpr int FullScreenDisplay = 3;

    TActiveMovie(QWidget* parent, std::unique_ptr<VideoControl> control);
    ~TActiveMovie() override;

    // Writing opens the clip at that full path and starts it; reading gives back
    // exactly the text written last.
    QString FileName() const;
    void setFileName(const QString& fileName);

    double CurrentPosition() const;
    void setCurrentPosition(double seconds);

    // True from a seek until the player stands at its place.
    bool Seeking() const;

    // The clip's length in seconds; 0 or less means no clip is open.
    double Duration() const;

    // 2 while playing (VideoControl::PlayState).
    int PlayState() const;

    // 3 while the picture fills the screen; other values show it in this widget,
    // scaled to its size.
    int DisplaySize() const;
    void setDisplaySize(int displaySize);

    // Playback speed, 0.5 to 2.0 in steps of 0.1, the voice at its pitch; it
    // holds for every clip opened later. Each change shows the speed over the
    // picture for a second. Positions stay in the clip's own seconds.
    static constexpr double MinimumSpeed = 0.5;
    static constexpr double MaximumSpeed = 2.0;
    static constexpr double SpeedStep = 0.1;
    double Speed() const;
    void setSpeed(double factor);

    // Raise AppError when the control fails. Pause acts only while playing,
    // or while a clip opens that is about to play.
    void Play();
    void Pause();
    void Stop();

    // On shows the full-screen display (DisplaySize := 3); reads true while it
    // is shown. The user leaves it with Esc or a click.
    bool FullScreenMode() const;
    void setFullScreenMode(bool on);
    // The full-screen display's window while it is shown, else null.
    QWidget* fullScreenWindow() const;

    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
    std::function<void()> OnDblClick;
    // The clip just written to FileName cannot be opened; the message says
    // why in plain words.
    std::function<void(const QString& message)> OnOpenFailure;

    VideoControl& control() const { return *control_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showSpeedBadge();

    std::unique_ptr<VideoControl> control_;
    QString fileName_;
    int displaySize_ = 0;
    int speedTenths_ = 10;
    SpeedBadge* speedBadge_;
};
