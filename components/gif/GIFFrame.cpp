#include "GIFFrame.h"

void TGIFFrame::buildPalette()
{
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        Palette[i] = 0xFF000000u | (std::uint32_t{ColourTable[3 * i]} << 16)
            | (std::uint32_t{ColourTable[3 * i + 1]} << 8) | ColourTable[3 * i + 2];
    }
    TransparentColour = Palette[static_cast<std::uint8_t>(TransparentIndex)];
}
