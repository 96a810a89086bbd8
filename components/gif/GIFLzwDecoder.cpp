#include "GIFLzwDecoder.h"

#include <cstring>

namespace {

// Copies `length` bytes of earlier output to `to`. The source may run into
// the destination (the one-ahead code), so the slow path copies forwards.
inline void copyEarlier(std::uint8_t* out, std::size_t to, std::size_t from, std::size_t length,
                        std::size_t room)
{
    if (from + length <= to) {
        if (length <= 16 && to + 16 <= room) {
            // Whole 16-byte moves: the bytes past `length` are overwritten later.
            std::uint64_t a, b;
            std::memcpy(&a, out + from, 8);
            std::memcpy(&b, out + from + 8, 8);
            std::memcpy(out + to, &a, 8);
            std::memcpy(out + to + 8, &b, 8);
            return;
        }
        std::memcpy(out + to, out + from, length);
        return;
    }
    for (std::size_t i = 0; i < length; ++i)
        out[to + i] = out[from + i];
}

}  // namespace

GIFLzwDecoder::GIFLzwDecoder(const std::uint8_t* codes, std::size_t size, int minimumCodeSize)
    : codes_(codes), size_(size), minimumCodeSize_(minimumCodeSize)
{
    if (minimumCodeSize < 0 || minimumCodeSize >= MaxCodeBits) {
        status_ = Status::UnsupportedCodeSize;
        return;
    }
    clearCode_ = 1u << minimumCodeSize;
    endCode_ = clearCode_ + 1;
    resetTable();
}

void GIFLzwDecoder::resetTable()
{
    width_ = minimumCodeSize_ + 1;
    next_ = endCode_ + 1;
    hasPrevious_ = false;
}

// Takes the next code, least significant bits first; false at the end of data.
inline bool GIFLzwDecoder::fetchCode(std::uint32_t& code)
{
    if (bitCount_ < width_) {
        while (bitCount_ <= 56 && in_ < size_) {
            bits_ |= std::uint64_t{codes_[in_++]} << bitCount_;
            bitCount_ += 8;
        }
        if (bitCount_ < width_)
            return false;
    }
    code = static_cast<std::uint32_t>(bits_) & ((1u << width_) - 1);
    bits_ >>= width_;
    bitCount_ -= width_;
    return true;
}

// Writes the string of `code` at filled_, clipped to the image; returns its
// full length, or 0 when the code is not in the table.
inline std::size_t GIFLzwDecoder::expand(std::uint8_t* out, std::size_t room, std::uint32_t code)
{
    if (code < clearCode_) {
        out[filled_] = static_cast<std::uint8_t>(code);
        return 1;
    }
    std::size_t from, length;
    if (!hasPrevious_)
        return 0;
    if (code < next_) {
        from = at_[code];
        length = length_[code];
    } else if (code == next_) {
        from = previousAt_;
        length = previousLength_ + 1;
    } else {
        return 0;
    }
    copyEarlier(out, filled_, from, length < room - filled_ ? length : room - filled_, room);
    return length;
}

// Adds "previous string + first byte of the current one", which is the
// previous string's place in the output, one byte longer.
inline void GIFLzwDecoder::addEntry()
{
    if (!hasPrevious_ || next_ >= TableSize)
        return;
    at_[next_] = static_cast<std::uint32_t>(previousAt_);
    length_[next_] = static_cast<std::uint16_t>(previousLength_ + 1);
    ++next_;
    if (next_ >= (1u << width_) && width_ < MaxCodeBits)
        ++width_;
}

std::size_t GIFLzwDecoder::decode(std::uint8_t* out, std::size_t room, std::size_t until)
{
    if (until > room)
        until = room;
    while (status_ == Status::Running && filled_ < until) {
        std::uint32_t code;
        if (!fetchCode(code)) {
            status_ = Status::EndOfData;
        } else if (code == clearCode_) {
            resetTable();
        } else if (code == endCode_) {
            status_ = Status::EndCode;
        } else if (const std::size_t length = expand(out, room, code); length == 0) {
            status_ = Status::Corrupt;
        } else {
            addEntry();
            previousAt_ = filled_;
            previousLength_ = length;
            hasPrevious_ = true;
            if (length >= room - filled_) {
                filled_ = room;
                status_ = Status::ImageFull;
            } else {
                filled_ += length;
            }
        }
    }
    return filled_;
}
