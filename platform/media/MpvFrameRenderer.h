#pragma once

#include <atomic>
#include <functional>

#include <QObject>

#include <mpv/render.h>

class MpvHandle;
class VideoFrameView;
struct MpvCalls;

// Draws the frames of a player core in software, at the view's picture size, into
// the frame buffer of one of our views, on the UI thread. The core says when a
// frame is due; target then names the view it goes to, or none to let the
// frame pass undrawn (nothing shown, or no clip open).
class MpvFrameRenderer : public QObject {
    Q_OBJECT

public:
    // For a core that has started.
    MpvFrameRenderer(const MpvHandle& mpv, std::function<VideoFrameView*()> target);
    ~MpvFrameRenderer() override;

    // Draws the current frame again into a view that appeared or changed size.
    void redraw();

private:
    Q_INVOKABLE void drawNewFrame();
    void draw(VideoFrameView* view);

    const MpvCalls& calls_;
    mpv_render_context* context_ = nullptr;
    std::atomic<bool> drawQueued_{false};
    std::function<VideoFrameView*()> target_;
};
