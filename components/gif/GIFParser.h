#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "GIFPicture.h"

class GIFLzwDecoder;

// What reading a GIF file came to. "Unusable" (the whole file fails) and a bad
// image (dropped, with the frames before it kept) are different outcomes.
enum class GIFDecodeResult { Loaded, Unusable, Cancelled };

struct GIFDecodeOptions {
    bool FirstImageOnly = false;
    // Called with the read position and the size; may clear the flag to cancel.
    std::function<void(std::size_t processed, std::size_t total, bool& keepOnProcessing)> Progress;
    // Pixels that all frames together may hold (one byte each); an image beyond
    // it is a bad image. Keeps hostile files from exhausting memory.
    std::size_t MaxFramePixels = std::size_t{1} << 28;
};

// Reads the container: header, screen descriptor, colour tables, extensions
// and image descriptors, and has each image's code stream decoded.
class GIFParser {
public:
    GIFParser(const std::uint8_t* data, std::size_t size, const GIFDecodeOptions& options,
              GIFPicture& picture);

    GIFDecodeResult run();

    static constexpr int MaxFrames = 256;
    static constexpr int MaxSide = 16384;

private:
    enum class ImageResult { Good, Empty, Bad };

    bool readHeader();
    void readBlocks();
    bool readBlock();
    void readExtension(int label);
    void readGraphicControl();
    void readComment();
    void readApplication();
    void skipSubBlocks();
    ImageResult readImage(TGIFFrame& frame);
    bool readImageDescriptor(TGIFFrame& frame, int& packed);
    void readColourTable(std::uint8_t* table, int bits);
    void applyPending(TGIFFrame& frame) const;
    bool decodeImageData(TGIFFrame& frame);
    bool decodeRows(GIFLzwDecoder& lzw, TGIFFrame& frame);
    void finishPixels(TGIFFrame& frame, std::size_t filled);
    void enlargeScreen();
    void reportProgress();
    void reportProgressAt(std::size_t position);

    bool readByte(int& value);
    bool readBytes(std::uint8_t* to, std::size_t count);
    std::size_t remaining() const { return size_ - position_; }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    const GIFDecodeOptions& options_;
    GIFPicture& picture_;
    bool keepOnProcessing_ = true;
    bool emptyImage_ = false;
    std::size_t pixelsHeld_ = 0;

    // Graphic-control values and comment waiting for the next image.
    int pendingDelay_ = 0;
    int pendingDisposal_ = 0;
    bool pendingTransparent_ = false;
    int pendingTransparentIndex_ = 0;
    std::string pendingComment_;

    // The current image's code stream, gathered from its sub-blocks, and where
    // in the file each sub-block ends (for progress reports).
    std::vector<std::uint8_t> codes_;
    std::vector<std::pair<std::size_t, std::size_t>> blockEnds_;
};
