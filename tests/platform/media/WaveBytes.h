#pragma once

#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QString>

// Little helpers that build wave files byte by byte for the device tests.
namespace WaveBytes {

inline QByteArray u32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray u16(std::uint16_t v)
{
    return u32(v).left(2);
}

inline QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    QByteArray c = id + u32(std::uint32_t(body.size())) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

// 16-bit mono PCM at 8000 samples per second.
inline QByteArray pcmFormat()
{
    return u16(1) + u16(1) + u32(8000) + u32(16000) + u16(2) + u16(16);
}

inline QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + u32(std::uint32_t(chunks.size() + 4)) + "WAVE" + chunks;
}

// A playable file of silence, the given number of samples long.
inline QByteArray silence(int samples)
{
    return riff(chunk("fmt ", pcmFormat()) + chunk("data", QByteArray(samples * 2, '\0')));
}

inline QString write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

}  // namespace WaveBytes
