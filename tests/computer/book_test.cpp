#include <algorithm>
#include <ctime>
#include <set>

#include "tests/computer/board_setup.h"

namespace {

constexpr int kWhiteBook = 1;
constexpr int kBlackBook = 0;

class Book : public ComputerTest {
protected:
    // Makes the book hold the given moves at the given positions and nothing
    // else that may be played.
    void OnlyBookMoves(int book, std::initializer_list<std::pair<int, const char*>> moves) {
        for (BookEntry& entry : game.m_book[book]) {
            entry.used = 1;
        }
        for (const auto& [position, move] : moves) {
            const std::string_view text(move);
            game.m_book[book][position] = {Sq(text.substr(0, 2)), Sq(text.substr(2, 2)), 0};
        }
    }

    void ExpectMove(const ScoredMove& move, int value, std::string_view from, std::string_view to) {
        EXPECT_EQ(value, move.value);
        EXPECT_EQ(Sq(from), move.from);
        EXPECT_EQ(Sq(to), move.to);
    }
};

std::vector<std::pair<int, int>> Moves(const std::array<BookEntry, kBookSize>& book) {
    std::vector<std::pair<int, int>> moves;
    for (const BookEntry& entry : book) {
        moves.emplace_back(entry.from, entry.to);
    }
    return moves;
}

TEST_F(Book, SameSeedSameOrder) {
    Intelligence other(kSeed);
    EXPECT_EQ(Moves(game.m_book[kWhiteBook]), Moves(other.m_book[kWhiteBook]));
    EXPECT_EQ(Moves(game.m_book[kBlackBook]), Moves(other.m_book[kBlackBook]));
    Intelligence differentSeed(kSeed + 1);
    EXPECT_NE(Moves(game.m_book[kWhiteBook]), Moves(differentSeed.m_book[kWhiteBook]));
}

TEST_F(Book, GamesStartedInTheSameSecondShareTheirOrder) {
    for (;;) {
        const std::time_t before = std::time(nullptr);
        Intelligence first;
        Intelligence second;
        if (std::time(nullptr) != before) {
            continue;
        }
        EXPECT_EQ(Moves(first.m_book[kWhiteBook]), Moves(second.m_book[kWhiteBook]));
        EXPECT_EQ(Moves(first.m_book[kBlackBook]), Moves(second.m_book[kBlackBook]));
        break;
    }
}

TEST_F(Book, BothSidesGetTheSamePermutationOfAllSixteenEntries) {
    const std::vector<std::pair<int, int>> white = Moves(game.m_book[kWhiteBook]);
    EXPECT_EQ(16u, std::set(white.begin(), white.end()).size());
    for (int position = 0; position < kBookSize; ++position) {
        const BookEntry& w = game.m_book[kWhiteBook][position];
        const BookEntry& b = game.m_book[kBlackBook][position];
        // The Black book mirrors the White one rank for rank.
        auto mirrored = [](int square) { return (7 - square / 8) * 8 + square % 8; };
        EXPECT_EQ(mirrored(w.from), b.from) << position;
        EXPECT_EQ(mirrored(w.to), b.to) << position;
        EXPECT_EQ(0, w.used);
        EXPECT_EQ(0, b.used);
    }
}

TEST_F(Book, NewGameResetsTheSideToMoveAndStartsInTheBook) {
    g_sideToMove = kBlack;
    Intelligence fresh(kSeed);
    EXPECT_EQ(kWhite, g_sideToMove);
    EXPECT_FALSE(fresh.m_outOfBook);
    EXPECT_TRUE(fresh.m_humanCaptures.empty());
    EXPECT_TRUE(fresh.m_computerCaptures.empty());
}

TEST_F(Book, IsRegisteredByName) {
    const std::unique_ptr<CObject> created = CreateObject("Intelligence");
    ASSERT_NE(nullptr, created);
    EXPECT_NE(nullptr, dynamic_cast<Intelligence*>(created.get()));
    EXPECT_EQ(1, created->GetRuntimeClass()->schema);
}

TEST_F(Book, FirstMoveIsTheFirstLegalBookMove) {
    OnlyBookMoves(kWhiteBook, {{2, "f1c4"}, {3, "g1e2"}, {5, "d2d4"}, {9, "b1c3"}});
    const ScoredMove move = game.ThinkMove(kBlack, kNoSquare, kNoSquare, kSearchKindExpert);
    ExpectMove(move, 0, "d2", "d4");
    EXPECT_EQ(kBlack, g_sideToMove);
    EXPECT_EQ(kPawnValue, game.m_board[Sq("d4")]);
    // Refused as illegal, so still available.
    EXPECT_EQ(0, game.m_book[kWhiteBook][2].used);
    EXPECT_EQ(0, game.m_book[kWhiteBook][3].used);
    EXPECT_EQ(1, game.m_book[kWhiteBook][5].used);
    EXPECT_FALSE(game.m_outOfBook);
}

TEST_F(Book, GroupIsUsedUpTogether) {
    OnlyBookMoves(kWhiteBook, {{6, "g1f3"}, {7, "b1c3"}, {8, "d2d3"}});
    ExpectMove(game.OpeningMove({}, {}, kWhite), 0, "g1", "f3");
    EXPECT_EQ(1, game.m_book[kWhiteBook][6].used);
    EXPECT_EQ(1, game.m_book[kWhiteBook][7].used);
    EXPECT_EQ(0, game.m_book[kWhiteBook][8].used);
    // b1-c3 is legal but its group is spent.
    ExpectMove(game.OpeningMove({}, {}, kWhite), 0, "d2", "d3");
    EXPECT_EQ(1, game.m_book[kWhiteBook][8].used);
    EXPECT_EQ(1, game.m_book[kWhiteBook][9].used);
}

TEST_F(Book, ThreeMoveGroupsAndSingles) {
    OnlyBookMoves(kWhiteBook, {{4, "a2a3"}, {5, "h2h3"}, {12, "g1f3"}, {13, "b1c3"}});
    ExpectMove(game.OpeningMove({}, {}, kWhite), 0, "a2", "a3");
    EXPECT_EQ(0, game.m_book[kWhiteBook][5].used);
    game.m_book[kWhiteBook][5].used = 1;
    ExpectMove(game.OpeningMove({}, {}, kWhite), 0, "g1", "f3");
    for (int position : {10, 11, 12}) {
        EXPECT_EQ(1, game.m_book[kWhiteBook][position].used);
    }
    EXPECT_EQ(0, game.m_book[kWhiteBook][13].used);
}

TEST_F(Book, MoveThatLosesMaterialIsSkippedButStaysAvailable) {
    Play(game, {"a2a3", "g8f6"});
    // e2-e4 would hang the pawn to the knight on f6.
    OnlyBookMoves(kWhiteBook, {{0, "e2e4"}, {1, "d2d4"}});
    CaptureList black;
    game.UpdateMoverCaptures(Sq("g8"), Sq("f6"), kBlack, {}, black);
    ExpectMove(game.OpeningMove({}, black, kWhite), 0, "d2", "d4");
    EXPECT_EQ(0, game.m_book[kWhiteBook][0].used);
    EXPECT_EQ(1, game.m_book[kWhiteBook][1].used);
}

TEST_F(Book, ProfitableCaptureComesBeforeTheBook) {
    OnlyBookMoves(kWhiteBook, {{0, "e2e4"}, {1, "d2d4"}});
    ExpectMove(game.ThinkMove(kBlack, kNoSquare, kNoSquare, kSearchKindExpert), 0, "e2", "e4");
    Play(game, {"f7f5"});
    const ScoredMove capture = game.ThinkMove(kBlack, Sq("f7"), Sq("f5"), kSearchKindExpert);
    ExpectMove(capture, 200, "e4", "f5");
    EXPECT_EQ(0, game.m_book[kWhiteBook][1].used);
    EXPECT_EQ(kPawnValue, game.m_board[Sq("f5")]);
    EXPECT_FALSE(game.m_outOfBook);
}

TEST_F(Book, CaptureThatLeavesTheKingInCheckIsNotPlayed) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "e4", kPawnValue, 3);
    Place(game, "e8", -kKingValue, kKingId);
    Place(game, "b4", -kBishopValue, kFBishopId);
    Place(game, "d5", -kPawnValue, 4);
    OnlyBookMoves(kWhiteBook, {});
    // e4xd5 would win a pawn, but the king on e1 is in check.
    const CaptureList white{{200, Sq("e4"), Sq("d5")}};
    ASSERT_EQ(200, game.BestCaptureGain(kWhite, white).value);
    const ScoredMove move = game.OpeningMove(white, {}, kWhite);
    EXPECT_FALSE(move.from == Sq("e4") && move.to == Sq("d5"));
}

