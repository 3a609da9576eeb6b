// Castling: the conditions, the rights kept per rook, and the side asked about.
#include <gtest/gtest.h>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"

namespace {

class Castling : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }

    // Both sides' kings and rooks on their starting squares, plus extras.
    static Chessgame Position(std::vector<Placement> extra = {}) {
        extra.insert(extra.end(), {King(kWhite, "e1"), Rook(kWhite, kHRookId, "h1"),
                                   Rook(kWhite, kARookId, "a1"), King(kBlack, "e8"),
                                   Rook(kBlack, kHRookId, "h8"), Rook(kBlack, kARookId, "a8")});
        return MakePosition(extra);
    }

    static bool Legal(Chessgame& game, const char* from, const char* to, int side = kWhite) {
        return game.IsMoveLegal(Sq(from), Sq(to), side, 1);
    }
};

TEST_F(Castling, BothWaysForBothSidesWhenNothingStandsInTheWay) {
    Chessgame game = Position();
    EXPECT_TRUE(Legal(game, "e1", "g1"));
    EXPECT_TRUE(Legal(game, "e1", "c1"));
    g_sideToMove = kBlack;
    EXPECT_TRUE(Legal(game, "e8", "g8", kBlack));
    EXPECT_TRUE(Legal(game, "e8", "c8", kBlack));
}

TEST_F(Castling, NotOutOfThroughOrIntoAnAttackedSquare) {
    for (const char* attacker : {"e4", "f4", "g4"}) {
        Chessgame game = Position({Queen(kBlack, attacker)});
        EXPECT_FALSE(Legal(game, "e1", "g1")) << attacker;
    }
    for (const char* attacker : {"e4", "d4", "c4"}) {
        Chessgame game = Position({Queen(kBlack, attacker)});
        EXPECT_FALSE(Legal(game, "e1", "c1")) << attacker;
    }
}

TEST_F(Castling, PawnsAndKnightsGuardThePathToo) {
    // The king still stands on e1 while f1 and g1 are tested.
    Chessgame pawn = Position({Pawn(kBlack, 1, "g2")});
    EXPECT_FALSE(Legal(pawn, "e1", "g1"));
    Chessgame knightOnG1 = Position({Knight(kBlack, kGKnightId, "h3")});
    EXPECT_FALSE(Legal(knightOnG1, "e1", "g1"));
    Chessgame knightOnF1 = Position({Knight(kBlack, kGKnightId, "e3")});
    EXPECT_FALSE(Legal(knightOnF1, "e1", "g1"));
    Chessgame knightOnD1 = Position({Knight(kBlack, kGKnightId, "b2")});
    EXPECT_FALSE(Legal(knightOnD1, "e1", "c1"));
}

TEST_F(Castling, QueenSideNeedsB1EmptyButNotSafe) {
    Chessgame attacked = Position({Knight(kBlack, kGKnightId, "a3")});
    EXPECT_TRUE(Legal(attacked, "e1", "c1"));
    Chessgame blocked = Position({Knight(kWhite, kBKnightId, "b1")});
    EXPECT_FALSE(Legal(blocked, "e1", "c1"));
    EXPECT_TRUE(Legal(blocked, "e1", "g1"));
}

TEST_F(Castling, PiecesBetweenKingAndRookPreventIt) {
    for (const char* square : {"f1", "g1"}) {
        Chessgame game = Position({Knight(kWhite, kGKnightId, square)});
        EXPECT_FALSE(Legal(game, "e1", "g1")) << square;
        EXPECT_TRUE(Legal(game, "e1", "c1")) << square;
    }
    for (const char* square : {"d1", "c1"}) {
        Chessgame game = Position({Knight(kBlack, kGKnightId, square)});
        EXPECT_FALSE(Legal(game, "e1", "c1")) << square;
    }
}

TEST_F(Castling, NotOnceTheRookHasBeenCapturedInItsCorner) {
    Chessgame game = Position({Knight(kBlack, kGKnightId, "f2")});
    game.MakeMoveForSide(Sq("f2"), Sq("h1"), kBlack, 0);
    EXPECT_FALSE(Legal(game, "e1", "g1"));
    EXPECT_TRUE(Legal(game, "e1", "c1"));
    game.MakeMoveForSide(Sq("h1"), Sq("f2"), kBlack, 0);
    EXPECT_FALSE(Legal(game, "e1", "g1"));
}

