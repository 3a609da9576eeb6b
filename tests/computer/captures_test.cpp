#include "tests/computer/board_setup.h"

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
        ClearBoard(game);
        Place(game, "h1", kKingValue, kKingId);
        Place(game, "a8", -kKingValue, kKingId);
    }
};

TEST_F(Exchange, KnightTakenByPawnThenRecapturedGainsTheDifference) {
    Place(game, "e4", kPawnValue, 3);
    Place(game, "d5", -kKnightValue, kGKnightId);
    Place(game, "c6", -kPawnValue, 5);
    const ScoredMove best = game.BestCaptureGain(kWhite, {{600, Sq("e4"), Sq("d5")}});
    EXPECT_EQ(400, best.value);
    EXPECT_EQ(Sq("e4"), best.from);
    EXPECT_EQ(Sq("d5"), best.to);
}

TEST_F(Exchange, LosingCaptureGainsNothing) {
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "e6", -kPawnValue, 3);
    const ScoredMove best = game.BestCaptureGain(kWhite, {{200, Sq("d1"), Sq("d5")}});
    EXPECT_EQ(0, best.value);
    EXPECT_EQ(0, best.from);
    EXPECT_EQ(0, best.to);
}

TEST_F(Exchange, EarlierRecordWinsOnEqualGainsAndBetterGainWins) {
    Place(game, "e4", kPawnValue, 3);
    Place(game, "c4", kPawnValue, 5);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "b5", -kKnightValue, kBKnightId);
    const CaptureList equal{{200, Sq("e4"), Sq("d5")}, {200, Sq("c4"), Sq("d5")}};
    EXPECT_EQ(Sq("e4"), game.BestCaptureGain(kWhite, equal).from);
    const CaptureList better{{200, Sq("e4"), Sq("d5")}, {600, Sq("c4"), Sq("b5")}};
    const ScoredMove best = game.BestCaptureGain(kWhite, better);
    EXPECT_EQ(600, best.value);
    EXPECT_EQ(Sq("c4"), best.from);
}

TEST_F(Exchange, CaptureThatUncoversABiggerPieceGainsNothing) {
    Place(game, "d3", kBishopValue, kFBishopId);
    Place(game, "h7", -kPawnValue, 0);
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "d8", -kRookValue, kHRookId);
    // Bxh7 is free, but opens the d-file for Rxd1.
    EXPECT_EQ(0, game.BestCaptureGain(kWhite, {{200, Sq("d3"), Sq("h7")}}).value);
    game.MakeMoveForSide(Sq("d8"), Sq("e8"), kBlack, 0);
    EXPECT_EQ(200, game.BestCaptureGain(kWhite, {{200, Sq("d3"), Sq("h7")}}).value);
}

TEST_F(Exchange, TrialCapturesLeaveThePositionAlone) {
    Place(game, "b7", kPawnValue, 6);
    Place(game, "c8", -kRookValue, kARookId);
    Place(game, "d8", -kQueenValue, kQueenId);
    Place(game, "f3", kBishopValue, kFBishopId);
    Place(game, "c6", -kKnightValue, kBKnightId);
    const PositionState before = Saved(game);
    const CaptureList list{{1000, Sq("b7"), Sq("c8")}, {600, Sq("f3"), Sq("c6")}};
    EXPECT_GT(game.BestCaptureGain(kWhite, list).value, 0);
    ExpectSamePosition(before, game);
}

TEST_F(Exchange, OpponentListGainsCapturesOfTheArrivedPiece) {
    Place(game, "e4", kPawnValue, 3);
    Place(game, "c3", kKnightValue, kBKnightId);
    Place(game, "b3", kBishopValue, kCBishopId);
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "d7", -kKnightValue, kGKnightId);
    game.MakeMoveForSide(Sq("d7"), Sq("f6"), kBlack, 0);
    game.MakeMoveForSide(Sq("f6"), Sq("d5"), kBlack, 0);
    CaptureList out;
    EXPECT_TRUE(game.UpdateOpponentCaptures(Sq("f6"), Sq("d5"), kWhite, {}, out));
    // Pawn first, then knights, then sliders c-bishop, ..., queen.
    const CaptureList expected{{600, Sq("e4"), Sq("d5")},
                               {600, Sq("c3"), Sq("d5")},
                               {600, Sq("b3"), Sq("d5")},
                               {600, Sq("d1"), Sq("d5")}};
    ASSERT_EQ(expected.size(), out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(expected[i].from, out[i].from) << i;
        EXPECT_EQ(expected[i].to, out[i].to) << i;
        EXPECT_EQ(expected[i].value, out[i].value) << i;
    }
}

