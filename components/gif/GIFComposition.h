#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GIFFrame.h"

// The picture as composed from the frames drawn so far: one 0xFFRRGGBB pixel
// per point of the logical screen, black where nothing was drawn, and, when
// some frame is transparent, a mask with 1 where the picture is transparent.
// Where the mask is 1 the pixel is always black. Widget-free.
class GIFComposition {
public:
    // Largest composition accepted; a bigger logical screen fails the load.
    static constexpr std::size_t DefaultMaxPixels = std::size_t{1} << 28;

    // Makes a black composition of w x h, with an all-transparent mask when
    // asked. False (and nothing held) when the size is above maxPixels.
    bool create(int width, int height, bool withMask, std::size_t maxPixels = DefaultMaxPixels);
    void release();

    // Draws the frame over the composition, keeping what lies under it first
    // when the frame restores the previous picture on disposal.
    void drawFrame(TGIFFrame& frame);

    // Disposes of the frame before the next one: background clears its
    // rectangle to black and transparent, "previous" puts back what it kept.
    void disposeFrame(const TGIFFrame& frame);

    int width() const { return width_; }
    int height() const { return height_; }
    bool hasMask() const { return !mask_.empty(); }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    const std::uint8_t* mask() const { return mask_.data(); }

private:
    void saveUnder(TGIFFrame& frame) const;
    bool fitsInside(const TGIFFrame& frame) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint8_t> mask_;
};
