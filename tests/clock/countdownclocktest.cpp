#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "document/clockcomment.h"
#include "document/countdownclock.h"
#include "document/replybudget.h"
#include "document/timecontrol.h"
#include "engine/chessgame.h"

namespace {

class CountdownClockTest : public ::testing::Test {
protected:
    CountdownClockTest() {
        clock.SetTimeSource([this] { return now; });
    }

    void Begin(const TimeControl& control) {
        clock.Reset(control);
        clock.Start(kWhite);
    }

    // side thinks for ms, then completes its move.
    bool Move(int side, int64_t ms) {
        now += ms;
        return clock.CompleteMove(side);
    }

    int64_t now = 5'000'000;
    CountdownClock clock;
};

TEST_F(CountdownClockTest, RunningSideCountsDownAndItsMoveAddsTheIncrement) {
    clock.Reset({300, 3, 0});
    now += 60'000;  // before the clocks start nothing counts
    clock.Start(kWhite);
    now += 4'500;
    CountdownClock::Reading reading = clock.Tick();
    EXPECT_EQ(reading.left, (ClockTimes{295'500, 300'000}));
    EXPECT_EQ(reading.runningSide, kWhite);

    ASSERT_TRUE(clock.CompleteMove(kWhite));
    now += 10'000;
    reading = clock.Tick();
    EXPECT_EQ(reading.left, (ClockTimes{298'500, 290'000}));
    EXPECT_EQ(reading.runningSide, kBlack);
}

TEST_F(CountdownClockTest, ThePeriodComesAgainAfterItsLastMove) {
    Begin({60, 0, 2});
    ASSERT_TRUE(Move(kWhite, 1'000));
    ASSERT_TRUE(Move(kBlack, 1'000));
    ASSERT_TRUE(Move(kWhite, 1'000));
    EXPECT_EQ(clock.History().back(), (ClockTimes{118'000, 59'000}));
    ASSERT_TRUE(Move(kBlack, 1'000));
    EXPECT_EQ(clock.History().back(), (ClockTimes{118'000, 118'000}));
}

TEST_F(CountdownClockTest, FlagFallsAtZeroAndBothClocksKeepTheirTimes) {
    Begin({60, 0, 0});
    ASSERT_TRUE(Move(kWhite, 0));
    now += 60'000;
    CountdownClock::Reading reading = clock.Tick();
    EXPECT_EQ(reading.flaggedSide, kBlack);
    EXPECT_EQ(reading.runningSide, 0);
    now += 5'000;
    EXPECT_EQ(clock.Tick().left, (ClockTimes{60'000, 0}));
    EXPECT_FALSE(clock.CompleteMove(kBlack));
}

TEST_F(CountdownClockTest, AMoveCompletedAfterTheTimeRanOutIsRefused) {
    Begin({60, 5, 0});
    EXPECT_FALSE(Move(kWhite, 60'001));
    EXPECT_EQ(clock.Tick().flaggedSide, kWhite);
    EXPECT_EQ(clock.History().size(), 1u);
}

TEST_F(CountdownClockTest, StoppedOrUntimedClocksNeverFlag) {
    Begin({60, 0, 0});
    ASSERT_TRUE(Move(kWhite, 30'000));
    clock.Stop();
    now += 600'000;
    EXPECT_EQ(clock.Tick().flaggedSide, 0);
    EXPECT_EQ(clock.Tick().left, (ClockTimes{30'000, 60'000}));

    Begin({});
    EXPECT_TRUE(Move(kWhite, 600'000));
    EXPECT_EQ(clock.Tick().flaggedSide, 0);
}

TEST_F(CountdownClockTest, UndoPutsBackBothTimesAndRunsForTheSideToMove) {
    Begin({180, 2, 0});
    ASSERT_TRUE(Move(kWhite, 3'000));
    ASSERT_TRUE(Move(kBlack, 7'000));
    ASSERT_TRUE(Move(kWhite, 20'000));
    now += 200'000;
    ASSERT_EQ(clock.Tick().flaggedSide, kBlack);

    clock.UndoTo(1, kBlack);
    CountdownClock::Reading reading = clock.Tick();
    EXPECT_EQ(reading.left, (ClockTimes{179'000, 180'000}));
    EXPECT_EQ(reading.runningSide, kBlack);
    EXPECT_EQ(reading.flaggedSide, 0);
    now += 1'000;
    EXPECT_EQ(clock.Tick().left.blackMs, 179'000);
    EXPECT_EQ(clock.History().size(), 2u);
}

struct Shown {
    int64_t ms;
    const char* text;
};

class FormatCountdownTest : public ::testing::TestWithParam<Shown> {};

TEST_P(FormatCountdownTest, MinutesHoursAndTenthsUnderTenSeconds) {
    EXPECT_EQ(FormatCountdown(GetParam().ms), GetParam().text) << GetParam().ms;
}

INSTANTIATE_TEST_SUITE_P(Times, FormatCountdownTest,
                         ::testing::Values(Shown{0, "0:00.0"}, Shown{9'990, "0:09.9"},
                                           Shown{10'000, "0:10"}, Shown{297'400, "4:57"},
                                           Shown{3'599'999, "59:59"}, Shown{3'600'000, "1:00:00"},
                                           Shown{3'725'000, "1:02:05"}, Shown{-50, "0:00.0"}));

TEST(TimeControlText, CommandLineAndPgnFormsReadAndWrite) {
    struct Case {
        const char* text;
        std::optional<TimeControl> control;
    };
    const Case commandLine[] = {{"5+3", TimeControl{300, 3, 0}},
                                {"5", TimeControl{300, 0, 0}},
                                {"40/90+30", TimeControl{5400, 30, 40}},
                                {"180+60", TimeControl{10800, 60, 0}},
                                {"0", {}},
                                {"181", {}},
                                {"5+61", {}},
                                {"5+", {}},
                                {"+3", {}},
                                {"5+3x", {}},
                                {"-5", {}},
                                {"0/5", {}},
                                {"", {}}};
    for (const Case& c : commandLine) EXPECT_EQ(ParseTimeControl(c.text), c.control) << c.text;

    for (const char* text : {"300+3", "40/5400+30", "90", "-"}) {
        const auto control = ParsePgnTimeControl(text);
        ASSERT_TRUE(control) << text;
        EXPECT_EQ(PgnTimeControl(*control), text);
    }
    for (const char* text : {"?", "40/7200:3600", "*180", "300+x"}) {
        EXPECT_FALSE(ParsePgnTimeControl(text)) << text;
    }
    EXPECT_EQ(TimeControlLabel({180, 2, 0}), "3 min + 2 s");
    EXPECT_EQ(TimeControlLabel({5400, 30, 40}), "40 moves in 90 min + 30 s");
}

TEST(ClockComment, WritesWholeSecondsOrTenthsAndReadsFractions) {
    EXPECT_EQ(FormatClockComment(297'900), "[%clk 0:04:57]");
    EXPECT_EQ(FormatClockComment(3'725'000), "[%clk 1:02:05]");
    EXPECT_EQ(FormatClockComment(9'790), "[%clk 0:00:09.7]");
    EXPECT_EQ(ParseClockComment("[%clk 0:04:57]"), 297'000);
    EXPECT_EQ(ParseClockComment(" Good move [%clk 1:02:05.25] "), 3'725'250);
    for (const char* bad : {"", "[%clk 0:4]", "[%clk 0:60:00]", "[%clk 0:04:57", "[%eval 0.3]"}) {
        EXPECT_FALSE(ParseClockComment(bad)) << bad;
    }
}

// The rule's promises hold over a range of controls, times and moves made.
TEST(ReplyBudget, StaysWithinTheTimeLeftAndKeepsTimeForTheMovesToCome) {
    const TimeControl controls[] = {
        {60, 0, 0}, {60, 1, 0}, {180, 2, 0}, {5400, 30, 40}, {300, 0, 10}};
    for (const TimeControl& control : controls) {
        const int64_t incrementMs = control.incrementSeconds * 1000;
        for (const int64_t left : {0, 20, 400, 1'000, 10'000, 60'000, 180'000, 5'400'000}) {
            for (const int made : {0, 9, 39, 75}) {
                const int64_t budget = ReplyBudgetMs(control, left, made);
                const std::string where = PgnTimeControl(control) + " left " +
                                          std::to_string(left) + " made " + std::to_string(made);
                EXPECT_GE(budget, 0) << where;
                EXPECT_LE(budget, left / 2) << where;
                // Sudden death keeps time for ten more replies at least.
                const int64_t movesToGo =
                    control.movesPerPeriod > 0
                        ? control.movesPerPeriod - made % control.movesPerPeriod
                        : 10;
                if (incrementMs == 0) {
                    EXPECT_LE(budget * movesToGo, left) << where;
                } else if (left >= 20 * incrementMs) {
                    EXPECT_GE(budget, incrementMs * 3 / 4) << where;
                }
            }
        }
    }
}

}  // namespace
