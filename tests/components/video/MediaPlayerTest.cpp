#include <memory>

#include <QTest>

#include <gtest/gtest.h>

#include "AppError.h"
#include "ErrorReporting.h"
#include "FakeWaveDevice.h"
#include "MciError.h"
#include "MediaPlayer.h"
#include "TestApplication.h"

namespace {

class RecordingErrorBox : public ErrorBox {
public:
    void showError(const QString&, const QString& text) override { shown << text; }
    QStringList shown;
};

class MediaPlayerTest : public ::testing::Test {
protected:
    MediaPlayerTest()
    {
        testApplication();
        ErrorReporting::install(&box, "Tovrelle");
        auto fake = std::make_unique<FakeWaveDevice>();
        device = fake.get();
        bar = std::make_unique<TMediaPlayer>(nullptr, std::move(fake));
        bar->setFileName("/course/Media/blank.wav");
    }
    ~MediaPlayerTest() override { ErrorReporting::install(nullptr, QString()); }

    QString openError(int code)
    {
        device->openResult = code;
        try {
            bar->Open();
        } catch (const AppError& error) {
            return error.text();
        }
        return "no error";
    }

    // Clicks a button with the mouse, in the middle of its third of the bar.
    void clickWithMouse(int button)
    {
        QTest::mouseClick(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(33 + 67 * button, 10));
    }

    RecordingErrorBox box;
    FakeWaveDevice* device;
    std::unique_ptr<TMediaPlayer> bar;
};

TEST_F(MediaPlayerTest, OpenUsesTheFileNameAndRaisesThePlatformText)
{
    EXPECT_EQ(openError(0), "no error");
    EXPECT_EQ(device->calls.first(), "open /course/Media/blank.wav");
    EXPECT_TRUE(device->isOpen());
    EXPECT_EQ(openError(MciError::FileNotFound), MciError::text(MciError::FileNotFound));
    EXPECT_EQ(openError(MciError::InvalidFile), MciError::text(MciError::InvalidFile));
    EXPECT_EQ(openError(4711), "Unknown error code");
    EXPECT_FALSE(device->isOpen());
}

TEST_F(MediaPlayerTest, OperationsOnAClosedDeviceRaiseNoDeviceOpen)
{
    for (auto operation : {&TMediaPlayer::Play, &TMediaPlayer::Pause, &TMediaPlayer::Stop}) {
        try {
            (bar.get()->*operation)();
            ADD_FAILURE() << "no error raised";
        } catch (const AppError& error) {
            EXPECT_EQ(error.text(), "No MCI device open");
        }
    }
    EXPECT_TRUE(device->calls.isEmpty()) << "nothing may reach a closed device";
}

TEST_F(MediaPlayerTest, ClickAsksTheHandlerFirstThenDoesTheButtonsAction)
{
    bar->Open();
    QStringList order;
    bar->OnClick = [&](int button, bool& doDefault) {
        order << QString("handler %1 %2").arg(button).arg(doDefault);
        device->stop();  // what the window's handler does: stop the bar's own sound
    };
    clickWithMouse(TMediaPlayer::btPlay);
    EXPECT_EQ(order, QStringList({"handler 0 1"}));
    EXPECT_EQ(device->calls.mid(1), QStringList({"stop", "play"}));
    EXPECT_EQ(device->mode(), WaveDevice::Playing);

    clickWithMouse(TMediaPlayer::btStop);
    EXPECT_EQ(order.last(), "handler 2 1");
    EXPECT_EQ(device->calls.mid(3), QStringList({"stop", "stop"}));
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST_F(MediaPlayerTest, PauseButtonActsOnlyOnAPlayingOrPausedSound)
{
    bar->Open();
    bar->click(TMediaPlayer::btPause);
    EXPECT_EQ(device->count("pause") + device->count("play"), 0) << "a stopped sound is left alone";
    device->currentMode = WaveDevice::Playing;
    bar->click(TMediaPlayer::btPause);
    EXPECT_EQ(device->mode(), WaveDevice::Paused);
    bar->click(TMediaPlayer::btPause);
    EXPECT_EQ(device->mode(), WaveDevice::Playing) << "a paused sound resumes";
    device->currentMode = WaveDevice::NotOpen;
    bar->click(TMediaPlayer::btPause);
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST_F(MediaPlayerTest, ErrorsInAClickAreReportedAndEndTheClick)
{
    // Device never opened: the window's handler stops it first and that raises.
    bool handlerDone = false;
    bar->OnClick = [&](int, bool&) {
        bar->Stop();
        handlerDone = true;
    };
    clickWithMouse(TMediaPlayer::btPlay);
    EXPECT_EQ(box.shown, QStringList({"No MCI device open."}));
    EXPECT_FALSE(handlerDone);

    bar->OnClick = nullptr;
    bar->Open();
    device->playResult = MciError::FileNotFound;
    bar->click(TMediaPlayer::btPlay);
    EXPECT_EQ(box.shown.last(), MciError::text(MciError::FileNotFound));
}

TEST_F(MediaPlayerTest, MouseFindsTheButtonsAndAClearedFlagSkipsTheAction)
{
    bar->Open();
    QList<int> clicked;
    bar->OnClick = [&](int button, bool& doDefault) {
        clicked << button;
        doDefault = false;
    };
    clickWithMouse(2);
    clickWithMouse(0);
    clickWithMouse(1);
    QTest::mousePress(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(190, 10));
    QTest::mouseClick(bar.get(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicked, QList<int>({2, 0, 1}));
    EXPECT_EQ(device->calls.size(), 1) << "only the open reached the device";
}

TEST_F(MediaPlayerTest, BarIsFixedGreyAndAlwaysEnabled)
{
    bar->resize(400, 50);
    EXPECT_EQ(bar->size(), QSize(200, 21));
    EXPECT_TRUE(bar->isEnabled());
    const QImage image = bar->grab().toImage();
    int dark = 0;
    int face = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << "colour at " << x << "," << y;
            dark += c.value() < 64;
            face += c.value() == 0xC0;
        }
    }
    EXPECT_GT(face, image.width() * image.height() / 2) << "the buttons' faces are light grey";
    EXPECT_GT(dark, 3 * 40) << "each button needs its black edge and glyph";
}

}  // namespace
