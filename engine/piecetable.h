#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/chessgame.h"

// Everything the program knows about one kind of piece, in one row.
struct PieceKind {
    int16_t value;          // the magnitude of its board cell, also its material value
    int32_t code;           // its piece record's kind code
    char letter;            // its SAN letter
    std::string_view name;  // "pawn" ... "king", also the stem of its image's name
    bool slides;            // it moves along lines that other pieces block
    // Its move tables, White's and Black's: they differ for a pawn only.
    std::array<const SquareSetTable*, 2> moves;
};

constexpr std::array<const SquareSetTable*, 2> BothSides(const SquareSetTable& table) {
    return {&table, &table};
}

constexpr std::array<const SquareSetTable*, 2> kPawnMoveTables{&Chessgame::m_whitePawnMoves,
                                                               &Chessgame::m_blackPawnMoves};

// Pawn to king: also the order of the piece images.
inline constexpr std::array<PieceKind, 6> kPieceKinds{{
    {kPawnValue, kPawnKind, 'P', "pawn", false, kPawnMoveTables},
    {kKnightValue, kKnightKind, 'N', "knight", false, BothSides(Chessgame::m_knightMoves)},
    {kBishopValue, kBishopKind, 'B', "bishop", true, BothSides(Chessgame::m_bishopMoves)},
    {kRookValue, kRookKind, 'R', "rook", true, BothSides(Chessgame::m_rookMoves)},
    {kQueenValue, kQueenKind, 'Q', "queen", true, BothSides(Chessgame::m_queenMoves)},
    {kKingValue, kKingKind, 'K', "king", false, BothSides(Chessgame::m_kingMoves)},
}};

// The squares a piece of the kind and side reaches from each square.
constexpr const SquareSetTable& MovesOf(const PieceKind& kind, int side) {
    return *kind.moves[side == kWhite ? 0 : 1];
}

constexpr int kNoKind = -1;

// The six magnitudes leave six different remainders modulo 17, so one lookup
// finds a cell's row: this is asked on every legality test.
constexpr int kKindModulus = 17;

constexpr std::array<int8_t, kKindModulus> KindsByRemainder() {
    std::array<int8_t, kKindModulus> kinds{};
    kinds.fill(kNoKind);
    for (int kind = 0; kind < static_cast<int>(kPieceKinds.size()); ++kind) {
        kinds[kPieceKinds[kind].value % kKindModulus] = static_cast<int8_t>(kind);
    }
    return kinds;
}

inline constexpr std::array<int8_t, kKindModulus> kKindsByRemainder = KindsByRemainder();

// The row of a board cell's piece, whichever its colour; kNoKind for an
// empty cell or a value that is no piece.
constexpr int KindIndexOf(int value) {
    const int magnitude = value < 0 ? -value : value;
    const int kind = kKindsByRemainder[magnitude % kKindModulus];
    return kind != kNoKind && kPieceKinds[kind].value == magnitude ? kind : kNoKind;
}

constexpr bool EveryKindFound() {
    for (int kind = 0; kind < static_cast<int>(kPieceKinds.size()); ++kind) {
        if (KindIndexOf(kPieceKinds[kind].value) != kind) return false;
    }
    return true;
}
static_assert(EveryKindFound(), "the magnitudes' remainders must differ");

// The row of a board cell's piece, or nullptr for a value that is no piece.
constexpr const PieceKind* PieceKindOf(int value) {
    const int kind = KindIndexOf(value);
    return kind == kNoKind ? nullptr : &kPieceKinds[kind];
}

// The row of a SAN letter, or nullptr for a letter that names no piece.
constexpr const PieceKind* PieceKindByLetter(char letter) {
    for (const PieceKind& kind : kPieceKinds) {
        if (kind.letter == letter) return &kind;
    }
    return nullptr;
}

// Each id's piece: 0..7 pawns, then king, queen, two rooks, two knights,
// two bishops.
inline constexpr std::array<int16_t, kPieceCount> kIdValues{
    kPawnValue,   kPawnValue,   kPawnValue,   kPawnValue,  kPawnValue, kPawnValue,
    kPawnValue,   kPawnValue,   kKingValue,   kQueenValue, kRookValue, kRookValue,
    kKnightValue, kKnightValue, kBishopValue, kBishopValue};

constexpr const PieceKind& PieceKindOfId(int id) { return *PieceKindOf(kIdValues[id]); }

// The ids of the back-rank pieces from the h-file to the a-file.
inline constexpr std::array<int, kRankSize> kBackRankIds{
    kHRookId, kGKnightId, kFBishopId, kKingId, kQueenId, kCBishopId, kBKnightId, kARookId};

// The column (0 = h-file) each id's piece starts on; a pawn's is its id.
constexpr std::array<int, kPieceCount> StartColumns() {
    std::array<int, kPieceCount> columns{};
    for (int id = kFirstPawnId; id <= kLastPawnId; ++id) columns[id] = id;
    for (int column = 0; column < kRankSize; ++column) columns[kBackRankIds[column]] = column;
    return columns;
}

inline constexpr std::array<int, kPieceCount> kStartColumns = StartColumns();

// The square each id's piece starts on, on its side's back rank or, for a
// pawn, the rank in front of it.
constexpr int StartSquare(int side, int id) {
    const int backRank = side == kWhite ? 0 : kSquareCount - kRankSize;
    if (id <= kLastPawnId) return backRank + side * kRankSize + kStartColumns[id];
    return backRank + kStartColumns[id];
}

static_assert(StartSquare(kWhite, kKingId) == KingHome(kWhite) &&
                  StartSquare(kBlack, kKingId) == KingHome(kBlack),
              "the kings start at home");
static_assert(StartSquare(kWhite, kKingId) == 3 && StartSquare(kBlack, kKingId) == 59 &&
                  StartSquare(kBlack, 7) == 55 && StartSquare(kWhite, kARookId) == 7,
              "e1, e8, a7 and a1 as the board numbers them");