TEST_F(Book, ThreatenedPieceRetreatsToTheFirstSafeSquare) {
    Play(game, {"g1f3", "e7e5", "a2a3", "e5e4"});
    OnlyBookMoves(kWhiteBook, {});
    CaptureList black;
    game.UpdateMoverCaptures(Sq("e5"), Sq("e4"), kBlack, {}, black);
    // g5 and h4 are covered by the queen on d8; g1 is the first safe square.
    ExpectMove(game.OpeningMove({}, black, kWhite), 0, "f3", "g1");
    EXPECT_FALSE(game.m_outOfBook);
}

TEST_F(Book, OpeningPhaseEndsWhenNothingIsLeftToPlay) {
    OnlyBookMoves(kWhiteBook, {});
    const PositionState before = Saved(game);
    ExpectMove(game.OpeningMove({}, {}, kWhite), kOutOfBookValue, "h1", "h1");
    EXPECT_TRUE(game.m_outOfBook);
    ExpectSamePosition(before, game);
}

TEST_F(Book, SearchPlaysTheMoveThatEndsTheOpening) {
    Play(game, {"e2e4", "e7e5", "g1f3"});
    OnlyBookMoves(kBlackBook, {});
    // The same search on a copy, with the lists ThinkMove will make from the
    // human's move.
    Intelligence searcher(static_cast<const Chessgame&>(game));
    CaptureList human;
    CaptureList computer;
    searcher.UpdateMoverCaptures(Sq("g1"), Sq("f3"), kWhite, {}, human);
    searcher.UpdateOpponentCaptures(Sq("g1"), Sq("f3"), kBlack, {}, computer);
    const ScoredMove searched =
        searcher.Search(kRootAlpha, kRootBeta, kWhite, kBlack, 1, computer, human);
    ASSERT_TRUE(IsMove(searched));

    const ScoredMove played = game.ThinkMove(kWhite, Sq("g1"), Sq("f3"), kSearchKindExpert);
    EXPECT_TRUE(game.m_outOfBook);
    EXPECT_EQ(searched.value, played.value);
    EXPECT_EQ(searched.from, played.from);
    EXPECT_EQ(searched.to, played.to);
    EXPECT_EQ(kWhite, g_sideToMove);
}

}  // namespace
