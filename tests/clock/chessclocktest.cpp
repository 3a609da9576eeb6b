#include <gtest/gtest.h>

#include "document/chessclock.h"
#include "engine/chessgame.h"

namespace {

constexpr int64_t kGameStart = 1'000'000;

class ChessClockTest : public ::testing::Test {
protected:
    ChessClockTest() {
        clock.SetTimeSource([this] { return now; });
        clock.Reset();
    }

    // Starts the game at the first drop and takes the first tick at once.
    void StartWithWhiteToMove() {
        clock.StartAtDrop();
        clock.Tick(kWhite);
    }

    int64_t now = kGameStart;
    ChessClock clock;
};

TEST_F(ChessClockTest, ThinkingBeforeTheFirstDropIsNotCounted) {
    now += 40;
    clock.StartAtDrop();
    now += 3;
    const ChessClock::Reading first = clock.Tick(kWhite);
    EXPECT_TRUE(first.justStarted);
    EXPECT_EQ(first.whiteSeconds, 3);
    EXPECT_EQ(first.blackSeconds, 0);

    now += 2;
    const ChessClock::Reading second = clock.Tick(kWhite);
    EXPECT_FALSE(second.justStarted);
    EXPECT_EQ(second.whiteSeconds, 5);
}

TEST_F(ChessClockTest, SideChangeIsChargedAtTheNextTick) {
    StartWithWhiteToMove();
    now += 7;
    ChessClock::Reading reading = clock.Tick(kBlack);
    EXPECT_EQ(reading.whiteSeconds, 7);
    EXPECT_EQ(reading.blackSeconds, 0);

    now += 3;
    reading = clock.Tick(kBlack);
    EXPECT_EQ(reading.whiteSeconds, 7);
    EXPECT_EQ(reading.blackSeconds, 3);

    now += 4;
    reading = clock.Tick(kWhite);
    EXPECT_EQ(reading.whiteSeconds, 7);
    EXPECT_EQ(reading.blackSeconds, 7);
    now += 1;
    EXPECT_EQ(clock.Tick(kWhite).whiteSeconds, 8);
}

TEST_F(ChessClockTest, StopAtCheckmateShowsZero) {
    StartWithWhiteToMove();
    now += 12;
    clock.Tick(kBlack);
    clock.Stop();
    now += 1;
    const ChessClock::Reading reading = clock.Tick(kBlack);
    EXPECT_EQ(reading.whiteSeconds, 0);
    EXPECT_EQ(reading.blackSeconds, 0);
}

TEST_F(ChessClockTest, ResumeAfterUndoCountsOnFromTheStoredTimes) {
    StartWithWhiteToMove();
    now += 12;
    clock.Tick(kBlack);
    now += 5;
    clock.Tick(kBlack);
    clock.Stop();
    now += 300;

    clock.Resume();
    ChessClock::Reading reading = clock.Tick(kBlack);
    EXPECT_FALSE(reading.justStarted);
    EXPECT_EQ(reading.whiteSeconds, 12);
    EXPECT_EQ(reading.blackSeconds, 5);

    now += 2;
    reading = clock.Tick(kWhite);
    EXPECT_EQ(reading.blackSeconds, 7);
    now += 1;
    EXPECT_EQ(clock.Tick(kWhite).whiteSeconds, 13);
}

struct Shown {
    int64_t seconds;
    const char* text;
};

class FormatClockTimeTest : public ::testing::TestWithParam<Shown> {};

TEST_P(FormatClockTimeTest, ShowsMinutesAndSecondsWrappingAtTheHour) {
    EXPECT_EQ(FormatClockTime(GetParam().seconds), GetParam().text) << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(Times, FormatClockTimeTest,
                         ::testing::Values(Shown{0, "00:00"}, Shown{61, "01:01"},
                                           Shown{59 * 60 + 59, "59:59"}, Shown{3600, "00:00"},
                                           Shown{3725, "02:05"}, Shown{-5, "00:00"}));

}  // namespace
