#include "tests/support/boardsetup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/piecetable.h"
#include "tests/support/squarenames.h"

namespace {

// The ids each kind may take, in the piece table's order, those of the
// king's wing first; queens after the first are promoted pawns.
const std::vector<int> kIdsByKind[] = {{0, 1, 2, 3, 4, 5, 6, 7},           {kGKnightId, kBKnightId},
                                       {kFBishopId, kCBishopId},           {kHRookId, kARookId},
                                       {kQueenId, 0, 1, 2, 3, 4, 5, 6, 7}, {kKingId}};
static_assert(std::size(kIdsByKind) == kPieceKinds.size());

int KindIndexOfLetter(char letter) {
    const PieceKind* kind =
        PieceKindByLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    if (kind == nullptr) throw std::invalid_argument(std::string("no piece ") + letter);
    return static_cast<int>(kind - kPieceKinds.data());
}

// A free id of the kind; a knight, bishop or rook on files a to d takes the
// queen's wing's first.
int FreeId(const Chessgame& game, int side, int kindIndex, int square) {
    std::vector<int> ids = kIdsByKind[kindIndex];
    if (ids.size() == 2 && square % kRankSize >= kRankSize / 2) std::swap(ids[0], ids[1]);
    for (int id : ids) {
        if (game.m_pieces[SideIndex(side)][id].onBoard == 0) return id;
    }
    throw std::invalid_argument("too many pieces of one kind");
}

void Place(Chessgame& game, char letter, int square) {
    const int side = std::isupper(static_cast<unsigned char>(letter)) ? kWhite : kBlack;
    const int kindIndex = KindIndexOfLetter(letter);
    const PieceKind& kind = kPieceKinds[kindIndex];
    const int id = FreeId(game, side, kindIndex, square);
    game.m_board[square] = static_cast<int16_t>(side * kind.value);
    game.m_pieceId[square] = static_cast<int16_t>(id);
    (side == kWhite ? game.m_whitePieces : game.m_blackPieces).set(square);
    game.m_pieceSquare[PieceSquareIndex(side, id)] = SquareSet().set(square);
    game.m_pieces[SideIndex(side)][id] = {1, square, kind.code, 0};
    if (kind.value == kKingValue) game.m_kingSquare[SideIndex(side)] = square;
}

std::string SquareFault(const Chessgame& game, int square) {
    const int value = game.m_board[square];
    const int id = game.m_pieceId[square];
    const bool white = game.m_whitePieces.test(square);
    const bool black = game.m_blackPieces.test(square);
    if (value == 0) return white || black || id != kNoPiece ? "an empty square is occupied" : "";
    const int side = value > 0 ? kWhite : kBlack;
    if (white != (side == kWhite) || black != (side == kBlack)) return "occupancy sets";
    if (id < 0 || id >= kPieceCount) return "piece id";
    const PieceRecord& record = game.m_pieces[SideIndex(side)][id];
    const PieceKind* kind = PieceKindOf(value);
    if (kind == nullptr || record.kind != kind->code) return "piece kind";
    if (record.onBoard != 1 || record.square != square) return "piece record";
    if (game.m_pieceSquare[PieceSquareIndex(side, id)] != SquareSet().set(square))
        return "piece set";
    if (kind->value == kKingValue && game.m_kingSquare[SideIndex(side)] != square)
        return "king square";
    return "";
}

}  // namespace

std::string PositionFault(const Chessgame& game) {
    std::size_t records = 0;
    for (int square = 0; square < kSquareCount; ++square) {
        const std::string fault = SquareFault(game, square);
        if (!fault.empty()) return fault + " at square " + std::to_string(square);
    }
    for (const auto& row : game.m_pieces) {
        for (const PieceRecord& record : row) records += record.onBoard == 1 ? 1 : 0;
    }
    const std::size_t occupied = (game.m_whitePieces | game.m_blackPieces).count();
    return records == occupied ? "" : "a captured piece is on the board";
}

void AddPiece(Chessgame& game, std::string_view piece) {
    Place(game, piece[0], Sq(piece.substr(1, 2)));
}

void SetUpBoard(Chessgame& game, std::string_view pieces) {
    game.m_board.fill(0);
    game.m_pieceId.fill(kNoPiece);
    game.m_whitePieces.reset();
    game.m_blackPieces.reset();
    for (SquareSet& pieceSquare : game.m_pieceSquare) pieceSquare.reset();
    for (auto& row : game.m_pieces) {
        for (PieceRecord& record : row) record.onBoard = 0;
    }
    std::memset(game.m_hasMoved, 0, sizeof game.m_hasMoved);
    for (std::size_t at = 0; at + 3 <= pieces.size(); at += 4) {
        Place(game, pieces[at], Sq(pieces.substr(at + 1, 2)));
    }
}

Chessgame Position(std::string_view pieces) {
    Chessgame game;
    SetUpBoard(game, pieces);
    g_sideToMove = kWhite;
    return game;
}

std::vector<LegalMove> LegalMoves(Chessgame& game, int side) {
    std::vector<LegalMove> moves;
    for (int from = 0; from < kSquareCount; ++from) {
        if (game.m_board[from] * side <= 0) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.IsMoveLegal(from, to, side, 1)) moves.push_back({from, to});
        }
    }
    return moves;
}
