#pragma once

#include <string>
#include <vector>

// One GIF of the benchmark set, made at run time with ImageMagick.
struct BenchFile {
    std::string name;
    std::string path;
};

// Makes the benchmark set in `folder` (skipping files that are there) and
// returns the files that exist. Prints a line for each file it makes.
std::vector<BenchFile> makeBenchFiles(const std::string& folder);

// The animated 470 x 60 banner of the set.
std::string bannerPath(const std::string& folder);

std::vector<unsigned char> readWholeFile(const std::string& path);
