// Attacks on the king, check, checkmate and stalemate.
#include <gtest/gtest.h>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"

namespace {

struct Check {
    bool given;
    int checker;
    int count;
    int step;
};

class CheckDetection : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }

    // Plays a move for the side to move the way a game does, then asks
    // whether it gave check; the turn passes to the other side.
    static Check Play(Chessgame& game, const char* from, const char* to) {
        const int side = g_sideToMove;
        EXPECT_TRUE(game.IsMoveLegal(Sq(from), Sq(to), side, 1)) << from << to;
        game.MakeMoveForSide(Sq(from), Sq(to), side, 1);
        g_sideToMove = static_cast<int16_t>(side);
        Check check{false, kNoSquare, -1, 0};
        check.given = game.FindCheck(Sq(from), Sq(to), check.checker, check.count, check.step);
        g_sideToMove = static_cast<int16_t>(-side);
        return check;
    }

    static bool Mated(Chessgame& game, const Check& check, int noBlock) {
        return game.IsCheckmate(check.checker, check.count, check.step, noBlock);
    }
};

using KingAttacks = CheckDetection;

TEST_F(KingAttacks, PawnsAttackOnlyDiagonallyForward) {
    for (const char* pawn : {"d5", "f5"}) {
        Chessgame game =
            MakePosition({King(kWhite, "e4"), King(kBlack, "a8"), Pawn(kBlack, 0, pawn)});
        EXPECT_TRUE(game.IsKingAttacked(0, 0, kWhite)) << pawn;
    }
    for (const char* pawn : {"e5", "d3", "f3"}) {
        Chessgame game =
            MakePosition({King(kWhite, "e4"), King(kBlack, "a8"), Pawn(kBlack, 0, pawn)});
        EXPECT_FALSE(game.IsKingAttacked(0, 0, kWhite)) << pawn;
    }
    Chessgame edge = MakePosition({King(kWhite, "h4"), King(kBlack, "h8"), Pawn(kBlack, 7, "a4")});
    EXPECT_FALSE(edge.IsKingAttacked(0, 0, kWhite));
    Chessgame black = MakePosition({King(kBlack, "e5"), King(kWhite, "a1"), Pawn(kWhite, 0, "d4")});
    EXPECT_TRUE(black.IsKingAttacked(0, 0, kBlack));
    Chessgame blackEdge =
        MakePosition({King(kBlack, "a5"), King(kWhite, "a1"), Pawn(kWhite, 0, "h5")});
    EXPECT_FALSE(blackEdge.IsKingAttacked(0, 0, kBlack));
}

TEST_F(KingAttacks, APinnedKnightStillAttacks) {
    // The Black knight on e5 is pinned to its king by the White rook on e3,
    // yet it guards d3 and f3.
    Chessgame game = MakePosition({King(kWhite, "d3"), King(kBlack, "e8"),
                                   Rook(kWhite, kHRookId, "e3"), Knight(kBlack, kGKnightId, "e5")});
    EXPECT_TRUE(game.IsKingAttacked(0, 0, kWhite));

    Chessgame step = MakePosition({King(kWhite, "d2"), King(kBlack, "e8"),
                                   Rook(kWhite, kHRookId, "e3"), Knight(kBlack, kGKnightId, "e5")});
    EXPECT_FALSE(step.IsMoveLegal(Sq("d2"), Sq("d3"), kWhite, 1));
    EXPECT_TRUE(step.IsMoveLegal(Sq("d2"), Sq("c2"), kWhite, 1));
}

TEST_F(KingAttacks, EverySliderAndThePromotedPawns) {
    Chessgame game = MakePosition({King(kWhite, "e1"), King(kBlack, "a8"),
                                   PromotedQueen(kBlack, 5, "h4"), Pawn(kBlack, 6, "b7")});
    EXPECT_TRUE(game.IsKingAttacked(0, 0, kWhite));  // h4-g3-f2-e1
    Chessgame blocked = MakePosition({King(kWhite, "e1"), King(kBlack, "a8"),
                                      PromotedQueen(kBlack, 5, "h4"), Pawn(kWhite, 1, "f2")});
    EXPECT_FALSE(blocked.IsKingAttacked(0, 0, kWhite));
    for (const Placement& slider : {Rook(kBlack, kARookId, "e7"), Rook(kBlack, kHRookId, "a1"),
                                    Bishop(kBlack, kFBishopId, "a5"),
                                    Bishop(kBlack, kCBishopId, "h4"), Queen(kBlack, "e5")}) {
        Chessgame position = MakePosition({King(kWhite, "e1"), King(kBlack, "a8"), slider});
        EXPECT_TRUE(position.IsKingAttacked(0, 0, kWhite)) << slider.square;
    }
    Chessgame kings = MakePosition({King(kWhite, "e1"), King(kBlack, "d2")});
    EXPECT_TRUE(kings.IsKingAttacked(0, 0, kWhite));
}

