#pragma once

#include <functional>

#include <QString>
#include <Qt>

class QWidget;

// The player control that shows the lesson video. Positions and lengths are in
// seconds. Used from the UI thread only.
class VideoControl {
public:
    // What the control is doing; Playing is the value the program tests for.
    enum PlayState {
        Stopped = 0,
        Paused = 1,
        Playing = 2,
        Waiting = 3,  // opening or buffering a clip
        Closed = 6,   // no clip open
    };

    using MouseUpHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>;
    using DoubleClickHandler = std::function<void()>;
    using OpenFailureHandler = std::function<void(const QString& message)>;

    virtual ~VideoControl() = default;

    // Opens the clip at a native path and starts playing it. An empty path closes
    // the clip. A file that cannot be played leaves no clip open.
    virtual void open(const QString& path) = 0;

    virtual double position() const = 0;
    // A seek made while the clip opens is done once it is open; opening
    // another clip drops it.
    virtual void setPosition(double seconds) = 0;

    // True from a seek until the player stands at its place; position() gives
    // the place asked for meanwhile.
    virtual bool isSeeking() const = 0;

    // The clip's length; 0 while no clip is open.
    virtual double duration() const = 0;

    virtual PlayState playState() const = 0;

    // Playback speed as a factor of the clip's own pace (1.0 = normal); the
    // voice keeps its pitch. Positions and lengths stay in the clip's seconds.
    virtual void setSpeed(double factor) = 0;
    virtual double speed() const = 0;

    // The loudness of the clip's sound, 0 (silent) to 1 (as recorded); values
    // beyond are held to that range. It holds for every clip opened later.
    virtual void setVolume(double level) = 0;
    virtual double volume() const = 0;

    // Captions: a subtitle file beside the clip with its base name, drawn on
    // the picture while shown (at first they are). A clip without one shows
    // none, and one the player cannot read shows none and plays all the same.
    // The choice holds for every clip opened later.
    virtual void setCaptionsShown(bool shown) = 0;
    virtual bool captionsShown() const = 0;

    // Each raises AppError when the control reports a failure.
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    // Shows the picture on a window covering the whole screen, or brings it back
    // to the control's own surface. The user leaves it with Esc or a click.
    virtual void setFullScreen(bool on) = 0;
    virtual bool isFullScreen() const = 0;
    // The full-screen window once it was first shown, else null.
    virtual QWidget* fullScreenWindow() const = 0;

    // The widget the picture is drawn on; the control keeps ownership.
    virtual QWidget* surface() = 0;

    // A mouse button was released, or a double-click happened, over the surface.
    virtual void setMouseUpHandler(MouseUpHandler handler) = 0;
    virtual void setDoubleClickHandler(DoubleClickHandler handler) = 0;

    // Told once, after open() has returned, when that clip cannot be opened:
    // the message names the file and says why in plain words. Not told for a
    // clip that another open() has since replaced.
    virtual void setOpenFailureHandler(OpenFailureHandler handler) = 0;
};