TEST_F(Exchange, VacatedSquareUncoversASlider) {
    Place(game, "a1", kRookValue, kARookId);
    Place(game, "a4", -kKnightValue, kGKnightId);
    Place(game, "a6", -kBishopValue, kFBishopId);
    game.MakeMoveForSide(Sq("a4"), Sq("b6"), kBlack, 0);
    CaptureList out;
    game.UpdateOpponentCaptures(Sq("a4"), Sq("b6"), kWhite, {}, out);
    EXPECT_TRUE(Contains(out, 650, "a1", "a6"));

    // The mover's own slider behind the square it left.
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "d3", kKnightValue, kBKnightId);
    Place(game, "d7", -kRookValue, kHRookId);
    game.MakeMoveForSide(Sq("d3"), Sq("b4"), kWhite, 0);
    CaptureList mover;
    game.UpdateMoverCaptures(Sq("d3"), Sq("b4"), kWhite, {}, mover);
    EXPECT_TRUE(Contains(mover, 1000, "d1", "d7"));
    EXPECT_TRUE(Contains(mover, 650, "b4", "a6"));
}

TEST_F(Exchange, StaleRecordsAreDroppedAtTheNextUpdate) {
    Place(game, "c3", kKnightValue, kBKnightId);
    Place(game, "e4", kPawnValue, 3);
    Place(game, "g1", kRookValue, kHRookId);
    Place(game, "h7", kBishopValue, kFBishopId);
    Place(game, "a2", kPawnValue, 7);
    Place(game, "b5", -kPawnValue, 6);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "g8", -kRookValue, kHRookId);
    Place(game, "e6", -kKnightValue, kGKnightId);
    const CaptureList white{
        {200, Sq("c3"), Sq("b5")}, {200, Sq("e4"), Sq("d5")}, {1000, Sq("g1"), Sq("g8")}};
    const PositionState start = Saved(game);

    // Revalidates White's list after one change, with a quiet White move.
    auto revalidated = [&](int side, std::string_view from, std::string_view to) {
        game.RestorePosition(start);
        game.MakeMoveForSide(Sq(from), Sq(to), side, 0);
        game.MakeMoveForSide(Sq("a2"), Sq("a3"), kWhite, 0);
        CaptureList out;
        game.UpdateMoverCaptures(Sq("a2"), Sq("a3"), kWhite, white, out);
        return out;
    };

    const CaptureList targetLeft = revalidated(kBlack, "b5", "b4");
    EXPECT_FALSE(Contains(targetLeft, 200, "c3", "b5"));
    EXPECT_TRUE(Contains(targetLeft, 200, "e4", "d5"));
    EXPECT_TRUE(Contains(targetLeft, 1000, "g1", "g8"));

    const CaptureList attackerLeft = revalidated(kWhite, "e4", "e5");
    EXPECT_FALSE(Contains(attackerLeft, 200, "e4", "d5"));
    EXPECT_TRUE(Contains(attackerLeft, 200, "c3", "b5"));

    const CaptureList targetTaken = revalidated(kWhite, "h7", "g8");
    EXPECT_FALSE(Contains(targetTaken, 1000, "g1", "g8"));

    const CaptureList lineBlocked = revalidated(kBlack, "e6", "g5");
    EXPECT_FALSE(Contains(lineBlocked, 1000, "g1", "g8"));
    EXPECT_TRUE(Contains(lineBlocked, 200, "c3", "b5"));
}

TEST_F(Exchange, UpdatingAListInPlaceMatchesUpdatingACopy) {
    Place(game, "e4", kPawnValue, 3);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "f5", -kPawnValue, 2);
    CaptureList list{{200, Sq("e4"), Sq("d5")}, {200, Sq("e4"), Sq("f5")}};
    game.MakeMoveForSide(Sq("f5"), Sq("f4"), kBlack, 0);
    CaptureList copy;
    game.UpdateOpponentCaptures(Sq("f5"), Sq("f4"), kWhite, list, copy);
    game.UpdateOpponentCaptures(Sq("f5"), Sq("f4"), kWhite, list, list);
    ASSERT_EQ(1u, list.size());
    ASSERT_EQ(copy.size(), list.size());
    EXPECT_EQ(copy[0].to, list[0].to);
    EXPECT_EQ(Sq("d5"), list[0].to);
}

TEST_F(Exchange, RecordWhoseSquaresSwappedColoursIsDropped) {
    Place(game, "e4", -kPawnValue, 3);
    Place(game, "d5", kKnightValue, kGKnightId);
    Place(game, "a2", kPawnValue, 7);
    // Once White's e4 pawn took a Black knight on d5; both squares have since
    // changed hands.
    const CaptureList white{{600, Sq("e4"), Sq("d5")}};
    game.MakeMoveForSide(Sq("a2"), Sq("a3"), kWhite, 0);
    CaptureList out;
    game.UpdateMoverCaptures(Sq("a2"), Sq("a3"), kWhite, white, out);
    EXPECT_TRUE(out.empty());
}

TEST_F(Exchange, RecordWhosePiecesChangedButNotColourStays) {
    Place(game, "b1", kKnightValue, kBKnightId);
    Place(game, "c3", -kBishopValue, kFBishopId);
    Place(game, "a2", kPawnValue, 7);
    // The record was made for a knight that took a pawn on c3.
    const CaptureList white{{200, Sq("b1"), Sq("c3")}};
    game.MakeMoveForSide(Sq("a2"), Sq("a3"), kWhite, 0);
    CaptureList out;
    game.UpdateMoverCaptures(Sq("a2"), Sq("a3"), kWhite, white, out);
    EXPECT_TRUE(Contains(out, 200, "b1", "c3"));
}

}  // namespace