TEST_F(KingAttacks, CapturedPiecesNoLongerAttack) {
    Chessgame game = MakePosition({King(kWhite, "e1"), King(kBlack, "a8"),
                                   Rook(kBlack, kARookId, "e7"), Knight(kWhite, kGKnightId, "c6")});
    EXPECT_TRUE(game.IsKingAttacked(0, 0, kWhite));
    game.MakeMove(Sq("c6"), Sq("e7"), 0);
    EXPECT_FALSE(game.IsKingAttacked(0, 0, kWhite));
}

TEST_F(CheckDetection, NoCheckNoMateFromTheStart) {
    Chessgame game;
    EXPECT_EQ(kPieceCanMove, game.HasLegalMove());
    EXPECT_FALSE(Play(game, "e2", "e4").given);
    EXPECT_EQ(kPieceCanMove, game.HasLegalMove());
}

TEST_F(CheckDetection, FoolsMate) {
    Chessgame game;
    Play(game, "f2", "f3");
    Play(game, "e7", "e5");
    Play(game, "g2", "g4");
    const Check check = Play(game, "d8", "h4");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(1, check.count);
    EXPECT_EQ(Sq("h4"), check.checker);
    EXPECT_EQ(7, check.step);
    EXPECT_EQ(kWhite, g_sideToMove);
    EXPECT_TRUE(Mated(game, check, 0));
    EXPECT_EQ(kNoLegalMove, game.HasLegalMove());
}

TEST_F(CheckDetection, ACheckAlongTheWholeFileCanBeBlockedAnywhere) {
    const std::vector<Placement> boxedIn{King(kBlack, "e8"),           Rook(kBlack, kARookId, "d8"),
                                         Rook(kBlack, kHRookId, "f8"), Pawn(kBlack, 4, "d7"),
                                         Pawn(kBlack, 2, "f7"),        King(kWhite, "a3"),
                                         Rook(kWhite, kARookId, "a1")};
    Chessgame mate = MakePosition(boxedIn);
    const Check check = Play(mate, "a1", "e1");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(Sq("e1"), check.checker);
    EXPECT_EQ(8, check.step);
    EXPECT_TRUE(Mated(mate, check, 0));

    for (const char* blocker : {"g4", "c6", "g2"}) {  // reaching e5/e3, e7/e5, e1/e3
        std::vector<Placement> position = boxedIn;
        position.push_back(Knight(kBlack, kGKnightId, blocker));
        Chessgame game = MakePosition(position);
        g_sideToMove = kWhite;
        const Check blocked = Play(game, "a1", "e1");
        EXPECT_TRUE(blocked.given) << blocker;
        EXPECT_FALSE(Mated(game, blocked, 0)) << blocker;
    }
}

TEST_F(CheckDetection, APinnedPieceStillGivesCheck) {
    // The White rook stays pinned on the e-file and checks along the fifth rank.
    Chessgame rook = MakePosition({King(kWhite, "e1"), Rook(kWhite, kHRookId, "e3"),
                                   King(kBlack, "a5"), Rook(kBlack, kARookId, "e8")});
    const Check check = Play(rook, "e3", "e5");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(1, check.count);
    EXPECT_EQ(Sq("e5"), check.checker);
    EXPECT_EQ(1, check.step);
    EXPECT_FALSE(Mated(rook, check, 0));

    // The Black knight answers the bishop's check by blocking it, and is then
    // pinned while it checks the White king.
    Chessgame knight = MakePosition({King(kWhite, "b3"), Bishop(kWhite, kCBishopId, "a1"),
                                     King(kBlack, "h8"), Knight(kBlack, kGKnightId, "e6")});
    g_sideToMove = kBlack;
    const Check knightCheck = Play(knight, "e6", "d4");
    EXPECT_TRUE(knightCheck.given);
    EXPECT_EQ(Sq("d4"), knightCheck.checker);
    EXPECT_FALSE(Mated(knight, knightCheck, 1));
}

TEST_F(CheckDetection, DiscoveredChecksByAnySlider) {
    // A rook uncovers the other rook.
    Chessgame rooks = MakePosition({King(kWhite, "h2"), Rook(kWhite, kARookId, "d1"),
                                    Rook(kWhite, kHRookId, "d4"), King(kBlack, "d8")});
    const Check byRook = Play(rooks, "d4", "h4");
    EXPECT_TRUE(byRook.given);
    EXPECT_EQ(Sq("d1"), byRook.checker);
    EXPECT_EQ(8, byRook.step);

    // A bishop uncovers the other bishop.
    g_sideToMove = kWhite;
    Chessgame bishops = MakePosition({King(kWhite, "h1"), Bishop(kWhite, kCBishopId, "a1"),
                                      Bishop(kWhite, kFBishopId, "c3"), King(kBlack, "g7")});
    const Check byBishop = Play(bishops, "c3", "a5");
    EXPECT_TRUE(byBishop.given);
    EXPECT_EQ(Sq("a1"), byBishop.checker);

    // A queen uncovers the queen that a pawn became.
    g_sideToMove = kWhite;
    Chessgame queens = MakePosition({King(kWhite, "h1"), PromotedQueen(kWhite, 2, "a1"),
                                     Queen(kWhite, "b2"), King(kBlack, "h8")});
    const Check byPromoted = Play(queens, "b2", "b6");
    EXPECT_TRUE(byPromoted.given);
    EXPECT_EQ(Sq("a1"), byPromoted.checker);
    EXPECT_EQ(7, byPromoted.step);
}

