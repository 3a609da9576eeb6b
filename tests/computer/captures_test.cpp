#include "tests/computer/computertest.h"

namespace {

using Captures = ComputerTest;

bool Contains(const CaptureList& list, int value, std::string_view from, std::string_view to) {
    for (const ScoredMove& capture : list) {
        if (capture.value == value && capture.from == Sq(from) && capture.to == Sq(to)) {
            return true;
        }
    }
    return false;
}

// Kings out of the way in the corners.
class Exchange : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        SetUpBoard(game, "Kh1 ka8");
    }
};

TEST_F(Exchange, KnightTakenByPawnThenRecapturedGainsTheDifference) {
    AddPiece(game, "Pe4");
    AddPiece(game, "nd5");
    AddPiece(game, "pc6");
    const ScoredMove best = game.BestCaptureGain(kWhite, {{600, Sq("e4"), Sq("d5")}});
    EXPECT_EQ(400, best.value);
    EXPECT_EQ(Sq("e4"), best.from);
    EXPECT_EQ(Sq("d5"), best.to);
}

TEST_F(Exchange, LosingCaptureGainsNothing) {
    AddPiece(game, "Qd1");
    AddPiece(game, "pd5");
    AddPiece(game, "pe6");
    const ScoredMove best = game.BestCaptureGain(kWhite, {{200, Sq("d1"), Sq("d5")}});
    EXPECT_EQ(0, best.value);
    EXPECT_EQ(0, best.from);
    EXPECT_EQ(0, best.to);
}

TEST_F(Exchange, CaptureThatUncoversABiggerPieceGainsNothing) {
    AddPiece(game, "Bd3");
    AddPiece(game, "ph7");
    AddPiece(game, "Qd1");
    AddPiece(game, "rd8");
    // Bxh7 is free, but opens the d-file for Rxd1.
    EXPECT_EQ(0, game.BestCaptureGain(kWhite, {{200, Sq("d3"), Sq("h7")}}).value);
    game.MakeMoveForSide(Sq("d8"), Sq("e8"), kBlack, 0);
    EXPECT_EQ(200, game.BestCaptureGain(kWhite, {{200, Sq("d3"), Sq("h7")}}).value);
}

TEST_F(Exchange, VacatedSquareUncoversASlider) {
    AddPiece(game, "Ra1");
    AddPiece(game, "na4");
    AddPiece(game, "ba6");
    game.MakeMoveForSide(Sq("a4"), Sq("b6"), kBlack, 0);
    CaptureList out;
    game.UpdateOpponentCaptures(Sq("a4"), Sq("b6"), kWhite, {}, out);
    EXPECT_TRUE(Contains(out, 650, "a1", "a6"));

    // The mover's own slider behind the square it left.
    AddPiece(game, "Qd1");
    AddPiece(game, "Nd3");
    AddPiece(game, "rd7");
    game.MakeMoveForSide(Sq("d3"), Sq("b4"), kWhite, 0);
    CaptureList mover;
    game.UpdateMoverCaptures(Sq("d3"), Sq("b4"), kWhite, {}, mover);
    EXPECT_TRUE(Contains(mover, 1000, "d1", "d7"));
    EXPECT_TRUE(Contains(mover, 650, "b4", "a6"));
}

}  // namespace
