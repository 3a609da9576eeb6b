#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/pgnexport.h"
#include "document/replybudget.h"
#include "document/selfplay.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"

namespace {

const std::string kDate = "2026.12.08";

// A game in which Black has nothing left but its king, White to move.
const std::string kBareBlackKingPgn =
    "[TimeControl \"60\"]\n\n"
    "1. h4 Na6 2. a3 f6 3. Nf3 Nb4 4. axb4 e5 5. Nxe5 b5 6. Rxa7 fxe5 7. Rxc7 d5 8.\n"
    "Rxc8 Ke7 9. Rxd8 Rb8 10. Rxb8 h5 11. Rxb5 g6 12. Rxd5 Kf7 13. Rxe5 Bg7 14. Rxh5\n"
    "Kf8 15. Rxh8 Be5 16. Rxg8+ Kxg8 17. b3 Bd4 18. g3 Kf7 19. h5 Ke6 20. hxg6 Be5\n"
    "21. Rg1 Bd4 22. Ba3 Bf6 23. Nc3 Bh4 24. gxh4 {[%clk 0:00:21]} Kd6 {[%clk 0:00:09]} *\n";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class TimedGameTest : public ::testing::Test {
protected:
    TimedGameTest() {
        doc.m_countdown.SetTimeSource([this] { return now; });
    }

    void NewGame(const TimeControl& control) {
        doc.m_playMode = kPlayHumanVsHuman;
        doc.m_timeControl = control;
        ASSERT_TRUE(doc.OnNewDocument());
    }

    // side's move after ms of thought.
    void PlayAfter(int64_t ms, const char* from, const char* to) {
        now += ms;
        ASSERT_TRUE(Play(doc, Sq(from), Sq(to)).ok) << from << to;
    }

    FileResult Open(CTesselDoc& target, const std::string& pgn) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("quillon-timed-" + std::to_string(getpid()) + ".pgn");
        std::ofstream(path) << pgn;
        const FileResult result = target.OnOpenDocument(path.string());
        std::filesystem::remove(path);
        return result;
    }

    int64_t now = 1'000'000;
    CTesselDoc doc;
};

TEST_F(TimedGameTest, FlagFallLosesAndRefusesTheLateMove) {
    NewGame({60, 0, 0});
    PlayAfter(0, "e2", "e4");
    now += 60'000;
    ASSERT_EQ(doc.m_countdown.Tick().flaggedSide, kBlack);
    doc.SetModifiedFlag(false);
    doc.EndOnTime();
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_EQ(doc.m_flaggedSide, kBlack);
    EXPECT_FALSE(doc.m_drawn);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Play(doc, Sq("e7"), Sq("e5")).ok);
    EXPECT_EQ(doc.m_moveCount, 1);
    const std::string pgn = ExportPgn(doc, kDate);
    EXPECT_TRUE(Contains(pgn,
                         "[Result \"1-0\"]\n[TimeControl \"60\"]\n"
                         "[Termination \"time forfeit\"]\n"))
        << pgn;
}

TEST_F(TimedGameTest, FlagFallAgainstABareKingIsADraw) {
    ASSERT_TRUE(Open(doc, kBareBlackKingPgn).ok);
    EXPECT_EQ(doc.m_timeControl, (TimeControl{60, 0, 0}));
    EXPECT_EQ(doc.m_countdown.Tick().left, (ClockTimes{21'000, 9'000}));
    doc.m_countdown.Start(kWhite);
    now += 21'000;
    doc.m_countdown.Tick();
    doc.EndOnTime();
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_EQ(doc.m_flaggedSide, kWhite);
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_TRUE(Contains(ExportPgn(doc, kDate), "[Result \"1/2-1/2\"]"));
}

