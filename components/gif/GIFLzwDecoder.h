#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Decodes one GIF LZW code stream (the image data with its sub-block lengths
// already removed) into 8-bit pixel indices. Knows nothing of frames.
//
// Each table entry is remembered as the place in the output where its string
// was first written, so a code expands by copying earlier output: there is no
// prefix chain to walk, and a code can never refer to itself. A code that is
// not yet in the table (beyond the one-ahead case of the standard) is corrupt
// data and ends the image. A minimum code size above 11 leaves no room in the
// 4096-entry table and ends the image at once, before any code is read.
class GIFLzwDecoder {
public:
    enum class Status { Running, EndCode, EndOfData, Corrupt, UnsupportedCodeSize, ImageFull };

    static constexpr int MaxCodeBits = 12;
    static constexpr std::uint32_t TableSize = 1u << MaxCodeBits;

    GIFLzwDecoder(const std::uint8_t* codes, std::size_t size, int minimumCodeSize);

    // Decodes into pixels[0, pixelCount) until at least `until` pixels are
    // filled or the stream ends; resumes where the last call stopped. Returns
    // the number of pixels filled so far.
    std::size_t decode(std::uint8_t* pixels, std::size_t pixelCount, std::size_t until);

    Status status() const { return status_; }
    bool finished() const { return status_ != Status::Running; }
    std::size_t filled() const { return filled_; }
    // Bytes of the code stream consumed so far (whole bytes fetched).
    std::size_t bytesRead() const { return in_; }

private:
    void resetTable();

    const std::uint8_t* codes_;
    std::size_t size_;
    std::size_t in_ = 0;
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;
    int minimumCodeSize_;
    std::uint32_t clearCode_ = 0;
    std::uint32_t endCode_ = 0;
    int width_ = 0;
    std::uint32_t next_ = 0;
    bool hasPrevious_ = false;
    std::size_t previousAt_ = 0;
    std::size_t previousLength_ = 0;
    std::size_t filled_ = 0;
    Status status_ = Status::Running;
    std::array<std::uint32_t, TableSize> at_{};
    std::array<std::uint16_t, TableSize> length_{};
};
