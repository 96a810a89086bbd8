#include "GIFParser.h"

#include <algorithm>
#include <cstring>

#include "GIFLzwDecoder.h"

namespace {

int little16(const std::uint8_t* at)
{
    return at[0] | (at[1] << 8);
}

// The image row that the n-th decoded row fills: interlaced images come in
// four passes, rows 0, 4, 2 and 1 onwards in steps of 8, 8, 4 and 2.
std::size_t imageRow(std::size_t n, std::size_t height, bool interlaced)
{
    if (!interlaced)
        return n;
    const std::size_t passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& pass : passes) {
        const std::size_t rows = height > pass[0] ? (height - pass[0] + pass[1] - 1) / pass[1] : 0;
        if (n < rows)
            return pass[0] + n * pass[1];
        n -= rows;
    }
    return height - 1;
}

template <class T>
void deinterlace(std::vector<T>& rows, std::size_t width, std::size_t height)
{
    std::vector<T> ordered(rows.size());
    for (std::size_t n = 0; n < height; ++n)
        std::memcpy(&ordered[imageRow(n, height, true) * width], &rows[n * width], width * sizeof(T));
    rows.swap(ordered);
}

}  // namespace

GIFParser::GIFParser(const std::uint8_t* data, std::size_t size, const GIFDecodeOptions& options,
                     GIFPicture& picture)
    : data_(data), size_(size), options_(options), picture_(picture)
{
}

GIFDecodeResult GIFParser::run()
{
    if (size_ == 0 || !readHeader())
        return GIFDecodeResult::Unusable;
    while (position_ < size_ && keepOnProcessing_) {
        reportProgress();
        if (!readBlock())
            break;
    }
    if (emptyImage_)
        return GIFDecodeResult::Unusable;
    if (keepOnProcessing_)
        reportProgress();
    if (!keepOnProcessing_)
        return GIFDecodeResult::Cancelled;
    enlargeScreen();
    return GIFDecodeResult::Loaded;
}

// Header and logical screen descriptor, 13 bytes, then the global table:
//   0 "GIF"   3 version, "87a" or "89a" (only byte 4 is looked at)
//   6 width (16, LE)   8 height (16, LE)
//  10 packed: bit 7 global table, bits 0-2 its bits - 1
//  11 background index, 12 aspect (neither used)
bool GIFParser::readHeader()
{
    if (remaining() < 13 || std::memcmp(data_, "GIF", 3) != 0)
        return false;
    picture_.Version = data_[4] == '9' ? gvGIF89a : gvGIF87a;
    picture_.DescriptorWidth = little16(data_ + 6);
    picture_.DescriptorHeight = little16(data_ + 8);
    const int packed = data_[10];
    position_ = 13;
    if (packed & 0x80) {
        picture_.GlobalColourBits = (packed & 7) + 1;
        const std::size_t bytes = std::size_t{3} << picture_.GlobalColourBits;
        if (remaining() < bytes)
            return false;
        std::memcpy(picture_.GlobalColourTable.data(), data_ + position_, bytes);
        position_ += bytes;
    }
    return true;
}

// One block: an extension, an image, the trailer or a stray byte pair.
// False when the reading of blocks ends here.
bool GIFParser::readBlock()
{
    if (remaining() < 2) {
        position_ = size_;
        return false;
    }
    const int introducer = data_[position_];
    const int label = data_[position_ + 1];
    position_ += 2;
    if (introducer == 0x21) {
        readExtension(label);
        return true;
    }
    if (introducer == 0x3B)
        return false;
    if (introducer != 0x2C)
        return true;
    position_ -= 2;
    if (picture_.Frames.size() >= MaxFrames)
        return false;
    TGIFFrame frame;
    const ImageResult result = readImage(frame);
    if (result == ImageResult::Empty) {
        emptyImage_ = true;
        position_ = size_;
        reportProgress();
    }
    if (result != ImageResult::Good)
        return false;
    picture_.GlobalColourBits = std::max(picture_.GlobalColourBits, frame.LocalColourBits);
    picture_.AnyTransparent = picture_.AnyTransparent || frame.Transparent;
    picture_.AnyInterlaced = picture_.AnyInterlaced || frame.Interlaced;
    frame.Comment = pendingComment_;
    picture_.Frames.push_back(std::move(frame));
    if (options_.FirstImageOnly)
        return false;
    pendingComment_.clear();
    pendingDelay_ = 0;
    pendingDisposal_ = 0;
    pendingTransparent_ = false;
    return true;
}