TEST_F(CheckDetection, TheRookChecksAfterCastling) {
    Chessgame game =
        MakePosition({King(kWhite, "e1"), Rook(kWhite, kHRookId, "h1"), King(kBlack, "f8")});
    const Check check = Play(game, "e1", "g1");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(Sq("f1"), check.checker);
    EXPECT_EQ(8, check.step);
}

TEST_F(CheckDetection, APawnOrKnightUncoveringACheckDoesNotPreventBlocking) {
    const std::vector<Placement> boxedIn{
        King(kBlack, "e8"),           Rook(kBlack, kARookId, "d8"), Rook(kBlack, kHRookId, "f8"),
        Pawn(kBlack, 4, "d7"),        Pawn(kBlack, 2, "f7"),        King(kWhite, "a1"),
        Rook(kWhite, kHRookId, "e1"), Pawn(kWhite, 3, "e4"),        Pawn(kBlack, 3, "d5")};

    Chessgame mate = MakePosition(boxedIn);
    const Check check = Play(mate, "e4", "d5");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(Sq("e1"), check.checker);
    EXPECT_TRUE(Mated(mate, check, 1));

    std::vector<Placement> withBlocker = boxedIn;
    withBlocker.push_back(Knight(kBlack, kGKnightId, "g6"));
    Chessgame pawn = MakePosition(withBlocker);
    g_sideToMove = kWhite;
    const Check pawnCheck = Play(pawn, "e4", "d5");
    EXPECT_TRUE(pawnCheck.given);
    EXPECT_FALSE(Mated(pawn, pawnCheck, 1));

    std::vector<Placement> knightUncovers = withBlocker;
    knightUncovers[7] = Knight(kWhite, kGKnightId, "e4");
    Chessgame knight = MakePosition(knightUncovers);
    g_sideToMove = kWhite;
    const Check knightCheck = Play(knight, "e4", "c3");
    EXPECT_TRUE(knightCheck.given);
    EXPECT_FALSE(Mated(knight, knightCheck, 1));
}

TEST_F(CheckDetection, DoubleCheckIsMateWhenTheKingCannotMove) {
    Chessgame game = MakePosition({King(kBlack, "e8"), Queen(kBlack, "d8"),
                                   Bishop(kBlack, kFBishopId, "f8"), Pawn(kBlack, 4, "d7"),
                                   Pawn(kBlack, 2, "f7"), Pawn(kBlack, 1, "g7"), King(kWhite, "a1"),
                                   Rook(kWhite, kHRookId, "e1"), Knight(kWhite, kGKnightId, "e4")});
    const Check check = Play(game, "e4", "f6");
    EXPECT_TRUE(check.given);
    EXPECT_EQ(2, check.count);
    EXPECT_EQ(Sq("e1"), check.checker);
    EXPECT_TRUE(Mated(game, check, 1));
}

TEST_F(CheckDetection, StalemateAndKingOnlyMoves) {
    Chessgame stalemate =
        MakePosition({King(kBlack, "h8"), Queen(kWhite, "f7"), King(kWhite, "g6")});
    g_sideToMove = kBlack;
    EXPECT_FALSE(stalemate.IsKingAttacked(0, 0, kBlack));
    EXPECT_EQ(kNoLegalMove, stalemate.HasLegalMove());

    Chessgame pawnMoves = MakePosition(
        {King(kBlack, "h8"), Queen(kWhite, "f7"), King(kWhite, "g6"), Pawn(kBlack, 7, "a7")});
    EXPECT_EQ(kPieceCanMove, pawnMoves.HasLegalMove());

    // The pawn is stuck and the bishop pinned along a file: only the king moves.
    Chessgame kingOnly = MakePosition({King(kBlack, "e8"), Pawn(kBlack, 0, "h5"),
                                       Pawn(kWhite, 0, "h4"), Bishop(kBlack, kFBishopId, "e6"),
                                       Rook(kWhite, kHRookId, "e1"), King(kWhite, "a1")});
    EXPECT_EQ(kOnlyKingCanMove, kingOnly.HasLegalMove());
}

}  // namespace
