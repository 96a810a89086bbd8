// libFuzzer target: loads arbitrary bytes as a GIF and plays every frame of
// the animation twice through the composition, as the control would.
#include <cstddef>
#include <cstdint>

#include "GIFComposition.h"
#include "GIFParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    GIFDecodeOptions options;
    options.MaxFramePixels = std::size_t{1} << 20;  // keeps each run small
    int progressCalls = 0;
    options.Progress = [&](std::size_t done, std::size_t total, bool& keep) {
        if (done > total)
            __builtin_trap();
        keep = ++progressCalls < 100000;
    };
    GIFPicture picture;
    if (GIFParser(data, size, options, picture).run() != GIFDecodeResult::Loaded)
        return 0;
    GIFComposition composition;
    if (!composition.create(picture.ScreenWidth, picture.ScreenHeight, picture.AnyTransparent,
                            std::size_t{1} << 20))
        return 0;
    const std::size_t count = picture.Frames.size();
    for (std::size_t step = 0; step < 2 * count; ++step) {
        if (step > 0)
            composition.disposeFrame(picture.Frames[(step - 1) % count]);
        composition.drawFrame(picture.Frames[step % count]);
    }
    return 0;
}
