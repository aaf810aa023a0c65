#include "framework/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "framework/clock.h"

#include "tests/support/fake_clock.h"

namespace {

TEST(TimerTest, StoppedTimerReadsZeroWhateverIsAskedOfIt) {
    FakeClock clock(5000);
    ZemTimer timer;
    timer.Pause();
    timer.Resume();
    clock.Advance(300);
    EXPECT_EQ(timer.GetTicks(), 0u);

    timer.Start();
    clock.Advance(120);
    EXPECT_EQ(timer.GetTicks(), 120u);
    timer.Stop();
    clock.Advance(80);
    timer.Resume();
    EXPECT_EQ(timer.GetTicks(), 0u);
}

TEST(TimerTest, TimeSpentPausedDoesNotCount) {
    FakeClock clock(7000);
    ZemTimer timer;
    timer.Start();
    clock.Advance(500);
    timer.Pause();
    clock.Advance(1000);
    timer.Pause();  // a second pause must not restart the frozen reading
    clock.Advance(1000);
    EXPECT_EQ(timer.GetTicks(), 500u);
    timer.Resume();
    clock.Advance(40);
    EXPECT_EQ(timer.GetTicks(), 540u);
    timer.Resume();  // already running: nothing changes
    clock.Advance(10);
    EXPECT_EQ(timer.GetTicks(), 550u);

    timer.Pause();
    clock.Advance(3000);
    timer.Resume();
    clock.Advance(50);
    EXPECT_EQ(timer.GetTicks(), 600u);
}

TEST(TimerTest, StartAlwaysRestartsFromZeroAndRuns) {
    FakeClock clock(2000);
    ZemTimer timer;
    timer.Start();
    clock.Advance(900);
    timer.Start();
    EXPECT_EQ(timer.GetTicks(), 0u);

    timer.Pause();
    clock.Advance(500);
    timer.Start();
    clock.Advance(25);
    EXPECT_EQ(timer.GetTicks(), 25u);
}

TEST(TimerTest, ReadingSurvivesTheClockWrappingRound) {
    const Uint32 nearWrap = 0xFFFFFFFFu - 299u;
    FakeClock clock(nearWrap);
    ZemTimer timer;
    timer.Start();
    clock.Advance(500);
    EXPECT_EQ(timer.GetTicks(), 500u);

    clock.Set(nearWrap);
    timer.Start();
    clock.Advance(100);
    timer.Pause();
    clock.Advance(400);  // wraps while paused
    timer.Resume();
    clock.Advance(60);
    EXPECT_EQ(timer.GetTicks(), 160u);
}

// A frame's sleep goes to whatever clock the games run on, so a test's clock sees every
// frame's rest; on SDL's own clock it really sleeps the time asked, on either SDL 1.2.
TEST(FrameSleepTest, SleepsOnTheGamesClockAndForTheWholeRestAskedFor) {
    const Uint32 rests[] = {0, 1, 4, 11};
    {
        FakeClock clock(2000);
        for (Uint32 rest : rests) {
            ZEM_SleepOutFrame(rest);
        }
        EXPECT_EQ(clock.Delays(), std::vector<Uint32>(std::begin(rests), std::end(rests)));
        EXPECT_EQ(clock.Now(), 2016u);
    }
    for (Uint32 rest : rests) {
        const auto start = std::chrono::steady_clock::now();
        ZEM_SleepOutFrame(rest);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(rest))
            << "a frame's rest of " << rest << " ms";
    }
}

}  // namespace
