#include "GIFComposition.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t Black = 0xFF000000u;

}  // namespace

bool GIFComposition::create(int width, int height, bool withMask, std::size_t maxPixels)
{
    release();
    const std::size_t pixels = std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0));
    if (pixels > maxPixels)
        return false;
    width_ = width;
    height_ = height;
    pixels_.assign(pixels, Black);
    if (withMask)
        mask_.assign(pixels, 1);
    return true;
}

void GIFComposition::release()
{
    width_ = height_ = 0;
    pixels_ = {};
    mask_ = {};
}

// The logical screen is enlarged to hold every frame, so this holds for every
// frame of the picture; it guards a composition made for another picture.
bool GIFComposition::fitsInside(const TGIFFrame& frame) const
{
    return frame.Left + frame.Width <= width_ && frame.Top + frame.Height <= height_
        && frame.Pixels.size() == std::size_t(frame.Width) * std::size_t(frame.Height);
}

void GIFComposition::saveUnder(TGIFFrame& frame) const
{
    const std::size_t w = frame.Width;
    frame.SaveColour.resize(w * frame.Height);
    frame.SaveMask.resize(hasMask() ? w * frame.Height : 0);
    for (int y = 0; y < frame.Height; ++y) {
        const std::size_t at = std::size_t(frame.Top + y) * width_ + frame.Left;
        std::memcpy(&frame.SaveColour[y * w], &pixels_[at], w * sizeof(std::uint32_t));
        if (hasMask())
            std::memcpy(&frame.SaveMask[y * w], &mask_[at], w);
    }
}

void GIFComposition::drawFrame(TGIFFrame& frame)
{
    if (!fitsInside(frame))
        return;
    if (frame.Disposal == 3)
        saveUnder(frame);
    const std::size_t w = frame.Width;
    for (int y = 0; y < frame.Height; ++y) {
        const std::size_t at = std::size_t(frame.Top + y) * width_ + frame.Left;
        const std::uint8_t* source = &frame.Pixels[y * w];
        std::uint32_t* target = &pixels_[at];
        if (frame.Transparent) {
            // Keep the old pixel where the frame is transparent.
            const std::uint8_t* clear = &frame.Mask[y * w];
            std::uint8_t* mask = hasMask() ? &mask_[at] : nullptr;
            for (std::size_t x = 0; x < w; ++x) {
                if (clear[x])
                    continue;
                target[x] = frame.Palette[source[x]];
                if (mask)
                    mask[x] = 0;
            }
        } else {
            for (std::size_t x = 0; x < w; ++x)
                target[x] = frame.Palette[source[x]];
            if (hasMask())
                std::memset(&mask_[at], 0, w);
        }
    }
}

void GIFComposition::disposeFrame(const TGIFFrame& frame)
{
    if (!fitsInside(frame))
        return;
    const std::size_t w = frame.Width;
    const bool restore = frame.Disposal == 3 && frame.SaveColour.size() == w * frame.Height;
    if (frame.Disposal != 2 && !restore)
        return;
    for (int y = 0; y < frame.Height; ++y) {
        const std::size_t at = std::size_t(frame.Top + y) * width_ + frame.Left;
        if (restore) {
            std::memcpy(&pixels_[at], &frame.SaveColour[y * w], w * sizeof(std::uint32_t));
            if (hasMask() && frame.SaveMask.size() == frame.SaveColour.size())
                std::memcpy(&mask_[at], &frame.SaveMask[y * w], w);
        } else {
            std::fill_n(&pixels_[at], w, Black);
            if (hasMask())
                std::memset(&mask_[at], 1, w);
        }
    }
}
