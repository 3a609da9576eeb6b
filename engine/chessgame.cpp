#include "engine/chessgame.h"

#include <algorithm>
#include <cstring>

int16_t g_sideToMove = kWhite;

namespace {

constexpr int kWhiteKingStart = 3;   // e1
constexpr int kBlackKingStart = 59;  // e8
constexpr int kWhiteBackRank = 0;
constexpr int kBlackBackRank = 56;

// The ids of the back-rank pieces from the h-file to the a-file.
constexpr std::array<int, kRankSize> kBackRankIds{kHRookId, kGKnightId, kFBishopId, kKingId,
                                                  kQueenId, kCBishopId, kBKnightId, kARookId};

// Each id's piece starts on a fixed square: pawns on the rank in front of the
// back rank, in the column of their id.
constexpr int StartSquare(int side, int id) {
    const int backRank = side == kWhite ? kWhiteBackRank : kBlackBackRank;
    if (id <= kLastPawnId) return backRank + side * kRankSize + id;
    for (int column = 0; column < kRankSize; ++column) {
        if (kBackRankIds[column] == id) return backRank + column;
    }
    return kNoSquare;
}

constexpr int32_t KindOf(int id) {
    switch (id) {
        case kKingId:
            return kKingKind;
        case kQueenId:
            return kQueenKind;
        case kHRookId:
        case kARookId:
            return kRookKind;
        case kGKnightId:
        case kBKnightId:
            return kKnightKind;
        case kFBishopId:
        case kCBishopId:
            return kBishopKind;
        default:
            return kPawnKind;
    }
}

constexpr int16_t ValueOf(int id) {
    switch (id) {
        case kKingId:
            return kKingValue;
        case kQueenId:
            return kQueenValue;
        case kHRookId:
        case kARookId:
            return kRookValue;
        case kGKnightId:
        case kBKnightId:
            return kKnightValue;
        case kFBishopId:
        case kCBishopId:
            return kBishopValue;
        default:
            return kPawnValue;
    }
}

CObject* CreateChessgame() { return new Chessgame; }

const bool kRegistered = RegisterRuntimeClass(Chessgame::kRuntimeClass);

}  // namespace

const RuntimeClass Chessgame::kRuntimeClass{"Chessgame", 1, &CreateChessgame};

const RuntimeClass* Chessgame::GetRuntimeClass() const { return &kRuntimeClass; }

Chessgame::Chessgame() : m_hasMoved{}, m_pieces{} {
    InitMoveTables();
    InitPieceRecords();
    m_kingSquare[SideIndex(kBlack)] = kBlackKingStart;
    m_kingSquare[SideIndex(0)] = 0;
    m_kingSquare[SideIndex(kWhite)] = kWhiteKingStart;
    m_board.fill(0);
    m_pieceId.fill(kNoPiece);
    for (int side : {kWhite, kBlack}) {
        for (int id = 0; id < kPieceCount; ++id) {
            const int square = StartSquare(side, id);
            m_board[square] = static_cast<int16_t>(side * ValueOf(id));
            m_pieceId[square] = static_cast<int16_t>(id);
        }
    }
}

// Copies the position only: the move tables are shared by every object.
Chessgame::Chessgame(const Chessgame& other) : CObject(other), m_hasMoved{} { *this = other; }

Chessgame& Chessgame::operator=(const Chessgame& other) {
    m_whitePieces = other.m_whitePieces;
    m_blackPieces = other.m_blackPieces;
    m_pieceSquare = other.m_pieceSquare;
    // The unused middle row of the per-side flags is not part of the position.
    for (int side : {kBlack, kWhite}) {
        std::copy_n(other.m_hasMoved[SideIndex(side)], 3, m_hasMoved[SideIndex(side)]);
    }
    m_pieceId = other.m_pieceId;
    m_board = other.m_board;
    std::memcpy(m_pieces, other.m_pieces, sizeof m_pieces);
    std::copy_n(other.m_kingSquare, 3, m_kingSquare);
    return *this;
}

// The tables themselves are built at compile time; what is left to set up
// here is the starting occupancy.
void Chessgame::InitMoveTables() {
    m_whitePieces.reset();
    m_blackPieces.reset();
    for (int side : {kWhite, kBlack}) {
        SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        for (int id = 0; id < kPieceCount; ++id) {
            const int square = StartSquare(side, id);
            own.set(square);
            m_pieceSquare[PieceSquareIndex(side, id)] = SquareSet().set(square);
        }
    }
}

void Chessgame::InitPieceRecords() {
    for (int side : {kBlack, kWhite}) {
        for (int id = 0; id < kPieceCount; ++id) {
            m_pieces[SideIndex(side)][id] = {1, StartSquare(side, id), KindOf(id), 0};
        }
    }
}

void Chessgame::SavePosition(PositionState& state) const {
    state.whitePieces = m_whitePieces;
    state.blackPieces = m_blackPieces;
    state.pieceSquare = m_pieceSquare;
    std::memcpy(state.hasMoved, m_hasMoved, sizeof m_hasMoved);
    state.pieceId = m_pieceId;
    state.board = m_board;
    std::memcpy(state.pieces, m_pieces, sizeof m_pieces);
    std::copy_n(m_kingSquare, 3, state.kingSquare);
}

void Chessgame::RestorePosition(const PositionState& state) {
    m_whitePieces = state.whitePieces;
    m_blackPieces = state.blackPieces;
    m_pieceSquare = state.pieceSquare;
    std::memcpy(m_hasMoved, state.hasMoved, sizeof m_hasMoved);
    m_pieceId = state.pieceId;
    m_board = state.board;
    std::memcpy(m_pieces, state.pieces, sizeof m_pieces);
    std::copy_n(state.kingSquare, 3, m_kingSquare);
}
