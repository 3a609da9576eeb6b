#include <algorithm>
#include <ctime>
#include <set>

#include "tests/computer/computertest.h"

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

}  // namespace
