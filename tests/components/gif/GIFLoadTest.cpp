#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "GIFParser.h"
#include "GifTestSupport.h"

namespace {

GifBuilder twoFrames()
{
    GifBuilder gif(4, 4, fourColours());
    gif.image(solidImage(0, 0, 4, 4, 1)).image(solidImage(1, 1, 2, 2, 2));
    return gif;
}

Bytes cut(const GifBuilder& gif, std::size_t keep)
{
    return Bytes(gif.bytes().begin(), gif.bytes().begin() + keep);
}

GifBuilder fromBytes(const Bytes& bytes)
{
    GifBuilder gif(0, 0);
    const_cast<Bytes&>(gif.bytes()) = bytes;
    return gif;
}

struct UnusableCase {
    const char* name;
    Bytes bytes;
};

TEST(GIFLoad, UnusableFilesFailAndLeaveTheControlEmpty)
{
    const GifBuilder good = twoFrames();
    GifBuilder zeroWidth(4, 4, fourColours());
    zeroWidth.image(solidImage(0, 0, 4, 4, 1)).raw({0x2C, 0, 0, 0, 0, 0, 0, 4, 0, 0, 2, 2, 0x44, 1, 0});
    const UnusableCase cases[] = {
        {"empty", {}},
        {"not a GIF", {'P', 'N', 'G', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}},
        {"inside the header", cut(good, 4)},
        {"inside the screen descriptor", cut(good, 10)},
        {"inside the global table", cut(good, 13 + 5)},
        {"image of width 0 after a good one", zeroWidth.bytes()},
    };
    for (const UnusableCase& c : cases) {
        ControlOnParent view;
        ASSERT_TRUE(view.load(twoFrames()));
        EXPECT_FALSE(view.load(fromBytes(c.bytes))) << c.name;
        EXPECT_TRUE(view.control->Empty()) << c.name;
        EXPECT_EQ(view.control->FrameCount(), 0) << c.name;
        EXPECT_EQ(view.control->CurrentFrame(), 1) << c.name;
    }
}

TEST(GIFLoad, MissingFileKeepsThePictureOtherFilesLoad)
{
    QTemporaryDir dir;
    ControlOnParent view;
    ASSERT_TRUE(view.load(twoFrames()));
    EXPECT_FALSE(view.control->LoadFromFile(dir.filePath("missing.gif")));
    EXPECT_EQ(view.control->FrameCount(), 2);

    QFile file(dir.filePath("banner.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    GifBuilder one(3, 2, fourColours());
    file.write(one.image(solidImage(0, 0, 3, 2, 3)).trailer().data());
    file.close();
    EXPECT_TRUE(view.control->LoadFromFile(file.fileName()));
    EXPECT_EQ(view.control->FrameCount(), 1);
    EXPECT_EQ(view.control->CompositionImage().pixel(2, 1), Blue);
}

TEST(GIFLoad, BadImagesDropThemselvesAndWhatFollows)
{
    GifBuilder tooWide(4, 4, fourColours());
    tooWide.image(solidImage(0, 0, 4, 4, 1))
        .raw({0x2C, 0, 0, 0, 0, 0x01, 0x40, 1, 0, 0})  // width 16385
        .image(solidImage(0, 0, 4, 4, 2));
    GifBuilder cutDescriptor(4, 4, fourColours());
    cutDescriptor.image(solidImage(0, 0, 4, 4, 1)).raw({0x2C, 0, 0, 0, 0, 4});
    for (const GifBuilder* gif : {&tooWide, &cutDescriptor}) {
        ControlOnParent view;
        EXPECT_TRUE(view.load(*gif));
        EXPECT_EQ(view.control->FrameCount(), 1);
        EXPECT_FALSE(view.control->Empty());
    }
}

TEST(GIFLoad, AtMost256Frames)
{
    GifBuilder gif(2, 2, fourColours());
    for (int i = 0; i < 300; ++i)
        gif.image(solidImage(0, 0, 2, 2, std::uint8_t(i % 4)));
    ControlOnParent view;
    EXPECT_TRUE(view.load(gif));
    EXPECT_EQ(view.control->FrameCount(), 256);
}

TEST(GIFLoad, BytesEndingEarlyKeepWhatWasRead)
{
    // Inside an extension: the picture before it stays.
    GifBuilder inExtension(2, 2, fourColours());
    inExtension.image(solidImage(0, 0, 2, 2, 1)).raw({0x21, 0xFE, 10, 'a', 'b'});
    ControlOnParent view;
    EXPECT_TRUE(view.load(inExtension));
    EXPECT_EQ(view.control->FrameCount(), 1);

    // Inside a local colour table: the missing entries are black.
    GifBuilder inTable(2, 1);
    inTable.raw({0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x81, 0x10, 0x20, 0x30, 0x40});
    EXPECT_TRUE(view.load(inTable));
    ASSERT_EQ(view.control->FrameCount(), 1);
    const TGIFFrame& frame = view.control->Frame(1);
    EXPECT_EQ(frame.Palette[0], 0xFF102030u);
    EXPECT_EQ(frame.Palette[1], 0xFF400000u);
    EXPECT_EQ(frame.Palette[2], Black);

    // Inside the image data: the rest of the image is index 0.
    Bytes pixels(64);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(1 + i % 3);
    ImageSpec layout = solidImage(0, 0, 8, 8, 0);
    layout.pixels = pixels;
    GifBuilder inData(8, 8, fourColours());
    inData.image(layout);
    EXPECT_TRUE(view.load(fromBytes(cut(inData, inData.bytes().size() - 8))));
    const TGIFFrame& partial = view.control->Frame(1);
    EXPECT_EQ(partial.Pixels[0], 1);
    EXPECT_EQ(partial.Pixels[63], 0);
}

TEST(GIFLoad, CorruptDataLeavesTheRestIndexZeroAndTransparent)
{
    GifBuilder gif(4, 1, fourColours());
    CodeWriter codes;  // clear, 1, then 7: beyond the table
    for (int code : {4, 1, 7, 3, 5})
        codes.put(code, 3);
    gif.graphicControl(0, 0, true, 3).raw({0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0, 2});
    gif.raw(subBlocks(codes.finish())).trailer();
    ControlOnParent view;
    EXPECT_TRUE(view.load(gif));
    const TGIFFrame& frame = view.control->Frame(1);
    EXPECT_EQ(frame.Pixels, (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(frame.Mask, (Bytes{0, 1, 1, 1}));
}

TEST(GIFLoad, HeaderAndScreenFacts)
{
    GifBuilder gif87(5, 3, {}, "87a");
    gif87.image(solidImage(0, 0, 5, 3, 1)).trailer();
    ControlOnParent view;
    EXPECT_TRUE(view.load(gif87));
    EXPECT_EQ(view.control->Version(), gvGIF87a);
    EXPECT_EQ(view.control->CompositionImage().pixel(4, 2), Black) << "no colour table draws black";

    GifBuilder odd(5, 3, {}, "99z");
    odd.image(solidImage(3, 2, 4, 4, 1));
    view.control->setAutoSize(true);
    EXPECT_TRUE(view.load(odd));
    EXPECT_EQ(view.control->Version(), gvGIF89a);
    EXPECT_EQ(view.control->ScreenSize(), QSize(7, 6));
    EXPECT_EQ(view.control->size(), QSize(7, 6));
}

TEST(GIFLoad, ExtensionsApplyToTheNextImageOnly)
{
    GifBuilder gif(2, 2, fourColours());
    gif.comment("first").raw({0x21, 0x99})  // unknown label: nothing more is read
        .graphicControl(1, 5).graphicControl(7, 12, true, 2)
        .raw({0x00, 0x42})  // a stray pair of bytes
        .image(solidImage(0, 0, 2, 2, 1))
        .comment("sec").comment("ond")
        .image(solidImage(0, 0, 2, 2, 2))
        .graphicControl(3, 0).image(solidImage(0, 0, 1, 1, 2)).trailer();
    ControlOnParent view;
    ASSERT_TRUE(view.load(gif));
    ASSERT_EQ(view.control->FrameCount(), 3);
    const TGIFFrame& first = view.control->Frame(1);
    EXPECT_EQ(first.Comment, "first");
    EXPECT_EQ(first.Delay, 120);
    EXPECT_EQ(first.Disposal, 2) << "disposal 7 is taken as 2";
    EXPECT_TRUE(first.Transparent);
    EXPECT_EQ(first.TransparentIndex, 2);
    EXPECT_EQ(first.TransparentColour, Green);
    const TGIFFrame& second = view.control->Frame(2);
    EXPECT_EQ(second.Comment, "second");
    EXPECT_EQ(second.Delay, 0);
    EXPECT_EQ(second.Disposal, 0);
    EXPECT_FALSE(second.Transparent);
    EXPECT_EQ(view.control->Frame(3).Disposal, 3);
}

TEST(GIFLoad, LoopCountAndFirstImageOnly)
{
    ControlOnParent view;
    GifBuilder none = twoFrames();
    EXPECT_TRUE(view.load(none));
    EXPECT_EQ(view.control->LoopCount(), 1);
    GifBuilder three(2, 2, fourColours());
    three.loopCount(3).image(solidImage(0, 0, 2, 2, 1)).image(solidImage(0, 0, 2, 2, 2));
    EXPECT_TRUE(view.load(three));
    EXPECT_EQ(view.control->LoopCount(), 3);

    view.control->setFirstImageOnly(true);
    view.control->setAnimate(true);
    EXPECT_TRUE(view.load(three));
    EXPECT_EQ(view.control->FrameCount(), 1);
    EXPECT_FALSE(view.control->Animated());
    view.paint();
    EXPECT_EQ(view.control->AnimationTimer(), nullptr);
}

TEST(GIFLoad, InterlacedRowsLandInTheirPlaces)
{
    ImageSpec layout = solidImage(0, 0, 3, 11, 0);
    for (int y = 0; y < 11; ++y)
        std::fill_n(layout.pixels.begin() + y * 3, 3, std::uint8_t(y));
    layout.interlaced = true;
    layout.colours.resize(16);
    GifBuilder gif(3, 11);
    gif.image(layout).trailer();
    ControlOnParent view;
    ASSERT_TRUE(view.load(gif));
    EXPECT_TRUE(view.control->Frame(1).Interlaced);
    EXPECT_EQ(view.control->Frame(1).Pixels, layout.pixels);
}

TEST(GIFLoad, MinimumCodeSizeAboveElevenEndsTheImageAtOnce)
{
    GifBuilder gif(2, 2, fourColours());
    gif.graphicControl(0, 0, true, 3)
        .raw({0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 12})
        .raw(subBlocks(Bytes(40, 0xFF)))
        .image(solidImage(0, 0, 2, 2, 1)).trailer();
    ControlOnParent view;
    ASSERT_TRUE(view.load(gif));
    ASSERT_EQ(view.control->FrameCount(), 2) << "reading goes on after the refused data";
    EXPECT_EQ(view.control->Frame(1).Pixels, Bytes(4, 0));
    EXPECT_EQ(view.control->Frame(1).Mask, Bytes(4, 1));
}

TEST(GIFLoad, ProgressReportsRowsAndCanCancel)
{
    GifBuilder gif(400, 300, fourColours());
    gif.image(solidImage(0, 0, 400, 300, 1)).trailer();
    ControlOnParent view;
    std::vector<int> percents;
    qint64 total = 0;
    view.control->OnProgress = [&](TGIFImage* sender, qint64 done, qint64 size, int percent, bool& keep) {
        EXPECT_EQ(sender, view.control);
        EXPECT_TRUE(keep);
        EXPECT_LE(done, size);
        total = size;
        percents.push_back(percent);
    };
    ASSERT_TRUE(view.load(gif));
    EXPECT_EQ(total, qint64(gif.bytes().size()));
    // Two block reports, rows 0, 32, ... 288 of the wide image, the final report.
    EXPECT_EQ(percents.size(), 2u + 10u + 1u);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(percents.front(), qRound(100.0 * (13 + 12) / double(total)));

    int reports = 0;
    view.control->OnProgress = [&](TGIFImage*, qint64, qint64, int, bool& keep) {
        keep = ++reports < 4;  // cancel during the image's rows
    };
    EXPECT_FALSE(view.load(gif));
    EXPECT_TRUE(view.control->Empty());
}

TEST(GIFLoad, HostileSizesStayWithinTheBudget)
{
    // A descriptor of 65535 x 65535 with one small image: the composition is
    // refused instead of allocated.
    GifBuilder huge(65535, 65535, fourColours());
    huge.image(solidImage(0, 0, 2, 2, 1)).trailer();
    ControlOnParent view;
    EXPECT_FALSE(view.load(huge));
    EXPECT_TRUE(view.control->Empty());

    // Frames beyond the pixel budget are dropped like other bad images.
    GifBuilder many(64, 64, fourColours());
    for (int i = 0; i < 3; ++i)
        many.image(solidImage(0, 0, 64, 64, 1));
    GIFDecodeOptions options;
    options.MaxFramePixels = 2 * 64 * 64;
    GIFPicture picture;
    EXPECT_EQ(GIFParser(many.bytes().data(), many.bytes().size(), options, picture).run(),
              GIFDecodeResult::Loaded);
    EXPECT_EQ(picture.Frames.size(), 2u);
}

}  // namespace
