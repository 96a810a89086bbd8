#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "MciError.h"
#include "MpvWaveDevice.h"
#include "TestApplication.h"
#include "WaveBytes.h"

namespace {

class MpvWaveDeviceTest : public ::testing::Test {
protected:
    QApplication& app = testApplication();
    QTemporaryDir dir;
    MpvWaveDevice device;
};

TEST_F(MpvWaveDeviceTest, PlaysPausesResumesAndStopsAnOpenSound)
{
    ASSERT_EQ(device.open(WaveBytes::write(dir.filePath("blank.wav"), WaveBytes::silence(8000))), 0);
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.mode(), WaveDevice::Stopped);
    EXPECT_EQ(device.pause(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::Stopped) << "pausing a stopped sound does nothing";
    EXPECT_EQ(device.play(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::Playing);
    EXPECT_EQ(device.pause(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::Paused);
    EXPECT_EQ(device.play(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::Playing);
    EXPECT_EQ(device.stop(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::Stopped);
}

TEST_F(MpvWaveDeviceTest, FailedOpenReportsTheCodeAndLeavesTheDeviceClosed)
{
    ASSERT_EQ(device.open(WaveBytes::write(dir.filePath("good.wav"), WaveBytes::silence(100))), 0);
    EXPECT_EQ(device.open(WaveBytes::write(dir.filePath("bad.wav"), "not a wave")), MciError::InvalidFile);
    EXPECT_FALSE(device.isOpen()) << "the earlier sound must not stay open";
    EXPECT_EQ(device.open(dir.filePath("missing.wav")), MciError::FileNotFound);
    EXPECT_EQ(device.mode(), WaveDevice::NotOpen);
    EXPECT_EQ(device.play(), 0);
    EXPECT_EQ(device.mode(), WaveDevice::NotOpen) << "a closed device does not start";
}

TEST_F(MpvWaveDeviceTest, SoundThatPlayedToItsEndLeavesTheDeviceStopped)
{
    ASSERT_EQ(device.open(WaveBytes::write(dir.filePath("short.wav"), WaveBytes::silence(800))), 0);
    device.play();
    QElapsedTimer waited;
    waited.start();
    while (device.mode() == WaveDevice::Playing && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (device.mode() == WaveDevice::Playing)
        GTEST_SKIP() << "the media backend did not play the sound to its end here (no audio pipeline?)";
    EXPECT_EQ(device.mode(), WaveDevice::Stopped);
}

}  // namespace
