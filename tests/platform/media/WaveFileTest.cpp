#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "MciError.h"
#include "WaveBytes.h"
#include "WaveFile.h"

using namespace WaveBytes;

namespace {

struct WaveCase {
    const char* name;
    QByteArray bytes;
    int expected;
};

class WaveFileCheck : public ::testing::TestWithParam<WaveCase> {};

TEST_P(WaveFileCheck, GivesTheDeviceErrorCode)
{
    QTemporaryDir dir;
    const QString path = write(dir.filePath("f.wav"), GetParam().bytes);
    EXPECT_EQ(checkWaveFile(path), GetParam().expected);
}

const QByteArray fmt = chunk("fmt ", pcmFormat());
const QByteArray data = chunk("data", QByteArray(8, '\0'));

INSTANTIATE_TEST_SUITE_P(
    Files, WaveFileCheck,
    ::testing::Values(
        WaveCase{"plain_pcm", riff(fmt + data), 0},
        WaveCase{"odd_sized_chunk_before_format_is_skipped_with_its_pad", riff(chunk("LIST", "abc") + fmt + data), 0},
        WaveCase{"data_longer_than_the_file", riff(fmt) + "data" + u32(0xFFFFFFF0u) + "xx", 0},
        WaveCase{"empty_file", QByteArray(), MciError::InvalidFile},
        WaveCase{"one_byte", QByteArray("R"), MciError::InvalidFile},
        WaveCase{"text", QByteArray("<html>not a sound</html>"), MciError::InvalidFile},
        WaveCase{"riff_of_another_form", "RIFF" + u32(4) + "AVI " + fmt + data, MciError::InvalidFile},
        WaveCase{"no_data_chunk", riff(fmt), MciError::InvalidFile},
        WaveCase{"data_before_format", riff(data + fmt), MciError::InvalidFile},
        WaveCase{"short_format", riff(chunk("fmt ", pcmFormat().left(12)) + data), MciError::InvalidFile},
        WaveCase{"zero_channels", riff(chunk("fmt ", u16(1) + u16(0) + pcmFormat().mid(4)) + data), MciError::InvalidFile},
        WaveCase{"chunk_size_past_the_end", riff("JUNK" + u32(0x7FFFFFFF) + fmt + data), MciError::InvalidFile},
        WaveCase{"truncated_chunk_header", riff(fmt + "da"), MciError::InvalidFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveFileCheck, MissingFileAndFolderAreNotFound)
{
    QTemporaryDir dir;
    EXPECT_EQ(checkWaveFile(dir.filePath("missing.wav")), MciError::FileNotFound);
    EXPECT_EQ(checkWaveFile(dir.path()), MciError::FileNotFound);
    EXPECT_EQ(checkWaveFile(QString()), MciError::FileNotFound);
}

TEST(MciErrorText, KnownCodesHaveThePlatformTextOthersNone)
{
    EXPECT_EQ(MciError::text(MciError::FileNotFound),
              "Cannot find the specified file. Make sure the path and filename are correct.");
    EXPECT_TRUE(MciError::text(MciError::InvalidFile).startsWith("The specified file cannot be played"));
    EXPECT_TRUE(MciError::text(0).isEmpty());
    EXPECT_TRUE(MciError::text(12345).isEmpty());
}

}  // namespace
