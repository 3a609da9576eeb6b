#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A second, deliberately simple implementation of the game's rules, used only
// to check the engine. It keeps an 8 x 8 array of pieces indexed by file and
// rank and generates moves by walking directions, so it shares nothing with
// the engine's square sets and move tables. The rules are those of chess
// without en passant and with promotion to a queen only.
namespace reference {

constexpr int kWhiteSide = 1;
constexpr int kBlackSide = -1;

enum class Kind : uint8_t { kNone, kPawn, kKnight, kBishop, kRook, kQueen, kKing };

struct Piece {
    Kind kind = Kind::kNone;
    int8_t side = 0;
    // The square the piece started on: its identity, which castling rights
    // follow (a rook that went away and came back has still moved).
    int8_t origin = -1;
    bool moved = false;
};

// Squares use the game's numbering: 8 * rank + (7 - file), 0 = h1, 63 = a8.
struct Move {
    int from;
    int to;
    bool operator==(const Move&) const = default;
};

int SquareOf(int file, int rank);
int FileOf(int square);
int RankOf(int square);
// "e2e4" style name of a move, for failure messages.
std::string MoveName(const Move& move);

class Board {
public:
    static Board StartPosition();
    static Board Empty();

    const Piece& At(int square) const;
    // For hand-made positions; a king placed here becomes its side's king.
    void Put(int square, Kind kind, int side, bool moved = false);
    void Clear(int square);

    std::vector<Move> LegalMoves(int side) const;
    bool IsLegal(const Move& move, int side) const;
    bool InCheck(int side) const;
    // Whether a piece of side attacker could take on square.
    bool IsAttackedBy(int square, int attacker) const;
    // The squares of side attacker's pieces that bear on square.
    std::vector<int> Attackers(int square, int attacker) const;
    // Plays a move without testing it, moving the rook along when the king
    // castles and making a pawn that reaches the last rank a queen.
    void Apply(const Move& move);
    // The square where side's king stands.
    int KingSquare(int side) const;
    // A picture of the board, White at the bottom, for failure messages.
    std::string Diagram() const;

private:
    Piece& Cell(int square);
    void PseudoLegalMoves(int from, std::vector<Move>& moves) const;
    void AddSteps(int from, const std::vector<std::array<int, 2>>& steps, bool slide,
                  std::vector<Move>& moves) const;
    void AddPawnMoves(int from, std::vector<Move>& moves) const;
    void AddCastling(int from, std::vector<Move>& moves) const;
    bool CanCastleTowards(int kingSquare, int corner) const;
    void AddAttackers(int square, int attacker, const std::vector<std::array<int, 2>>& steps,
                      std::initializer_list<Kind> kinds, bool slide, std::vector<int>& found) const;

    std::array<std::array<Piece, 8>, 8> m_cells{};  // [rank][file]
    std::array<int, 3> m_kingSquare{-1, -1, -1};    // [side + 1]
};

}  // namespace reference
