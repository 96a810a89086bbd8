#include <gtest/gtest.h>
#include <QTest>

#include "GifTestSupport.h"

namespace {

// A w x h picture whose pixel (x, y) has colour index (x + y) % 3 + 1.
GifBuilder diagonal(int width, int height, bool transparentFirst = false)
{
    ImageSpec layout = solidImage(0, 0, width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            layout.pixels[std::size_t(y) * width + x] = std::uint8_t((x + y) % 3 + 1);
    }
    GifBuilder gif(width, height, fourColours());
    if (transparentFirst)
        gif.graphicControl(0, 0, true, 3);
    return gif.image(layout).trailer();
}

QRgb diagonalColour(int x, int y)
{
    const QRgb colours[] = {Red, Green, Blue};
    return colours[(x + y) % 3];
}

TEST(GIFPaint, TileRepeatsThePictureAndCutsTheLastRowAndColumn)
{
    ControlOnParent view;
    ASSERT_TRUE(view.load(diagonal(10, 10)));
    view.control->resize(25, 25);
    view.control->setTile(true);
    EXPECT_EQ(view.control->DestinationRect(), QRect(0, 0, 25, 25));
    const QImage painted = view.paint();
    for (const QPoint at : {QPoint(0, 0), QPoint(9, 9), QPoint(13, 4), QPoint(24, 24), QPoint(20, 7)})
        EXPECT_EQ(painted.pixel(at), diagonalColour(at.x() % 10, at.y() % 10)) << at.x() << "," << at.y();
}

TEST(GIFPaint, DestinationRectangles)
{
    ControlOnParent view;
    ASSERT_TRUE(view.load(diagonal(100, 50)));
    view.control->resize(200, 200);
    view.control->setStretchRatio(true);
    EXPECT_TRUE(view.control->Stretched());
    EXPECT_EQ(view.control->DestinationRect(), QRect(QPoint(0, 50), QPoint(199, 149)));
    const QImage painted = view.paint();
    EXPECT_EQ(painted.pixel(100, 45), White);
    EXPECT_EQ(painted.pixel(0, 50), Red);
    EXPECT_EQ(painted.pixel(199, 149), diagonalColour(99, 49));

    view.control->resize(301, 100);  // margin 50.5 rounds to 50, 250.5 to 250
    EXPECT_EQ(view.control->DestinationRect(), QRect(QPoint(50, 0), QPoint(249, 99)));

    view.control->setStretchRatio(false);
    view.control->setStretch(true);
    view.control->setStretchBigOnly(true);
    view.control->resize(200, 200);
    EXPECT_FALSE(view.control->Stretched()) << "smaller than the control keeps its size";
    view.control->resize(80, 200);
    EXPECT_EQ(view.control->DestinationRect(), QRect(0, 0, 80, 200));

    view.control->setStretch(false);
    view.control->setCenter(true);
    view.control->resize(25, 25);
    EXPECT_EQ(view.control->DestinationRect(), QRect(-37, -12, 100, 50));
    view.control->resize(105, 55);
    EXPECT_EQ(view.control->DestinationRect(), QRect(2, 2, 100, 50));
}

TEST(GIFPaint, MaskOnlyWhenFrameOneIsTransparent)
{
    // Frame 1 opaque over part of the screen, frame 2 transparent: the
    // picture is drawn without its mask, so the undrawn part is black.
    GifBuilder opaqueFirst(4, 1, fourColours());
    opaqueFirst.image(solidImage(0, 0, 2, 1, 1)).graphicControl(0, 0, true, 0)
        .image(solidImage(0, 0, 1, 1, 2)).trailer();
    ControlOnParent view;
    ASSERT_TRUE(view.load(opaqueFirst));
    view.control->resize(4, 1);
    EXPECT_FALSE(view.control->MaskImage().isNull());
    EXPECT_EQ(view.paint().pixel(3, 0), Black);

    ASSERT_TRUE(view.load(diagonal(4, 1, /*transparentFirst=*/true)));
    const QImage painted = view.paint();
    EXPECT_EQ(painted.pixel(0, 0), Red);
    EXPECT_EQ(painted.pixel(2, 0), White) << "index 3 is transparent";

    view.control->setColor(QColor(Qt::cyan));
    view.control->setOpaque(true);
    EXPECT_EQ(view.paint().pixel(2, 0), QColor(Qt::cyan).rgba());
}

TEST(GIFPaint, FullyOpaqueOnlyWhenThePictureCoversTheControl)
{
    ControlOnParent view;
    ASSERT_TRUE(view.load(diagonal(10, 10)));
    view.control->resize(10, 10);
    EXPECT_TRUE(view.control->FullyOpaque());
    view.paint();
    EXPECT_TRUE(view.control->testAttribute(Qt::WA_OpaquePaintEvent));
    view.control->resize(11, 10);
    EXPECT_FALSE(view.control->FullyOpaque());
    view.control->setTile(true);
    EXPECT_TRUE(view.control->FullyOpaque());
    view.control->setVisibleFlag(false);
    EXPECT_FALSE(view.control->FullyOpaque());
    EXPECT_FALSE(view.control->testAttribute(Qt::WA_OpaquePaintEvent));

    ASSERT_TRUE(view.load(diagonal(10, 10, true)));
    view.control->setVisibleFlag(true);
    EXPECT_FALSE(view.control->FullyOpaque());
}

TEST(GIFPaint, InvisibleControlDrawsNothingButStillTakesClicks)
{
    ControlOnParent view;
    ASSERT_TRUE(view.load(diagonal(20, 20)));
    view.control->setGeometry(10, 10, 20, 20);
    view.parent->show();
    int clicks = 0;
    view.control->OnClick = [&](TGIFImage* sender) {
        EXPECT_EQ(sender, view.control);
        ++clicks;
    };
    view.control->setVisibleFlag(false);
    const QImage painted = view.paint();
    EXPECT_EQ(painted.pixel(5, 5), White);
    QTest::mouseClick(view.control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(view.control, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(GIFPaint, PictureWithoutImagesDrawsNothing)
{
    ControlOnParent view;
    view.control->setTile(true);
    EXPECT_TRUE(view.load(GifBuilder(0, 0).trailer())) << "a good header alone loads";
    EXPECT_EQ(view.control->FrameCount(), 0);
    EXPECT_FALSE(view.control->Empty());
    EXPECT_EQ(view.paint().pixel(50, 50), White);
    EXPECT_EQ(view.control->size(), QSize(105, 105));
}

}  // namespace
