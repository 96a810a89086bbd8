#include "BenchFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

struct Recipe {
    const char* name;
    std::string arguments;  // for convert, before the output file
};

std::string rolledFrames(const char* size, int frames, int step)
{
    std::string arguments = std::string("-size ") + size + " plasma:fractal -colors 128";
    for (int i = 1; i < frames; ++i)
        arguments += " \\( +clone -roll +" + std::to_string(step) + "+0 \\)";
    return arguments;
}

std::vector<Recipe> recipes()
{
    return {
        {"plasma-2048x2048.gif", "-size 2048x2048 plasma:fractal -colors 256"},
        {"noise-1200x1200.gif", "-size 1200x1200 xc: +noise Random -colors 256"},
        {"gradient-2400x1600.gif", "-size 2400x1600 gradient:navy-orange +dither -colors 64"},
        {"interlaced-1600x1200.gif", "-size 1600x1200 plasma:fractal -colors 200 -interlace GIF"},
        {"small-colours-2000x2000.gif", "-size 2000x2000 pattern:checkerboard -colors 4"},
        {"banner-470x60-40f.gif",
         "-delay 5 -loop 0 " + rolledFrames("470x60", 40, 12) + " -layers OptimizeTransparency"},
        {"animated-800x600-24f.gif",
         "-delay 8 -loop 0 " + rolledFrames("800x600", 24, 20) + " -layers Optimize"},
    };
}

bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

}  // namespace

std::vector<BenchFile> makeBenchFiles(const std::string& folder)
{
    std::system(("mkdir -p '" + folder + "'").c_str());
    std::vector<BenchFile> files;
    for (const Recipe& recipe : recipes()) {
        const std::string path = folder + "/" + recipe.name;
        if (!exists(path)) {
            std::printf("making %s\n", recipe.name);
            std::fflush(stdout);
            const std::string command = "convert " + recipe.arguments + " '" + path + "' 2>/dev/null";
            if (std::system(command.c_str()) != 0)
                std::printf("  could not make %s (is ImageMagick installed?)\n", recipe.name);
        }
        if (exists(path))
            files.push_back({recipe.name, path});
    }
    return files;
}

std::string bannerPath(const std::string& folder)
{
    return folder + "/banner-470x60-40f.gif";
}

std::vector<unsigned char> readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
