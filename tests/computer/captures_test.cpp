#include "tests/computer/computertest.h"

namespace {

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

}  // namespace