void GIFParser::readExtension(int label)
{
    switch (label) {
    case 0x01: {  // plain text: its header block, then text sub-blocks; not shown
        int size = 0;
        if (!readByte(size))
            return;
        position_ += std::min<std::size_t>(size, remaining());
        skipSubBlocks();
        return;
    }
    case 0xF9:
        readGraphicControl();
        return;
    case 0xFE:
        readComment();
        return;
    case 0xFF:
        readApplication();
        return;
    default:  // unknown: the following bytes are read as blocks again
        return;
    }
}

// Graphic control, 6 bytes after the label:
//   0 block size (not checked)   1 packed: bits 2-4 disposal, bit 0 transparent
//   2 delay in 1/100 s (16, LE)  4 transparent index   5 terminator
// The values wait for the next image; disposals other than 0, 1 and 3 mean 2.
void GIFParser::readGraphicControl()
{
    std::uint8_t block[6];
    if (!readBytes(block, sizeof block))
        return;
    const int disposal = (block[1] >> 2) & 7;
    pendingDisposal_ = disposal == 0 || disposal == 1 || disposal == 3 ? disposal : 2;
    pendingTransparent_ = (block[1] & 1) != 0;
    pendingDelay_ = little16(block + 2) * 10;
    pendingTransparentIndex_ = block[4];
}

// Comment: sub-blocks of text, appended to the comment of the next image. A
// comment cut off by the end of the bytes keeps what was read.
void GIFParser::readComment()
{
    int length = 0;
    while (readByte(length) && length != 0) {
        const std::size_t count = std::min<std::size_t>(length, remaining());
        pendingComment_.append(reinterpret_cast<const char*>(data_ + position_), count);
        position_ += count;
    }
}

// Application: a block with the identifier, then sub-blocks. The NETSCAPE2.0
// block's first sub-block holds the loop count in its bytes 1 and 2 (LE).
void GIFParser::readApplication()
{
    int size = 0, length = 0;
    std::uint8_t identifier[255];
    if (!readByte(size) || !readBytes(identifier, size) || !readByte(length))
        return;
    if (size >= 11 && std::memcmp(identifier, "NETSCAPE2.0", 11) == 0) {
        std::uint8_t block[255];
        if (!readBytes(block, length))
            return;
        if (length >= 3)
            picture_.LoopCount = little16(block + 1);
        if (!readByte(length))
            return;
    }
    while (length != 0) {
        position_ += std::min<std::size_t>(length, remaining());
        if (!readByte(length))
            return;
    }
}

void GIFParser::skipSubBlocks()
{
    int length = 0;
    while (readByte(length) && length != 0)
        position_ += std::min<std::size_t>(length, remaining());
}

GIFParser::ImageResult GIFParser::readImage(TGIFFrame& frame)
{
    int packed = 0;
    if (!readImageDescriptor(frame, packed))
        return emptyImage_ ? ImageResult::Empty : ImageResult::Bad;
    if (packed & 0x80) {
        frame.LocalColourBits = (packed & 7) + 1;
        frame.OwnsColourTable = true;
        frame.PaletteBits = frame.LocalColourBits;
        readColourTable(frame.ColourTable.data(), frame.LocalColourBits);
    } else {
        frame.ColourTable = picture_.GlobalColourTable;
        frame.PaletteBits = picture_.GlobalColourBits;
    }
    frame.Interlaced = (packed & 0x40) != 0;
    applyPending(frame);
    frame.buildPalette();
    if (!decodeImageData(frame))
        return ImageResult::Bad;
    pixelsHeld_ += frame.Pixels.size();
    return ImageResult::Good;
}

// Image descriptor, 10 bytes:
//   0 separator 0x2C   1 left   3 top   5 width   7 height (16, LE each)
//   9 packed: bit 7 local table, bit 6 interlaced, bits 0-2 table bits - 1
// False for a bad or empty image (emptyImage_ tells which).
bool GIFParser::readImageDescriptor(TGIFFrame& frame, int& packed)
{
    if (remaining() < 10) {
        position_ = size_;
        return false;
    }
    const std::uint8_t* at = data_ + position_;
    frame.Left = little16(at + 1);
    frame.Top = little16(at + 3);
    frame.Width = little16(at + 5);
    frame.Height = little16(at + 7);
    packed = at[9];
    position_ += 10;
    if (frame.Width == 0 || frame.Height == 0) {
        emptyImage_ = true;
        return false;
    }
    const std::size_t pixels = std::size_t(frame.Width) * std::size_t(frame.Height);
    return frame.Width <= MaxSide && frame.Height <= MaxSide
        && pixels <= options_.MaxFramePixels - std::min(pixelsHeld_, options_.MaxFramePixels);
}

// A colour table cut off by the end of the bytes keeps zeros for the rest.
void GIFParser::readColourTable(std::uint8_t* table, int bits)
{
    const std::size_t count = std::min(std::size_t{3} << bits, remaining());
    std::memcpy(table, data_ + position_, count);
    position_ += count;
}

