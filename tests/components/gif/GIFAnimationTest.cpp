#include <gtest/gtest.h>

#include "GifTestSupport.h"

namespace {

// Frames of one colour each, over the whole 2 x 1 screen.
GifBuilder solidFrames(std::initializer_list<std::uint8_t> colours, int loopCount = -1,
                       int delayHundredths = 0)
{
    GifBuilder gif(2, 1, fourColours());
    if (loopCount >= 0)
        gif.loopCount(loopCount);
    for (std::uint8_t colour : colours)
        gif.graphicControl(1, delayHundredths).image(solidImage(0, 0, 2, 1, colour));
    return gif.trailer();
}

QRgb shown(const ControlOnParent& view)
{
    return view.control->CompositionImage().pixel(0, 0);
}

class Animation : public ::testing::Test {
protected:
    void start(const GifBuilder& gif)
    {
        ASSERT_TRUE(view.load(gif));
        view.control->setAnimate(true);
        view.paint();
        ASSERT_NE(view.control->AnimationTimer(), nullptr);
    }
    std::uint32_t interval() const { return view.control->AnimationTimer()->Interval(); }

    ControlOnParent view;
};

TEST_F(Animation, DisplayTimesFollowDelayAndSpeed)
{
    start(solidFrames({1, 2}, 0));
    EXPECT_EQ(interval(), 50u) << "no delay shows for 50 ms";
    view.tick();
    EXPECT_EQ(interval(), 50u);
    view.control->setSpeed(200);
    EXPECT_EQ(interval(), 1u) << "a new speed takes effect at once";
    view.tick();
    EXPECT_EQ(interval(), 25u);
    view.control->setSpeed(-5);
    EXPECT_EQ(view.control->Speed(), 1);
    EXPECT_EQ(view.control->DisplayTime(1), 5000);

    ControlOnParent slow;
    ASSERT_TRUE(slow.load(solidFrames({1, 2}, -1, 12)));
    EXPECT_EQ(slow.control->Frame(1).Delay, 120);
    slow.control->setSpeed(200);
    EXPECT_EQ(slow.control->DisplayTime(1), 60);
    slow.control->setSpeed(1000000);
    EXPECT_EQ(slow.control->DisplayTime(1), 1);
}

TEST_F(Animation, TheTimeATickTakesComesOffItsInterval)
{
    start(solidFrames({1, 2}, 0));
    int spend = 20;
    view.control->OnChanging = [&](TGIFImage*) { view.clock.now += spend; };
    view.tick();
    EXPECT_EQ(interval(), 30u);
    spend = 80;
    view.tick();
    EXPECT_EQ(interval(), 1u);
}

TEST_F(Animation, FirstTickKeepsFrameOneThenFramesFollow)
{
    start(solidFrames({1, 2, 3}, 0));
    EXPECT_EQ(shown(view), Red);
    view.tick();
    EXPECT_EQ(shown(view), Red);
    EXPECT_EQ(view.control->CurrentFrame(), 2);
    view.tick();
    EXPECT_EQ(shown(view), Green);
    view.tick();
    EXPECT_EQ(shown(view), Blue);
    EXPECT_EQ(view.control->CurrentFrame(), 1) << "wrapped";
    view.tick();
    EXPECT_EQ(shown(view), Red);
}

TEST_F(Animation, LoopCountsDecideThePasses)
{
    struct Case {
        int loopCount;
        bool loop;
        int ticksUntilStop;  // -1: never stops
    };
    for (const Case c : {Case{3, false, 6}, Case{-1, false, 2}, Case{0, false, -1}, Case{3, true, -1}}) {
        ControlOnParent view;
        ASSERT_TRUE(view.load(solidFrames({1, 2}, c.loopCount)));
        int wraps = 0;
        view.control->OnWrapAnimation = [&](TGIFImage*) { ++wraps; };
        view.control->setLoop(c.loop);
        view.control->setAnimate(true);
        view.paint();
        int ticks = 0;
        while (ticks < 100 && view.tick()) {
            ++ticks;
            view.paint();  // paints re-arm, but never past the last pass
        }
        if (c.ticksUntilStop < 0) {
            EXPECT_EQ(ticks, 100) << c.loopCount;
            EXPECT_EQ(wraps, 50) << c.loopCount;
            continue;
        }
        EXPECT_EQ(ticks, c.ticksUntilStop) << c.loopCount;
        EXPECT_EQ(wraps, c.ticksUntilStop / 2) << c.loopCount;
        EXPECT_EQ(shown(view), Green) << "stops on its last frame";
        EXPECT_EQ(view.control->CurrentFrame(), 3);
    }
}

TEST_F(Animation, LoopTurnedOnAfterTheLastPassStartsAgain)
{
    start(solidFrames({1, 2}));
    view.tick();
    view.tick();
    ASSERT_EQ(view.control->AnimationTimer(), nullptr);
    view.control->setLoop(true);
    ASSERT_NE(view.control->AnimationTimer(), nullptr);
    EXPECT_EQ(view.control->CurrentFrame(), 1);
    EXPECT_EQ(interval(), 50u);
    view.tick();
    EXPECT_EQ(shown(view), Red);
}

TEST_F(Animation, DisposalToBackgroundAndToPrevious)
{
    GifBuilder gif(4, 1, fourColours());
    ImageSpec first = solidImage(0, 0, 4, 1, 0), second = first;
    first.pixels = {1, 1, 0, 0};
    second.pixels = {0, 2, 2, 0};
    gif.loopCount(0)
        .graphicControl(2, 0, true, 0).image(first)
        .graphicControl(3, 0, true, 0).image(second)
        .graphicControl(1, 0).image(solidImage(0, 0, 1, 1, 3)).trailer();
    start(gif);
    auto state = [&] {
        const QImage colours = view.control->CompositionImage(), mask = view.control->MaskImage();
        std::vector<QRgb> out;
        for (int x = 0; x < 4; ++x)
            out.push_back(qRed(mask.pixel(x, 0)) == 255 ? White : colours.pixel(x, 0));
        return out;
    };
    EXPECT_EQ(state(), (std::vector<QRgb>{Red, Red, White, White}));
    view.tick();
    view.tick();  // frame 1 leaves a transparent hole; frame 2 drawn in it
    EXPECT_EQ(state(), (std::vector<QRgb>{White, Green, Green, White}));
    EXPECT_EQ(view.control->CompositionImage().pixel(0, 0), Black);
    view.tick();  // frame 2 puts back what lay under it
    EXPECT_EQ(state(), (std::vector<QRgb>{Blue, White, White, White}));
    // Drawn through the mask, the parent's white shows in the holes.
    const QImage painted = view.paint();
    EXPECT_EQ(painted.pixel(0, 0), Blue);
    EXPECT_EQ(painted.pixel(3, 0), White);
}

TEST_F(Animation, AnimateOffGoesBackToFrameOne)
{
    start(solidFrames({1, 2, 3}, 0));
    view.tick();
    view.tick();
    ASSERT_EQ(shown(view), Green);
    view.control->setAnimate(false);
    EXPECT_EQ(view.control->AnimationTimer(), nullptr);
    EXPECT_EQ(view.control->CurrentFrame(), 1);
    EXPECT_EQ(shown(view), Red);
    view.paint();
    EXPECT_EQ(view.control->AnimationTimer(), nullptr);
}

TEST_F(Animation, SettingCurrentFrameDrawsIt)
{
    ASSERT_TRUE(view.load(solidFrames({1, 2, 3})));
    int changing = 0, change = 0;
    view.control->OnChanging = [&](TGIFImage*) { ++changing; };
    view.control->OnChange = [&](TGIFImage*) { EXPECT_EQ(++change, changing); };
    view.control->setCurrentFrame(3);
    EXPECT_EQ(shown(view), Blue);
    view.control->setCurrentFrame(4);
    view.control->setCurrentFrame(0);
    EXPECT_EQ(view.control->CurrentFrame(), 3);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(change, 1);
}

TEST_F(Animation, InvisibleControlKeepsAnimatingWithoutDrawing)
{
    start(solidFrames({1, 2}, 0));
    view.control->setVisibleFlag(false);
    const QImage painted = view.paint();
    EXPECT_EQ(painted.pixel(0, 0), White);
    ASSERT_NE(view.control->AnimationTimer(), nullptr);
    view.tick();
    view.tick();
    EXPECT_EQ(shown(view), Green);
    EXPECT_EQ(view.paint().pixel(0, 0), White);
}

}  // namespace
