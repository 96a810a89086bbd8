#include "GifBuilder.h"

#include <unordered_map>

void CodeWriter::put(int code, int width)
{
    bits_ |= std::uint32_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
        bytes_.push_back(static_cast<std::uint8_t>(bits_));
        bits_ >>= 8;
        count_ -= 8;
    }
}

Bytes CodeWriter::finish()
{
    if (count_ > 0)
        bytes_.push_back(static_cast<std::uint8_t>(bits_));
    count_ = 0;
    bits_ = 0;
    return bytes_;
}

Bytes lzwEncode(const Bytes& pixels, int minimumCodeSize, bool clearWhenFull)
{
    const int clear = 1 << minimumCodeSize, end = clear + 1;
    int width = minimumCodeSize + 1, next = end + 1;
    CodeWriter out;
    std::unordered_map<std::uint32_t, int> table;
    // The width grows after a code is written, as the decoder sees the table.
    auto writeCode = [&](int code) {
        out.put(code, width);
        if (next >= (1 << width) && width < 12)
            ++width;
    };
    writeCode(clear);
    int prefix = -1;
    for (std::uint8_t pixel : pixels) {
        if (prefix < 0) {
            prefix = pixel;
            continue;
        }
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | pixel;
        if (auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        writeCode(prefix);
        if (next < 4096) {
            table[key] = next++;
        } else if (clearWhenFull) {
            writeCode(clear);
            table.clear();
            next = end + 1;
            width = minimumCodeSize + 1;
        }
        prefix = pixel;
    }
    if (prefix >= 0)
        writeCode(prefix);
    writeCode(end);
    return out.finish();
}

Bytes subBlocks(const Bytes& data, std::size_t blockSize)
{
    Bytes out;
    for (std::size_t at = 0; at < data.size(); at += blockSize) {
        const std::size_t count = std::min(blockSize, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(count));
        out.insert(out.end(), data.begin() + at, data.begin() + at + count);
    }
    out.push_back(0);
    return out;
}

int bitsFor(std::size_t count)
{
    int bits = 1;
    while ((std::size_t{1} << bits) < count)
        ++bits;
    return bits;
}

GifBuilder::GifBuilder(int width, int height, std::vector<std::uint32_t> globalColours,
                       const char* version)
{
    bytes_ = {'G', 'I', 'F', Bytes::value_type(version[0]), Bytes::value_type(version[1]),
              Bytes::value_type(version[2])};
    put16(width);
    put16(height);
    globalBits_ = globalColours.empty() ? 0 : bitsFor(globalColours.size());
    bytes_.push_back(globalBits_ ? std::uint8_t(0x80 | (globalBits_ - 1)) : 0);
    bytes_.push_back(0);
    bytes_.push_back(0);
    if (globalBits_)
        putTable(globalColours, globalBits_);
}

GifBuilder& GifBuilder::graphicControl(int disposal, int delayHundredths, bool transparent,
                                       int transparentIndex)
{
    raw({0x21, 0xF9, 4, std::uint8_t((disposal << 2) | (transparent ? 1 : 0))});
    put16(delayHundredths);
    return raw({std::uint8_t(transparentIndex), 0});
}

GifBuilder& GifBuilder::comment(const std::string& text)
{
    raw({0x21, 0xFE});
    return raw(subBlocks(Bytes(text.begin(), text.end())));
}

GifBuilder& GifBuilder::loopCount(int count)
{
    raw({0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1});
    put16(count);
    return raw({0});
}

GifBuilder& GifBuilder::image(const ImageSpec& layout)
{
    bytes_.push_back(0x2C);
    put16(layout.left);
    put16(layout.top);
    put16(layout.width);
    put16(layout.height);
    const int localBits = layout.colours.empty() ? 0 : (layout.localBits ? layout.localBits : bitsFor(layout.colours.size()));
    bytes_.push_back(std::uint8_t((localBits ? 0x80 | (localBits - 1) : 0) | (layout.interlaced ? 0x40 : 0)));
    if (localBits)
        putTable(layout.colours, localBits);
    Bytes rows = layout.pixels;
    if (layout.interlaced) {
        rows.clear();
        const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (const auto& pass : passes) {
            for (int y = pass[0]; y < layout.height; y += pass[1])
                rows.insert(rows.end(), layout.pixels.begin() + y * layout.width,
                            layout.pixels.begin() + (y + 1) * layout.width);
        }
    }
    const int tableBits = localBits ? localBits : (globalBits_ ? globalBits_ : 8);
    const int codeSize = layout.minimumCodeSize ? layout.minimumCodeSize : std::max(2, tableBits);
    bytes_.push_back(std::uint8_t(codeSize));
    return raw(subBlocks(lzwEncode(rows, codeSize)));
}

GifBuilder& GifBuilder::raw(const Bytes& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::trailer()
{
    return raw({0x3B});
}

QByteArray GifBuilder::data() const
{
    return QByteArray(reinterpret_cast<const char*>(bytes_.data()), qsizetype(bytes_.size()));
}

void GifBuilder::put16(int value)
{
    bytes_.push_back(std::uint8_t(value & 0xFF));
    bytes_.push_back(std::uint8_t((value >> 8) & 0xFF));
}

void GifBuilder::putTable(const std::vector<std::uint32_t>& colours, int bits)
{
    for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
        const std::uint32_t c = i < colours.size() ? colours[i] : 0;
        raw({std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
}

ImageSpec solidImage(int left, int top, int width, int height, std::uint8_t index)
{
    ImageSpec layout;
    layout.left = left;
    layout.top = top;
    layout.width = width;
    layout.height = height;
    layout.pixels.assign(std::size_t(width) * height, index);
    return layout;
}