TEST_F(TimedGameTest, UndoPutsBothClocksBackToWhenThePositionWasReachedAndRedoForward) {
    NewGame({180, 2, 0});
    PlayAfter(0, "e2", "e4");
    PlayAfter(5'000, "e7", "e5");
    PlayAfter(9'000, "g1", "f3");
    const std::vector<ClockTimes> played = doc.m_countdown.History();
    now += 30'000;
    ASSERT_TRUE(doc.UndoMove());
    const CountdownClock::Reading reading = doc.m_countdown.Tick();
    EXPECT_EQ(reading.left, (ClockTimes{182'000, 177'000}));
    EXPECT_EQ(reading.runningSide, kWhite);

    // Lost on time, the game takes no redo until an undo reopens it.
    now += 200'000;
    doc.EndOnTime();
    EXPECT_FALSE(doc.RedoMove());
    ASSERT_TRUE(doc.UndoMove());
    ASSERT_TRUE(doc.RedoMove());
    ASSERT_TRUE(doc.RedoMove());
    EXPECT_EQ(doc.m_countdown.History(), played);
    EXPECT_EQ(doc.m_countdown.Tick().left, played.back());
    EXPECT_EQ(doc.m_countdown.Tick().runningSide, kBlack);
}

TEST_F(TimedGameTest, ClocksAndTimeControlComeBackFromTheExportedPgn) {
    NewGame({180, 2, 0});
    PlayAfter(0, "e2", "e4");
    PlayAfter(5'000, "e7", "e5");
    PlayAfter(61'000, "g1", "f3");
    const std::string pgn = ExportPgn(doc, kDate);
    EXPECT_TRUE(Contains(pgn, "[TimeControl \"180+2\"]")) << pgn;
    EXPECT_TRUE(Contains(pgn, "1. e4 {[%clk 0:03:02]} e5 {[%clk 0:02:57]} 2. Nf3 {[%clk 0:02:03]}"))
        << pgn;

    CTesselDoc opened;
    opened.m_playMode = kPlayHumanVsHuman;
    ASSERT_TRUE(Open(opened, pgn).ok);
    EXPECT_EQ(opened.m_timeControl, doc.m_timeControl);
    EXPECT_EQ(opened.m_countdown.History(), doc.m_countdown.History());
    EXPECT_EQ(ExportPgn(opened, kDate), pgn);
}

TEST_F(TimedGameTest, TheBudgetIsTheShorterOfTheClocksAndTheTimePerMove) {
    NewGame({});
    EXPECT_FALSE(doc.ComputerBudgetMs());
    doc.m_moveTimeLimitMs = 5'000;
    EXPECT_EQ(doc.ComputerBudgetMs(), 5'000);
    NewGame({60, 0, 0});
    const int64_t timed = ReplyBudgetMs({60, 0, 0}, 60'000, 0);
    ASSERT_LT(timed, 5'000);
    EXPECT_EQ(doc.ComputerBudgetMs(), timed);
    doc.m_moveTimeLimitMs = 1'000;
    EXPECT_EQ(doc.ComputerBudgetMs(), 1'000);
}

TEST_F(TimedGameTest, PlayingBothSidesTheComputerIsChargedOnlyWhileItThinks) {
    doc.m_playMode = kPlayComputerVsComputer;
    doc.m_timeControl = {60, 0, 0};
    ASSERT_TRUE(doc.OnNewDocument());
    bool check = false;
    bool mate = false;
    ASSERT_TRUE(doc.MakeNextMove(check, mate));
    now += 30'000;
    const CountdownClock::Reading reading = doc.m_countdown.Tick();
    EXPECT_EQ(reading.runningSide, 0);
    EXPECT_EQ(reading.left, (ClockTimes{60'000, 60'000}));
    ASSERT_TRUE(doc.MakeNextMove(check, mate));
    EXPECT_EQ(doc.m_moveCount, 2);
}

TEST(SelfPlay, PlaysBothSidesOnTheClockAndSaysHowTheGameEnded) {
    const SelfPlayReport report = RunSelfPlay({{60, 0, 0}, 1, kSkillExpert, 3}, kDate);
    EXPECT_EQ(report.plies, 6);
    EXPECT_GT(report.shortestLeftMs, 0);
    for (const char* part : {"[White \"Quillon\"]\n[Black \"Quillon\"]", "[Result \"*\"]",
                             "[Termination \"unterminated\"]", "[TimeControl \"60\"]"}) {
        EXPECT_TRUE(Contains(report.pgn, part)) << part << "\n" << report.pgn;
    }
    std::size_t clocks = 0;
    for (std::size_t at = 0; (at = report.pgn.find("{[%clk 0:0", at)) != std::string::npos; ++at) {
        ++clocks;
    }
    EXPECT_EQ(clocks, 6u) << report.pgn;
}

}  // namespace