void GIFParser::applyPending(TGIFFrame& frame) const
{
    frame.Delay = pendingDelay_;
    frame.Disposal = pendingDisposal_;
    frame.Transparent = pendingTransparent_;
    frame.TransparentIndex = pendingTransparent_ ? pendingTransparentIndex_ : 0;
}

// Gathers the image's sub-blocks into one code stream and decodes it. False
// when the load was cancelled meanwhile.
bool GIFParser::decodeImageData(TGIFFrame& frame)
{
    frame.Pixels.assign(std::size_t(frame.Width) * std::size_t(frame.Height), 0);
    int minimumCodeSize = 0;
    if (!readByte(minimumCodeSize)) {
        finishPixels(frame, 0);
        return true;
    }
    codes_.clear();
    blockEnds_.clear();
    int length = 0;
    while (readByte(length) && length != 0) {
        const std::size_t count = std::min<std::size_t>(length, remaining());
        codes_.insert(codes_.end(), data_ + position_, data_ + position_ + count);
        position_ += count;
        blockEnds_.emplace_back(codes_.size(), position_);
    }
    GIFLzwDecoder lzw(codes_.data(), codes_.size(), minimumCodeSize);
    if (!decodeRows(lzw, frame))
        return false;
    finishPixels(frame, lzw.filled());
    return true;
}

// Decodes all pixels; for a large image with a progress handler, row by row
// with a report after every 64th (or, wider than 320, 32nd) image row but the last.
bool GIFParser::decodeRows(GIFLzwDecoder& lzw, TGIFFrame& frame)
{
    const std::size_t width = frame.Width, height = frame.Height, total = width * height;
    if (!options_.Progress || total <= 100000) {
        lzw.decode(frame.Pixels.data(), total, total);
        return true;
    }
    const std::size_t step = width <= 320 ? 64 : 32;
    std::size_t rowsDone = 0;
    while (!lzw.finished() && rowsDone < height) {
        const std::size_t filled = lzw.decode(frame.Pixels.data(), total, (rowsDone + 1) * width);
        for (; rowsDone < filled / width; ++rowsDone) {
            const std::size_t row = imageRow(rowsDone, height, frame.Interlaced);
            if (row % step != 0 || row == height - 1)
                continue;
            const auto block = std::lower_bound(blockEnds_.begin(), blockEnds_.end(),
                std::make_pair(lzw.bytesRead(), std::size_t{0}));
            reportProgressAt(block == blockEnds_.end() ? position_ : block->second);
            if (!keepOnProcessing_)
                return false;
        }
    }
    return true;
}

// Marks the pixels the data never reached as transparent, builds the mask and
// puts interlaced rows in their places.
void GIFParser::finishPixels(TGIFFrame& frame, std::size_t filled)
{
    if (frame.Transparent) {
        const auto index = static_cast<std::uint8_t>(frame.TransparentIndex);
        const std::size_t size = frame.Pixels.size(), reached = std::min(filled, size);
        frame.Mask.assign(size, 1);
        const std::uint8_t* pixels = frame.Pixels.data();
        std::uint8_t* mask = frame.Mask.data();
        for (std::size_t i = 0; i < reached; ++i)
            mask[i] = pixels[i] == index;
    }
    if (frame.Interlaced) {
        deinterlace(frame.Pixels, frame.Width, frame.Height);
        if (frame.Transparent)
            deinterlace(frame.Mask, frame.Width, frame.Height);
    }
}

void GIFParser::enlargeScreen()
{
    picture_.ScreenWidth = picture_.DescriptorWidth;
    picture_.ScreenHeight = picture_.DescriptorHeight;
    for (const TGIFFrame& frame : picture_.Frames) {
        picture_.ScreenWidth = std::max(picture_.ScreenWidth, frame.Left + frame.Width);
        picture_.ScreenHeight = std::max(picture_.ScreenHeight, frame.Top + frame.Height);
    }
}

void GIFParser::reportProgress()
{
    reportProgressAt(position_);
}

void GIFParser::reportProgressAt(std::size_t position)
{
    if (options_.Progress)
        options_.Progress(position, size_, keepOnProcessing_);
}

// Reads one byte; at the end of the bytes, false.
bool GIFParser::readByte(int& value)
{
    if (position_ >= size_)
        return false;
    value = data_[position_++];
    return true;
}

// Reads count bytes; when fewer remain, takes them and returns false.
bool GIFParser::readBytes(std::uint8_t* to, std::size_t count)
{
    const std::size_t taken = std::min(count, remaining());
    std::memcpy(to, data_ + position_, taken);
    position_ += taken;
    return taken == count;
}
