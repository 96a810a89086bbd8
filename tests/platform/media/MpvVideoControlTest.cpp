#include <algorithm>
#include <clocale>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include "AppError.h"
#include "MpvVideoControl.h"
#include "RegionalSettings.h"
#include "VideoFrameView.h"
#include "PlayerTesting.h"
#include "TestApplication.h"

namespace {

// True when some pixel of the picture is clearly not black.
bool hasPicture(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (qGray(image.pixel(x, y)) > 40)
                return true;
        }
    }
    return false;
}

// Every pixel's fourth byte is 0xff, as the picture's format requires: a
// window with alpha shows what lies behind it through any other value.
bool opaque(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!std::all_of(row, row + image.width(), [](QRgb pixel) { return qAlpha(pixel) == 0xff; }))
            return false;
    }
    return true;
}

class MpvVideoControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testApplication();
        folder = new QTemporaryDir;
        clip = folder->filePath("clip.avi");
        clipMade = makeClip({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10", "-f", "lavfi", "-i", "sine",
                             "-t", "2", "-c:v", "mpeg4", "-c:a", "pcm_s16le", clip});
    }
    static void TearDownTestSuite() { delete folder; }

    static void writeFile(const QString& name, const QByteArray& content)
    {
        QFile file(folder->filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void SetUp() override
    {
        control = std::make_unique<MpvVideoControl>();
        control->surface()->resize(160, 120);
        control->surface()->show();
    }

    // Opens the clip and waits until it reports its length; skips where the
    // media backend cannot play here.
    void openClip()
    {
        if (!clipMade)
            GTEST_SKIP() << "ffmpeg could not make the test clip";
        control->open(clip);
        if (!waitFor([&] { return control->duration() > 0; }, 20000))
            GTEST_SKIP() << "the media backend opened no clip within 20 s in this environment";
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString clip;
    static inline bool clipMade = false;
    std::unique_ptr<MpvVideoControl> control;
};

TEST_F(MpvVideoControlTest, OpeningStartsTheClipAndDrawsItsPictureScaled)
{
    openClip();
    if (IsSkipped())
        return;
    EXPECT_NEAR(control->duration(), 2.0, 0.2);
    EXPECT_TRUE(waitFor([&] { return control->playState() == VideoControl::Playing; }, 5000));
    ASSERT_TRUE(waitFor([&] { return hasPicture(control->surface()->grab().toImage()); }, 10000))
        << "no frame was drawn";
    const QImage shot = control->surface()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(160, 120));
    EXPECT_TRUE(hasPicture(shot.copy(120, 90, 40, 30))) << "the frame must fill the widget";
    EXPECT_TRUE(opaque(static_cast<VideoFrameView*>(control->surface())->picture()));
}

// A window busy for longer than the player's streaming thread waits for a frame
// (a first start-up, a loaded machine) must not end the stream: the picture
// goes on changing after each stall.
TEST_F(MpvVideoControlTest, PlaybackGoesOnAfterTheWindowStalls)
{
    openClip();
    if (IsSkipped())
        return;
    auto picture = [&] { return static_cast<VideoFrameView*>(control->surface())->picture(); };
    ASSERT_TRUE(waitFor([&] { return !picture().isNull(); }, 10000)) << "no frame was drawn";
    for (int stall = 0; stall < 3; ++stall) {
        QThread::msleep(350 + 100 * stall);
        const qint64 before = picture().cacheKey();
        EXPECT_TRUE(waitFor([&] { return picture().cacheKey() != before; }, 2000)) << "stalled after stall " << stall;
        waitFor([] { return false; }, 50 + 70 * stall);
    }
    EXPECT_EQ(control->playState(), VideoControl::Playing);
}

// A hidden control converts nothing; the view that appears gets the newest frame.
TEST_F(MpvVideoControlTest, HiddenSurfaceShowsTheNewestFrameWhenShown)
{
    control->surface()->hide();
    openClip();
    if (IsSkipped())
        return;
    auto* view = static_cast<VideoFrameView*>(control->surface());
    waitFor([&] { return control->position() > 0.5; }, 5000);
    EXPECT_TRUE(view->picture().isNull());
    control->surface()->show();
    EXPECT_TRUE(waitFor([&] { return !view->picture().isNull(); }, 1000));
}

TEST_F(MpvVideoControlTest, PauseSeekAndStop)
{
    openClip();
    if (IsSkipped())
        return;
    ASSERT_TRUE(waitFor([&] { return control->playState() == VideoControl::Playing; }, 5000));
    control->pause();
    EXPECT_TRUE(waitFor([&] { return control->playState() == VideoControl::Paused; }, 5000));
    control->setPosition(1.5);
    EXPECT_TRUE(waitFor([&] { return std::abs(control->position() - 1.5) < 0.15; }, 5000));
    control->stop();
    EXPECT_TRUE(waitFor([&] { return control->playState() == VideoControl::Stopped; }, 5000));
    control->play();
    EXPECT_TRUE(waitFor([&] { return control->playState() == VideoControl::Playing; }, 5000));
}

TEST_F(MpvVideoControlTest, ClipPlayedToItsEndStaysAtItsEnd)
{
    openClip();
    if (IsSkipped())
        return;
    ASSERT_TRUE(waitFor([&] { return control->playState() == VideoControl::Stopped; }, 15000));
    EXPECT_NEAR(control->position(), control->duration(), 0.2);
    EXPECT_GT(control->duration(), 0.0);
}

// Whatever cannot be played ends as no clip open, with no picture, and Play
// says so; the next good clip plays all the same.
TEST_F(MpvVideoControlTest, ClipsThatCannotBePlayedEndClosed)
{
    EXPECT_EQ(control->playState(), VideoControl::Closed);
    EXPECT_NO_THROW(control->play()) << "with nothing open, play does nothing";
    if (!clipMade)
        GTEST_SKIP() << "ffmpeg could not make the test clip";
    QFile whole(clip);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QByteArray unknownCodec = bytes;
    unknownCodec.replace("FMP4", "QQQQ").replace("fmp4", "qqqq");
    const QString soundOnly = folder->filePath("sound.wav");
    ASSERT_TRUE(makeClip({"-f", "lavfi", "-i", "sine=d=2", soundOnly}));
    QStringList told;
    control->setOpenFailureHandler([&](const QString& message) { told << message; });
    const struct {
        QString name;
        QByteArray content;
        QString words;  // what the learner is told first
    } cases[] = {
        {"missing.avi", {}, "The video file %1 cannot be found."},
        {"truncated.avi", bytes.left(3000), "The file %1 is damaged or is not a video."},
        {"text.avi", "not a video\n", "The file %1 is damaged or is not a video."},
        {"unknown-codec.avi", unknownCodec, "The video %1 is in a format that cannot be played."},
        {"sound.wav", {}, "The video %1 is in a format that cannot be played."},
    };
    for (const auto& [name, content, words] : cases) {
        SCOPED_TRACE(name.toStdString());
        if (!content.isEmpty())
            writeFile(name, content);
        told.clear();
        control->open(folder->filePath(name));
        EXPECT_TRUE(waitFor([&] { return !told.isEmpty(); }, 10000));
        EXPECT_TRUE(told.value(0).startsWith(words.arg(folder->filePath(name)))) << told.value(0).toStdString();
        EXPECT_EQ(control->playState(), VideoControl::Closed);
        waitFor([] { return false; }, 300);
        EXPECT_EQ(control->playState(), VideoControl::Closed) << "it must stay closed";
        EXPECT_EQ(control->duration(), 0.0);
        EXPECT_TRUE(static_cast<VideoFrameView*>(control->surface())->picture().isNull()) << "a picture stands";
        EXPECT_THROW(control->play(), AppError);
    }
    EXPECT_EQ(told.size(), 1) << "each failure is told once";
    // A failure of a clip replaced before it showed is not told.
    told.clear();
    control->open(folder->filePath("text.avi"));
    openClip();
    EXPECT_GT(control->duration(), 0.0);
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(told.isEmpty()) << told.join(u'\n').toStdString();
}

// Seeks made while a clip opens are done once it is open; a clip asked for
// since drops them, and a seek in the clip before does not reach the next.
TEST_F(MpvVideoControlTest, SeeksLandOnTheClipTheyWereMadeFor)
{
    const QString longer = folder->filePath("seekable.avi");
    if (!clipMade || !makeClip({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10:d=6", "-c:v", "mpeg4", longer}))
        GTEST_SKIP() << "ffmpeg could not make the test clips";
    const struct {
        const char* name;
        std::function<void()> actions;
        double length, position;  // of the clip open at the end, paused
    } cases[] = {
        {"bookmark chosen while the clip opens", [&] { control->open(longer); control->pause(); control->setPosition(4.0); },
         6.0, 4.0},
        {"seek, then another clip", [&] { control->open(longer); control->setPosition(4.0); control->open(clip); control->pause(); },
         2.0, 0.0},
        {"seek in an open clip, then another", [&] {
             control->open(longer);
             waitFor([&] { return control->duration() > 0; }, 10000);
             control->setPosition(5.5);
             control->open(clip);
             control->pause();
         }, 2.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.actions();
        ASSERT_TRUE(waitFor([&] { return control->duration() > 0 && control->playState() == VideoControl::Paused; }, 10000));
        EXPECT_NEAR(control->duration(), c.length, 0.3);
        waitFor([] { return false; }, 300);
        EXPECT_NEAR(control->position(), c.position, 0.35);
    }
}

// Switching clips in a row: until the newest clip is open its length reads 0,
// never the length of a clip asked for before.
TEST_F(MpvVideoControlTest, LengthReadsZeroUntilTheNewestClipIsOpen)
{
    const QString longer = folder->filePath("longer.avi");
    if (!clipMade || !makeClip({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10:d=5", "-c:v", "mpeg4", longer}))
        GTEST_SKIP() << "ffmpeg could not make the test clips";
    for (int i = 0; i < 12; ++i) {
        const bool toLonger = i % 2 == 0;
        const double expected = toLonger ? 5.0 : 2.0;
        control->open(toLonger ? longer : clip);
        QElapsedTimer waited;
        waited.start();
        // Every other pair of switches comes before the clip before was open.
        const int patience = i % 4 < 2 ? 30 : 10000;
        while (control->duration() == 0.0 && waited.elapsed() < patience)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (control->duration() != 0.0 || patience > 30)
            ASSERT_NEAR(control->duration(), expected, 0.3) << "switch " << i;
    }
    EXPECT_NE(control->playState(), VideoControl::Closed);
}

// Under a locale that writes numbers with a comma the player starts all the
// same, and the user's separator, read before, stays the program's.
TEST(MpvVideoControlLocale, StartsUnderACommaLocaleKeepingTheUsersSeparator)
{
    testApplication();
    QTemporaryDir locales;
    QProcess localedef;
    localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", locales.filePath("de_DE.UTF-8")});
    localedef.waitForFinished(60000);
    qputenv("LOCPATH", locales.path().toUtf8());
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no comma locale could be made here";
    const SystemRegionalSettings regional;
    MpvVideoControl control;
    QString told;
    control.setOpenFailureHandler([&](const QString& message) { told = message; });
    control.open(locales.filePath("missing.avi"));
    EXPECT_TRUE(waitFor([&] { return !told.isEmpty(); }, 10000));
    EXPECT_TRUE(told.contains("cannot be found")) << "the player must start and look for the file: " << told.toStdString();
    EXPECT_EQ(regional.decimalSeparator(), u',');
    std::setlocale(LC_NUMERIC, "C");
    qunsetenv("LOCPATH");
}

TEST_F(MpvVideoControlTest, MouseUpAndDoubleClickReachTheHandlers)
{
    QStringList seen;
    control->setMouseUpHandler([&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
        seen << QString("up %1 %2 %3,%4").arg(int(button)).arg(int(modifiers)).arg(x).arg(y);
    });
    control->setDoubleClickHandler([&] { seen << "double"; });
    QTest::mouseRelease(control->surface(), Qt::RightButton, Qt::ShiftModifier, QPoint(30, 40));
    QTest::mouseDClick(control->surface(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen[0], QString("up %1 %2 30,40").arg(int(Qt::RightButton)).arg(int(Qt::ShiftModifier)));
    EXPECT_TRUE(seen.contains("double"));
}

TEST_F(MpvVideoControlTest, FullScreenCoversTheScreenAndEndsWithEscOrAClick)
{
    control->setFullScreen(true);
    ASSERT_TRUE(control->isFullScreen());
    QWidget* window = control->fullScreenWindow();
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->geometry(), QGuiApplication::primaryScreen()->geometry());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(control->isFullScreen());

    control->setFullScreen(true);
    ASSERT_TRUE(control->isFullScreen());
    QTest::mouseClick(window, Qt::LeftButton);
    EXPECT_FALSE(control->isFullScreen());
    EXPECT_TRUE(control->surface()->isVisible()) << "the picture goes back to the normal surface";
}

// Full screen keeps the clip's proportions (4:3 here), drawn opaque at the
// size of its area, with bars where the screen's proportions differ.
TEST_F(MpvVideoControlTest, FullScreenKeepsTheClipsProportions)
{
    openClip();
    if (IsSkipped())
        return;
    control->setFullScreen(true);
    auto* view = static_cast<VideoFrameView*>(control->fullScreenWindow());
    EXPECT_TRUE(opaque(view->picture())) << "drawn before the first frame";
    ASSERT_TRUE(waitFor([&] { return hasPicture(view->picture()) && view->pictureArea() != view->rect(); }, 10000))
        << "no frame was drawn in proportion on the " << view->width() << "x" << view->height() << " screen";
    const QRect area = view->pictureArea();
    EXPECT_NEAR(double(area.width()) / area.height(), 4.0 / 3.0, 0.01);
    EXPECT_EQ(view->picture().size(), area.size() * view->devicePixelRatio());
    EXPECT_TRUE(opaque(view->picture()));
    control->setFullScreen(false);
    EXPECT_EQ(static_cast<VideoFrameView*>(control->surface())->pictureArea(), control->surface()->rect())
        << "the window's view keeps filling its control";
}

TEST(VideoFrameView, PictureAreaKeepsProportionsWithBarsOrFills)
{
    testApplication();
    struct Case {
        QSize view;
        double proportions;
        QRect expected;
    };
    const Case cases[] = {
        {{1920, 1080}, 4.0 / 3.0, {240, 0, 1440, 1080}}, {{800, 600}, 16.0 / 9.0, {0, 75, 800, 450}},
        {{1024, 768}, 4.0 / 3.0, {0, 0, 1024, 768}},     {{720, 540}, 0.0, {0, 0, 720, 540}},
        {{300, 900}, 1.0, {0, 300, 300, 300}},
    };
    VideoFrameView view;
    for (const Case& c : cases) {
        view.resize(c.view);
        view.setProportions(c.proportions);
        EXPECT_EQ(view.pictureArea(), c.expected) << c.view.width() << "x" << c.view.height() << " " << c.proportions;
    }
}

}  // namespace
