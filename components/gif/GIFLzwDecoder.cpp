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

// The hot loop keeps the decoder's state in locals: the output is bytes,
// which may alias anything, so members would be reloaded after every store.
std::size_t GIFLzwDecoder::decode(std::uint8_t* out, std::size_t room, std::size_t until)
{
    if (until > room)
        until = room;
    if (status_ != Status::Running)
        return filled_;
    const std::uint8_t* const codes = codes_;
    const std::size_t size = size_;
    const std::uint32_t clear = clearCode_, end = endCode_;
    std::uint32_t* const at = at_.data();
    std::uint16_t* const lengths = length_.data();
    std::size_t in = in_, filled = filled_, previousAt = previousAt_, previousLength = previousLength_;
    std::uint64_t bits = bits_;
    int count = bitCount_, width = width_;
    std::uint32_t mask = (1u << width) - 1, next = next_;
    bool hasPrevious = hasPrevious_;
    Status status = Status::Running;

    while (filled < until) {
        if (count < width) {
            if (in + 8 <= size) {
                // Take whole bytes from one 8-byte load, as many as fit.
                std::uint64_t word;
                std::memcpy(&word, codes + in, 8);
                const int take = (63 - count) >> 3;
                bits |= (word & ((std::uint64_t{1} << (take * 8)) - 1)) << count;
                in += take;
                count += take * 8;
            } else {
                while (count <= 56 && in < size) {
                    bits |= std::uint64_t{codes[in++]} << count;
                    count += 8;
                }
                if (count < width) {
                    status = Status::EndOfData;
                    break;
                }
            }
        }
        const std::uint32_t code = static_cast<std::uint32_t>(bits) & mask;
        bits >>= width;
        count -= width;

        std::size_t from = 0, length = 1;
        if (code < clear) {
            out[filled] = static_cast<std::uint8_t>(code);
        } else if (code == clear) {
            width = minimumCodeSize_ + 1;
            mask = (1u << width) - 1;
            next = end + 1;
            hasPrevious = false;
            continue;
        } else if (code == end) {
            status = Status::EndCode;
            break;
        } else if (hasPrevious && code < next) {
            from = at[code];
            length = lengths[code];
        } else if (hasPrevious && code == next) {
            // Not yet in the table: the previous string and its own first byte.
            from = previousAt;
            length = previousLength + 1;
        } else {
            status = Status::Corrupt;
            break;
        }
        const std::size_t space = room - filled;
        if (length > 1)
            copyEarlier(out, filled, from, length < space ? length : space, room);
        // The new entry is the previous string one byte longer, in place.
        if (hasPrevious && next < TableSize) {
            at[next] = static_cast<std::uint32_t>(previousAt);
            lengths[next] = static_cast<std::uint16_t>(previousLength + 1);
            if (++next > mask && width < MaxCodeBits) {
                ++width;
                mask = (1u << width) - 1;
            }
        }
        previousAt = filled;
        previousLength = length;
        hasPrevious = true;
        if (length >= space) {
            filled = room;
            status = Status::ImageFull;
            break;
        }
        filled += length;
    }

    in_ = in;
    filled_ = filled;
    previousAt_ = previousAt;
    previousLength_ = previousLength;
    bits_ = bits;
    bitCount_ = count;
    width_ = width;
    next_ = next;
    hasPrevious_ = hasPrevious;
    status_ = status;
    return filled;
}
