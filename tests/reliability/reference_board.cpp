#include "tests/reliability/reference_board.h"

#include <algorithm>
#include <cstdlib>

namespace reference {
namespace {

using Step = std::array<int, 2>;  // {file, rank}

const std::vector<Step> kKnightSteps{{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                     {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
const std::vector<Step> kDiagonalSteps{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
const std::vector<Step> kStraightSteps{{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
const std::vector<Step> kAllSteps{{1, 1}, {1, -1}, {-1, 1}, {-1, -1},
                                  {1, 0}, {-1, 0}, {0, 1},  {0, -1}};

constexpr int kKingFile = 4;  // e-file
constexpr int kQueenSideRookFile = 0;
constexpr int kKingSideRookFile = 7;
constexpr int kCastlingStep = 2;

bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

int HomeRank(int side) { return side == kWhiteSide ? 0 : 7; }
int PawnRank(int side) { return side == kWhiteSide ? 1 : 6; }
int LastRank(int side) { return side == kWhiteSide ? 7 : 0; }
int Forward(int side) { return side == kWhiteSide ? 1 : -1; }
int SideIndex(int side) { return side + 1; }

char PieceLetter(const Piece& piece) {
    static constexpr char kLetters[] = ".pnbrqk";
    const char letter = kLetters[static_cast<int>(piece.kind)];
    return piece.side == kWhiteSide ? static_cast<char>(letter - 'a' + 'A') : letter;
}

}  // namespace

int SquareOf(int file, int rank) { return 8 * rank + (7 - file); }
int FileOf(int square) { return 7 - square % 8; }
int RankOf(int square) { return square / 8; }

std::string MoveName(const Move& move) {
    std::string name;
    for (int square : {move.from, move.to}) {
        name += static_cast<char>('a' + FileOf(square));
        name += static_cast<char>('1' + RankOf(square));
    }
    return name;
}

Board Board::Empty() { return Board{}; }

Board Board::StartPosition() {
    static constexpr std::array<Kind, 8> kBackRank{Kind::kRook,   Kind::kKnight, Kind::kBishop,
                                                   Kind::kQueen,  Kind::kKing,   Kind::kBishop,
                                                   Kind::kKnight, Kind::kRook};
    Board board;
    for (int side : {kWhiteSide, kBlackSide}) {
        for (int file = 0; file < 8; ++file) {
            board.Put(SquareOf(file, HomeRank(side)), kBackRank[file], side);
            board.Put(SquareOf(file, PawnRank(side)), Kind::kPawn, side);
        }
    }
    return board;
}

const Piece& Board::At(int square) const { return m_cells[RankOf(square)][FileOf(square)]; }

Piece& Board::Cell(int square) { return m_cells[RankOf(square)][FileOf(square)]; }

void Board::Put(int square, Kind kind, int side, bool moved) {
    Cell(square) = Piece{kind, static_cast<int8_t>(side), static_cast<int8_t>(square), moved};
    if (kind == Kind::kKing) {
        m_kingSquare[SideIndex(side)] = square;
    }
}

void Board::Clear(int square) { Cell(square) = Piece{}; }

int Board::KingSquare(int side) const { return m_kingSquare[SideIndex(side)]; }

std::vector<Move> Board::LegalMoves(int side) const {
    std::vector<Move> pseudo;
    for (int square = 0; square < 64; ++square) {
        if (At(square).side == side) {
            PseudoLegalMoves(square, pseudo);
        }
    }
    std::vector<Move> legal;
    for (const Move& move : pseudo) {
        Board after = *this;
        after.Apply(move);
        if (!after.InCheck(side)) {
            legal.push_back(move);
        }
    }
    return legal;
}

bool Board::IsLegal(const Move& move, int side) const {
    if (At(move.from).side != side) {
        return false;
    }
    std::vector<Move> pseudo;
    PseudoLegalMoves(move.from, pseudo);
    for (const Move& candidate : pseudo) {
        if (candidate == move) {
            Board after = *this;
            after.Apply(move);
            return !after.InCheck(side);
        }
    }
    return false;
}

bool Board::InCheck(int side) const { return IsAttackedBy(KingSquare(side), -side); }

void Board::PseudoLegalMoves(int from, std::vector<Move>& moves) const {
    switch (At(from).kind) {
        case Kind::kPawn:
            AddPawnMoves(from, moves);
            break;
        case Kind::kKnight:
            AddSteps(from, kKnightSteps, false, moves);
            break;
        case Kind::kBishop:
            AddSteps(from, kDiagonalSteps, true, moves);
            break;
        case Kind::kRook:
            AddSteps(from, kStraightSteps, true, moves);
            break;
        case Kind::kQueen:
            AddSteps(from, kAllSteps, true, moves);
            break;
        case Kind::kKing:
            AddSteps(from, kAllSteps, false, moves);
            AddCastling(from, moves);
            break;
        case Kind::kNone:
            break;
    }
}

void Board::AddSteps(int from, const std::vector<Step>& steps, bool slide,
                     std::vector<Move>& moves) const {
    const int side = At(from).side;
    for (const Step& step : steps) {
        int file = FileOf(from) + step[0];
        int rank = RankOf(from) + step[1];
        while (OnBoard(file, rank)) {
            const int to = SquareOf(file, rank);
            if (At(to).side == side) {
                break;
            }
            moves.push_back({from, to});
            if (!slide || At(to).side != 0) {
                break;
            }
            file += step[0];
            rank += step[1];
        }
    }
}

void Board::AddPawnMoves(int from, std::vector<Move>& moves) const {
    const int side = At(from).side;
    const int file = FileOf(from);
    const int ahead = RankOf(from) + Forward(side);
    if (!OnBoard(file, ahead)) {
        return;
    }
    const int single = SquareOf(file, ahead);
    if (At(single).kind == Kind::kNone) {
        moves.push_back({from, single});
        const int twoAhead = ahead + Forward(side);
        if (RankOf(from) == PawnRank(side) && At(SquareOf(file, twoAhead)).kind == Kind::kNone) {
            moves.push_back({from, SquareOf(file, twoAhead)});
        }
    }
    for (int sideways : {-1, 1}) {
        if (OnBoard(file + sideways, ahead)) {
            const int target = SquareOf(file + sideways, ahead);
            if (At(target).side == -side) {
                moves.push_back({from, target});
            }
        }
    }
}

void Board::AddCastling(int from, std::vector<Move>& moves) const {
    const Piece& king = At(from);
    if (king.moved || from != SquareOf(kKingFile, HomeRank(king.side)) || from != king.origin) {
        return;
    }
    for (int rookFile : {kKingSideRookFile, kQueenSideRookFile}) {
        const int corner = SquareOf(rookFile, HomeRank(king.side));
        if (CanCastleTowards(from, corner)) {
            const int direction = rookFile > kKingFile ? 1 : -1;
            moves.push_back(
                {from, SquareOf(kKingFile + kCastlingStep * direction, HomeRank(king.side))});
        }
    }
}

bool Board::CanCastleTowards(int kingSquare, int corner) const {
    const int side = At(kingSquare).side;
    const Piece& rook = At(corner);
    if (rook.kind != Kind::kRook || rook.side != side || rook.origin != corner || rook.moved) {
        return false;
    }
    const int rank = RankOf(kingSquare);
    const int direction = FileOf(corner) > FileOf(kingSquare) ? 1 : -1;
    for (int file = FileOf(kingSquare) + direction; file != FileOf(corner); file += direction) {
        if (At(SquareOf(file, rank)).kind != Kind::kNone) {
            return false;
        }
    }
    // Not out of check, not through an attacked square, not into check.
    for (int distance = 0; distance <= kCastlingStep; ++distance) {
        const int square = SquareOf(FileOf(kingSquare) + distance * direction, rank);
        if (IsAttackedBy(square, -side)) {
            return false;
        }
    }
    return true;
}

void Board::Apply(const Move& move) {
    Piece piece = At(move.from);
    const int fileShift = FileOf(move.to) - FileOf(move.from);
    if (piece.kind == Kind::kKing && std::abs(fileShift) == kCastlingStep) {
        const int rank = RankOf(move.from);
        const int cornerFile = fileShift > 0 ? kKingSideRookFile : kQueenSideRookFile;
        const int corner = SquareOf(cornerFile, rank);
        Piece rook = At(corner);
        rook.moved = true;
        Cell(SquareOf(FileOf(move.from) + fileShift / 2, rank)) = rook;
        Clear(corner);
    }
    if (piece.kind == Kind::kPawn && RankOf(move.to) == LastRank(piece.side)) {
        piece.kind = Kind::kQueen;
    }
    if (piece.kind == Kind::kKing) {
        m_kingSquare[SideIndex(piece.side)] = move.to;
    }
    piece.moved = true;
    Cell(move.to) = piece;
    Clear(move.from);
}

bool Board::IsAttackedBy(int square, int attacker) const {
    return !Attackers(square, attacker).empty();
}

std::vector<int> Board::Attackers(int square, int attacker) const {
    std::vector<int> found;
    const std::vector<Step> pawnSteps{{-1, -Forward(attacker)}, {1, -Forward(attacker)}};
    AddAttackers(square, attacker, pawnSteps, {Kind::kPawn}, false, found);
    AddAttackers(square, attacker, kKnightSteps, {Kind::kKnight}, false, found);
    AddAttackers(square, attacker, kAllSteps, {Kind::kKing}, false, found);
    AddAttackers(square, attacker, kStraightSteps, {Kind::kRook, Kind::kQueen}, true, found);
    AddAttackers(square, attacker, kDiagonalSteps, {Kind::kBishop, Kind::kQueen}, true, found);
    return found;
}

// Looks from square along each step for the first piece in the way, or only
// one step unless slide is set, and keeps it if it is one of the kinds.
void Board::AddAttackers(int square, int attacker, const std::vector<Step>& steps,
                         std::initializer_list<Kind> kinds, bool slide,
                         std::vector<int>& found) const {
    for (const Step& step : steps) {
        int file = FileOf(square) + step[0];
        int rank = RankOf(square) + step[1];
        while (OnBoard(file, rank)) {
            const Piece& piece = At(SquareOf(file, rank));
            if (piece.kind != Kind::kNone || !slide) {
                const bool kindMatches =
                    std::find(kinds.begin(), kinds.end(), piece.kind) != kinds.end();
                if (kindMatches && piece.side == attacker) {
                    found.push_back(SquareOf(file, rank));
                }
                break;
            }
            file += step[0];
            rank += step[1];
        }
    }
}

std::string Board::Diagram() const {
    std::string picture;
    for (int rank = 7; rank >= 0; --rank) {
        picture += static_cast<char>('1' + rank);
        picture += ' ';
        for (int file = 0; file < 8; ++file) {
            picture += PieceLetter(m_cells[rank][file]);
        }
        picture += '\n';
    }
    picture += "  abcdefgh\n";
    return picture;
}

}  // namespace reference
