#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One image of a GIF picture as decoded: its place in the logical screen, its
// colours and timing, its 8-bit pixel indices and, for a transparent frame,
// its mask. The save areas keep what lay under a "restore to previous" frame
// while it is shown. Widget-free, so the fuzzer and tools use it as it is.
class TGIFFrame {
public:
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int LocalColourBits = 0;            // 0: the frame uses the global table
    bool OwnsColourTable = false;
    int PaletteBits = 0;                // bits of the palette the pixels index
    std::array<std::uint8_t, 768> ColourTable{};
    std::array<std::uint32_t, 256> Palette{};  // 0xFFRRGGBB for each index
    int Delay = 0;                      // milliseconds
    int Disposal = 0;                   // 0 none, 1 leave, 2 background, 3 previous
    bool Interlaced = false;
    bool Transparent = false;
    int TransparentIndex = 0;
    std::uint32_t TransparentColour = 0;  // 0xFFRRGGBB
    std::string Comment;
    std::vector<std::uint8_t> Pixels;   // Width x Height, top row first
    std::vector<std::uint8_t> Mask;     // transparent frames: 1 where transparent
    std::vector<std::uint32_t> SaveColour;
    std::vector<std::uint8_t> SaveMask;

    // Fills Palette (and the transparent colour) from ColourTable.
    void buildPalette();
};
