#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "GIFFrame.h"

enum TGIFVersion { gvGIF87a, gvGIF89a };

// Everything a GIF file gives once decoded, before any composition.
struct GIFPicture {
    TGIFVersion Version = gvGIF87a;
    int DescriptorWidth = 0;   // as the logical screen descriptor says
    int DescriptorHeight = 0;
    int ScreenWidth = 0;       // enlarged to hold every frame
    int ScreenHeight = 0;
    int GlobalColourBits = 0;  // 0: no global table
    std::array<std::uint8_t, 768> GlobalColourTable{};
    int LoopCount = 1;         // 0: for ever
    bool AnyTransparent = false;
    bool AnyInterlaced = false;
    std::vector<TGIFFrame> Frames;
};
