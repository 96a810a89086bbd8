#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>

using Bytes = std::vector<std::uint8_t>;

// Packs codes least significant bit first, each with its own width.
class CodeWriter {
public:
    void put(int code, int width);
    Bytes finish();

private:
    Bytes bytes_;
    std::uint32_t bits_ = 0;
    int count_ = 0;
};

// A real LZW encoder for test pictures. Without clearWhenFull it keeps the
// full table and goes on with 12-bit codes.
Bytes lzwEncode(const Bytes& pixels, int minimumCodeSize, bool clearWhenFull = true);

// Cuts a code stream into data sub-blocks and adds the terminator.
Bytes subBlocks(const Bytes& data, std::size_t blockSize = 255);

struct ImageSpec {
    int left = 0, top = 0, width = 1, height = 1;
    Bytes pixels;                       // image rows top first
    std::vector<std::uint32_t> colours; // local table (0xRRGGBB); empty: none
    int localBits = 0;                  // 0: from the colour count
    bool interlaced = false;
    int minimumCodeSize = 0;            // 0: from the table bits (at least 2)
};

// Writes GIF files byte by byte, block by block.
class GifBuilder {
public:
    explicit GifBuilder(int width, int height, std::vector<std::uint32_t> globalColours = {},
                        const char* version = "89a");
    GifBuilder& graphicControl(int disposal, int delayHundredths, bool transparent = false,
                               int transparentIndex = 0);
    GifBuilder& comment(const std::string& text);
    GifBuilder& loopCount(int count);
    GifBuilder& image(const ImageSpec& layout);
    GifBuilder& raw(const Bytes& bytes);
    GifBuilder& trailer();
    const Bytes& bytes() const { return bytes_; }
    QByteArray data() const;

private:
    void put16(int value);
    void putTable(const std::vector<std::uint32_t>& colours, int bits);
    int globalBits_ = 0;
    Bytes bytes_;
};

// Number of table bits that hold `count` colours (1 to 8).
int bitsFor(std::size_t count);

// A w x h image of one colour index.
ImageSpec solidImage(int left, int top, int width, int height, std::uint8_t index);
