#include <gtest/gtest.h>

#include "GIFLzwDecoder.h"
#include "GifBuilder.h"

namespace {

using Status = GIFLzwDecoder::Status;

struct Decoded {
    Bytes pixels;
    std::size_t filled;
    Status status;
};

Decoded decode(const Bytes& codes, int minimumCodeSize, std::size_t pixelCount)
{
    Decoded result{Bytes(pixelCount, 0xEE), 0, Status::Running};
    GIFLzwDecoder lzw(codes.data(), codes.size(), minimumCodeSize);
    result.filled = lzw.decode(result.pixels.data(), pixelCount, pixelCount);
    result.status = lzw.status();
    return result;
}

// Codes of minimum size 2: clear 4, end 5, first free entry 6; 3-bit codes
// until the table reaches 8 entries.
Bytes codes3(std::initializer_list<int> codes)
{
    CodeWriter writer;
    for (int code : codes)
        writer.put(code, 3);
    return writer.finish();
}

Bytes patterned(std::size_t count, int modulo)
{
    Bytes pixels(count);
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        // Runs and repeats, so that long table strings and the one-ahead code occur.
        pixels[i] = std::uint8_t((i / 7 % 3 == 0 ? i % 5 : (seed >> 16)) % modulo);
    }
    return pixels;
}

TEST(LzwDecoder, RoundTripsEncodedStreams)
{
    for (int codeSize : {2, 4, 8}) {
        const Bytes pixels = patterned(50000, 1 << codeSize);
        for (bool clearWhenFull : {true, false}) {
            const Decoded out = decode(lzwEncode(pixels, codeSize, clearWhenFull), codeSize, pixels.size());
            EXPECT_EQ(out.pixels, pixels) << "code size " << codeSize << " clear " << clearWhenFull;
            EXPECT_EQ(out.status, Status::ImageFull);
        }
    }
}

TEST(LzwDecoder, ResumedDecodingGivesTheSamePixels)
{
    const Bytes pixels = patterned(20000, 256);
    const Bytes codes = lzwEncode(pixels, 8);
    Bytes out(pixels.size());
    GIFLzwDecoder lzw(codes.data(), codes.size(), 8);
    for (std::size_t until = 97; !lzw.finished(); until += 97)
        EXPECT_GE(lzw.decode(out.data(), out.size(), until), std::min(until, out.size()));
    EXPECT_EQ(out, pixels);
}

TEST(LzwDecoder, LeadingClearsAndTheOneAheadCode)
{
    // clear clear clear 1 6(=1 1, not yet in the table) 2 end
    const Decoded out = decode(codes3({4, 4, 4, 1, 6, 2, 5}), 2, 8);
    EXPECT_EQ(out.status, Status::EndCode);
    EXPECT_EQ(out.filled, 4u);
    EXPECT_EQ(Bytes(out.pixels.begin(), out.pixels.begin() + 4), (Bytes{1, 1, 1, 2}));
}

TEST(LzwDecoder, CorruptCodesEndTheImageKeepingWhatWasDecoded)
{
    // After "1" the next entry is 6; 7 lies beyond it.
    Decoded out = decode(codes3({4, 1, 7, 3, 5}), 2, 6);
    EXPECT_EQ(out.status, Status::Corrupt);
    EXPECT_EQ(out.filled, 1u);
    EXPECT_EQ(out.pixels[0], 1);
    EXPECT_EQ(out.pixels[1], 0xEE) << "nothing written past the corrupt code";

    // Right after a clear there is no previous string to extend.
    out = decode(codes3({4, 6, 1, 5}), 2, 4);
    EXPECT_EQ(out.status, Status::Corrupt);
    EXPECT_EQ(out.filled, 0u);
}

TEST(LzwDecoder, EndsOfTheStream)
{
    Decoded out = decode(codes3({4, 1, 5, 2, 2}), 2, 4);
    EXPECT_EQ(out.status, Status::EndCode);
    EXPECT_EQ(out.filled, 1u);

    CodeWriter fourBits;  // minimum size 3: clear 8, end 9, two codes a byte
    for (int code : {8, 1, 2, 3})
        fourBits.put(code, 4);
    out = decode(fourBits.finish(), 3, 10);
    EXPECT_EQ(out.status, Status::EndOfData);
    EXPECT_EQ(out.filled, 3u);

    out = decode({}, 8, 10);
    EXPECT_EQ(out.status, Status::EndOfData);
    EXPECT_EQ(out.filled, 0u);
}

TEST(LzwDecoder, NeverWritesPastTheImage)
{
    const Bytes pixels(5000, 3);
    Bytes out(100 + 64, 0xEE);
    const Bytes codes = lzwEncode(pixels, 2);
    GIFLzwDecoder lzw(codes.data(), codes.size(), 2);
    EXPECT_EQ(lzw.decode(out.data(), 100, 100), 100u);
    EXPECT_EQ(lzw.status(), Status::ImageFull);
    for (std::size_t i = 100; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0xEE) << i;
}

TEST(LzwDecoder, CodeSizesAboveElevenAreRefusedElevenStaysInTheTable)
{
    for (int codeSize : {12, 13, 255, -1}) {
        const Decoded out = decode(Bytes(64, 0xFF), codeSize, 16);
        EXPECT_EQ(out.status, Status::UnsupportedCodeSize) << codeSize;
        EXPECT_EQ(out.filled, 0u);
        EXPECT_EQ(out.pixels[0], 0xEE);
    }
    // Size 11: clear 2048, end 2049, 12-bit codes from the start and a table
    // that is full after 2046 entries; literals keep their low byte.
    CodeWriter writer;
    writer.put(2048, 12);
    for (int i = 0; i < 3000; ++i)
        writer.put(i % 2 ? 0x7FF : 0x101, 12);
    writer.put(4095, 12);  // the last table entry: "0x7FF 0x101"
    writer.put(2049, 12);
    const Decoded out = decode(writer.finish(), 11, 4000);
    EXPECT_EQ(out.status, Status::EndCode);
    EXPECT_EQ(out.filled, 3002u);
    EXPECT_EQ(out.pixels[0], 0x01);
    EXPECT_EQ(out.pixels[1], 0xFF);
    EXPECT_EQ(out.pixels[3000], 0xFF);
    EXPECT_EQ(out.pixels[3001], 0x01);
}

}  // namespace
