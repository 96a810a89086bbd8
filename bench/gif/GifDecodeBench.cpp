// Decodes a set of large and animated GIFs with our decoder and with giflib,
// prints the best time of each and the ratio, and times the composition of
// one 470 x 60 banner frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

#include <gif_lib.h>

#include "BenchFiles.h"
#include "GIFComposition.h"
#include "GIFParser.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best time in milliseconds of repeated runs, at least 5 runs and 0.5 s.
double bestMs(const std::function<void()>& run)
{
    double best = 1e300, spent = 0;
    for (int i = 0; i < 5 || spent < 500; ++i) {
        const auto start = Clock::now();
        run();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
        spent += ms;
    }
    return best;
}

struct Memory {
    const std::vector<unsigned char>* bytes;
    std::size_t at;
};

int readMemory(GifFileType* gif, GifByteType* to, int count)
{
    auto* memory = static_cast<Memory*>(gif->UserData);
    const std::size_t taken = std::min<std::size_t>(count, memory->bytes->size() - memory->at);
    std::memcpy(to, memory->bytes->data() + memory->at, taken);
    memory->at += taken;
    return int(taken);
}

int decodeWithGiflib(const std::vector<unsigned char>& bytes)
{
    Memory memory{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&memory, readMemory, &error);
    if (!gif)
        return -1;
    const int frames = DGifSlurp(gif) == GIF_OK ? gif->ImageCount : -1;
    DGifCloseFile(gif, &error);
    return frames;
}

int decodeWithOurs(const std::vector<unsigned char>& bytes)
{
    GIFPicture picture;
    GIFDecodeOptions options;
    GIFParser parser(bytes.data(), bytes.size(), options, picture);
    return parser.run() == GIFDecodeResult::Loaded ? int(picture.Frames.size()) : -1;
}

bool compareDecoders(const std::vector<BenchFile>& files)
{
    std::printf("\n%-30s %10s %7s %11s %11s %7s\n", "file", "bytes", "frames", "ours ms", "giflib ms", "ratio");
    bool allFaster = true;
    for (const BenchFile& file : files) {
        const std::vector<unsigned char> bytes = readWholeFile(file.path);
        const int ours = decodeWithOurs(bytes), theirs = decodeWithGiflib(bytes);
        const double oursMs = bestMs([&] { decodeWithOurs(bytes); });
        const double giflibMs = bestMs([&] { decodeWithGiflib(bytes); });
        const double ratio = giflibMs / oursMs;
        allFaster = allFaster && ratio >= 1.0;
        std::printf("%-30s %10zu %7d %11.3f %11.3f %6.2fx%s\n", file.name.c_str(), bytes.size(), ours,
                    oursMs, giflibMs, ratio, ours == theirs ? "" : "  (frame counts differ)");
    }
    std::printf("ratio = giflib time / our time; above 1 means ours is faster\n");
    return allFaster;
}

void timeComposition(const std::string& banner)
{
    const std::vector<unsigned char> bytes = readWholeFile(banner);
    GIFPicture picture;
    GIFDecodeOptions options;
    if (GIFParser(bytes.data(), bytes.size(), options, picture).run() != GIFDecodeResult::Loaded
        || picture.Frames.empty())
        return;
    GIFComposition composition;
    composition.create(picture.ScreenWidth, picture.ScreenHeight, picture.AnyTransparent);
    const std::size_t count = picture.Frames.size();
    const int rounds = 200;
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            composition.disposeFrame(picture.Frames[(k + count - 1) % count]);
            composition.drawFrame(picture.Frames[k]);
        }
    }
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    std::printf("\ncomposing one %dx%d frame (dispose + draw, %zu frames, transparency %s): %.2f us\n",
                picture.ScreenWidth, picture.ScreenHeight, count, picture.AnyTransparent ? "yes" : "no",
                us / (rounds * double(count)));
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string folder = argc > 1 ? argv[1] : "/tmp/tovrelle-gif-bench";
    const std::vector<BenchFile> files = makeBenchFiles(folder);
    const bool allFaster = compareDecoders(files);
    timeComposition(bannerPath(folder));
    std::printf("\n%s\n", allFaster ? "ours at least as fast as giflib on every file"
                                    : "giflib faster on some file");
    return allFaster ? 0 : 1;
}
