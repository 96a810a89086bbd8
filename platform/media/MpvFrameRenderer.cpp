#include "MpvFrameRenderer.h"

#include <QImage>

#include "AppError.h"
#include "MpvHandle.h"
#include "VideoFrameView.h"

namespace {

// Called on one of the player's threads: only posts to the UI thread, once
// until the frame is drawn.
void frameDue(void* renderer)
{
    QMetaObject::invokeMethod(static_cast<QObject*>(renderer), "drawNewFrame", Qt::QueuedConnection);
}

void makeOpaque(QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] |= 0xff000000u;
    }
}

}  // namespace

MpvFrameRenderer::MpvFrameRenderer(const MpvHandle& mpv, std::function<VideoFrameView*()> target)
    : calls_(mpv.calls()), target_(std::move(target))
{
    char software[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, software}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    const int made = calls_.render_context_create(&context_, mpv.get(), params);
    if (made < 0)
        throw AppError(mpv.errorText(made));
    calls_.render_context_set_update_callback(
        context_,
        [](void* renderer) {
            if (!static_cast<MpvFrameRenderer*>(renderer)->drawQueued_.exchange(true))
                frameDue(renderer);
        },
        this);
}

// The update callback is gone once the call returns, so no post outlives us.
MpvFrameRenderer::~MpvFrameRenderer()
{
    calls_.render_context_set_update_callback(context_, nullptr, nullptr);
    calls_.render_context_free(context_);
}

void MpvFrameRenderer::redraw()
{
    draw(target_());
}

void MpvFrameRenderer::drawNewFrame()
{
    drawQueued_ = false;
    if (calls_.render_context_update(context_) & MPV_RENDER_UPDATE_FRAME)
        draw(target_());
}

// The frame is drawn at once rather than at its display time, which the
// player has already waited for.
void MpvFrameRenderer::draw(VideoFrameView* view)
{
    int noWait = 0;
    if (!view) {
        int skip = 1;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                     {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWait},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        calls_.render_context_render(context_, params);
        return;
    }
    view->drawPicture([&](QImage& picture) {
        int size[] = {picture.width(), picture.height()};
        // QImage::Format_RGB32 in memory order, its fourth byte 0xff: with
        // "bgr0" it would be 0, and a window with alpha (Wayland) would let
        // the desktop show through the picture.
        char format[] = "bgra";
        size_t stride = picture.bytesPerLine();
        mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                     {MPV_RENDER_PARAM_SW_FORMAT, format},
                                     {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                     {MPV_RENDER_PARAM_SW_POINTER, picture.bits()},
                                     {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWait},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        calls_.render_context_render(context_, params);
        // A frame covers the whole picture, opaque. Before the first one the
        // player only clears it, alpha included.
        if (qAlpha(*reinterpret_cast<const QRgb*>(picture.constBits())) != 0xff)
            makeOpaque(picture);
    });
}
