#include "WaveFile.h"

#include <cstdint>

#include <algorithm>

#include "CourseFiles.h"
#include "MciError.h"

namespace {

std::uint32_t le32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

std::uint16_t le16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(b[0] | (b[1] << 8));
}

// "fmt " chunk body, at least 16 bytes:
//   0 u16 format tag, 2 u16 channels, 4 u32 samples per second,
//   8 u32 bytes per second, 12 u16 block align, 14 u16 bits per sample.
bool usableFormat(const QByteArray& body)
{
    if (body.size() < 16)
        return false;
    const char* p = body.constData();
    return le16(p) != 0 && le16(p + 2) != 0 && le32(p + 4) != 0 && le16(p + 12) != 0;
}

// Walks the chunks after the 12-byte RIFF header. Each chunk is an id (4 bytes),
// a little-endian size (4 bytes) and the body, padded to an even length.
bool hasFormatAndData(const QByteArray& file)
{
    bool formatSeen = false;
    qint64 at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qint64 size = le32(file.constData() + at + 4);
        if (id == "fmt ") {
            if (!usableFormat(file.mid(at + 8, std::min<qint64>(size, 16))))
                return false;
            formatSeen = true;
        } else if (id == "data") {
            return formatSeen;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

}  // namespace

int checkWaveFile(const QString& path)
{
    if (path.isEmpty())
        return MciError::FileNotFound;
    const CourseFiles::Read file = CourseFiles::read(path, CourseFiles::Kind::Sound);
    // Too large for the bar's sound is a file the device cannot play; any
    // other refusal is one it cannot open.
    if (file.refusal == CourseFiles::Refusal::TooLarge)
        return MciError::InvalidFile;
    if (!file.ok())
        return MciError::FileNotFound;
    // RIFF header: "RIFF", u32 size of the rest, "WAVE".
    if (file.bytes.size() < 12 || !file.bytes.startsWith("RIFF") || file.bytes.mid(8, 4) != "WAVE")
        return MciError::InvalidFile;
    return hasFormatAndData(file.bytes) ? MciError::None : MciError::InvalidFile;
}