TEST_F(Castling, NotAfterTheKingOrThatRookHasMoved) {
    Chessgame rook = Position();
    rook.MakeMove(Sq("h1"), Sq("h2"), 0);
    rook.MakeMove(Sq("h2"), Sq("h1"), 0);
    EXPECT_EQ(1, rook.m_hasMoved[SideIndex(kWhite)][kHRookMoved]);
    EXPECT_FALSE(Legal(rook, "e1", "g1"));
    EXPECT_TRUE(Legal(rook, "e1", "c1"));

    Chessgame king = Position();
    king.MakeMove(Sq("e1"), Sq("e2"), 0);
    king.MakeMove(Sq("e2"), Sq("e1"), 0);
    EXPECT_FALSE(Legal(king, "e1", "g1"));
    EXPECT_FALSE(Legal(king, "e1", "c1"));
}

TEST_F(Castling, RightsFollowTheRookNotItsSquare) {
    // The h-file rook wanders twice: only the king-side right is lost.
    Chessgame game = Position();
    game.MakeMove(Sq("h1"), Sq("h3"), 0);
    game.MakeMove(Sq("h3"), Sq("g3"), 0);
    EXPECT_EQ(1, game.m_hasMoved[SideIndex(kWhite)][kHRookMoved]);
    EXPECT_EQ(0, game.m_hasMoved[SideIndex(kWhite)][kARookMoved]);
    EXPECT_TRUE(Legal(game, "e1", "c1"));

    // The a-file rook moves once and comes back via another square.
    Chessgame black = Position();
    g_sideToMove = kBlack;
    black.MakeMove(Sq("a8"), Sq("a5"), 0);
    black.MakeMove(Sq("a5"), Sq("b5"), 0);
    EXPECT_EQ(0, black.m_hasMoved[SideIndex(kBlack)][kHRookMoved]);
    EXPECT_EQ(1, black.m_hasMoved[SideIndex(kBlack)][kARookMoved]);
    EXPECT_TRUE(Legal(black, "e8", "g8", kBlack));
    EXPECT_FALSE(Legal(black, "e8", "c8", kBlack));
}

TEST_F(Castling, AskedForTheSideWhoseKingMoves) {
    // White may not castle any more, Black may; the question about Black's
    // king is answered for Black even while it is White's turn.
    Chessgame game = Position();
    game.m_hasMoved[SideIndex(kWhite)][kKingMoved] = 1;
    g_sideToMove = kWhite;
    EXPECT_TRUE(Legal(game, "e8", "g8", kBlack));
    EXPECT_TRUE(game.CanCastle(Sq("e8"), Sq("c8"), kBlack));

    // And the other way round: Black's lost right stays lost on White's turn.
    Chessgame other = Position();
    other.m_hasMoved[SideIndex(kBlack)][kKingMoved] = 1;
    EXPECT_FALSE(Legal(other, "e8", "g8", kBlack));
    EXPECT_TRUE(Legal(other, "e1", "g1"));
}

TEST_F(Castling, TheAttackTestsUseTheCastlingSide) {
    // A White knight on h7 guards f8: Black may not castle king-side, whoever's turn it is.
    Chessgame game = Position({Knight(kWhite, kGKnightId, "h7")});
    g_sideToMove = kWhite;
    EXPECT_FALSE(Legal(game, "e8", "g8", kBlack));
    EXPECT_TRUE(Legal(game, "e8", "c8", kBlack));
}

TEST_F(Castling, CanCastleRestoresTheKingSquare) {
    Chessgame game = Position({Queen(kBlack, "h3")});
    EXPECT_FALSE(game.CanCastle(Sq("e1"), Sq("g1"), kWhite));
    EXPECT_EQ(Sq("e1"), game.m_kingSquare[SideIndex(kWhite)]);
    EXPECT_TRUE(game.CanCastle(Sq("e1"), Sq("c1"), kWhite));
    EXPECT_EQ(Sq("e1"), game.m_kingSquare[SideIndex(kWhite)]);
}

}  // namespace
