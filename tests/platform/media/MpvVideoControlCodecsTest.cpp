#include <memory>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "MpvVideoControl.h"
#include "PlayerTesting.h"
#include "PrivateSoundServer.h"
#include "TestApplication.h"
#include "VideoFrameView.h"

namespace {

// Lessons as old course discs hold them: each plays with its picture right way
// up and moving, and its tone is heard.
struct Codec {
    const char* name;
    QStringList encoding;  // ffmpeg's output options
};

const Codec codecs[] = {
    {"palettized_8_bit", {"-c:v", "rawvideo", "-pix_fmt", "pal8", "-c:a", "pcm_u8"}},
    {"ima_adpcm_sound", {"-c:v", "mpeg4", "-c:a", "adpcm_ima_wav"}},
    {"cinepak", {"-c:v", "cinepak", "-c:a", "pcm_s16le"}},
    {"ms_video_1_and_ms_adpcm", {"-c:v", "msvideo1", "-c:a", "adpcm_ms"}},
    {"ms_mpeg4_v2", {"-c:v", "msmpeg4v2", "-c:a", "libmp3lame"}},
    {"ms_mpeg4_v3", {"-c:v", "msmpeg4", "-c:a", "libmp3lame"}},
    {"xvid_and_mp3", {"-c:v", "mpeg4", "-vtag", "XVID", "-c:a", "libmp3lame"}},
    {"mjpeg", {"-c:v", "mjpeg", "-q:v", "4", "-c:a", "pcm_s16le"}},
    {"uncompressed_24_bit", {"-c:v", "rawvideo", "-pix_fmt", "bgr24", "-c:a", "pcm_s16le"}},
};

constexpr double ToneHz = 660.0;

// The picture: white above, black below, a red square running along the top.
const char* const Picture = "color=white:s=160x120:r=10:d=8,drawbox=y=60:h=60:c=black:t=fill[ground];"
                            "color=red:s=20x20:r=10:d=8[square];[ground][square]overlay=x='mod(t*60,140)':y=20";

double meanGray(const QImage& image, int top, int bottom)
{
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; y += 2) {
        for (int x = 0; x < image.width(); x += 2, ++count)
            sum += qGray(image.pixel(x, y));
    }
    return count ? sum / count : 0;
}

class CodecTest : public ::testing::TestWithParam<Codec> {
protected:
    static void SetUpTestSuite()
    {
        testApplication();
        sound = new PrivateSoundServer;
        folder = new QTemporaryDir;
    }
    static void TearDownTestSuite()
    {
        delete folder;
        delete sound;
    }

    static inline PrivateSoundServer* sound = nullptr;
    static inline QTemporaryDir* folder = nullptr;
};

TEST_P(CodecTest, PlaysRightWayUpMovingAndHeard)
{
    ASSERT_TRUE(sound->running()) << "the private sound server did not start";
    const QString clip = folder->filePath(QString(GetParam().name) + ".avi");
    ASSERT_TRUE(makeClip(QStringList{"-f", "lavfi", "-i", Picture, "-f", "lavfi", "-i",
                                     QString("sine=f=%1:r=22050:d=8").arg(ToneHz), "-ac", "1"}
                         + GetParam().encoding + QStringList{clip}));
    MpvVideoControl control;
    auto* view = static_cast<VideoFrameView*>(control.surface());
    view->resize(160, 120);
    view->show();
    control.open(clip);
    ASSERT_TRUE(waitFor([&] { return control.playState() == VideoControl::Playing && !view->picture().isNull(); },
                        10000));
    waitFor([] { return false; }, 300);
    const QImage first = view->picture().copy();
    EXPECT_GT(meanGray(first, 4, 16), 200) << "the top must be white";
    EXPECT_LT(meanGray(first, 64, 116), 40) << "the bottom must be black";
    const auto moved = [&] { return view->picture().copy(0, 16, 160, 28) != first.copy(0, 16, 160, 28); };
    EXPECT_TRUE(waitFor(moved, 2000)) << "the picture stands still";
    const auto [loudness, toneShare] = sound->listen(ToneHz);
    EXPECT_GT(loudness, 0.05) << "nothing heard";
    EXPECT_GT(toneShare, 0.6) << "the tone is not what was heard";
}

INSTANTIATE_TEST_SUITE_P(OldDiscs, CodecTest, ::testing::ValuesIn(codecs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
