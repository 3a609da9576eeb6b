#include "engine/chessgame.h"

#include <algorithm>
#include <cstring>

#include "engine/piecetable.h"

int16_t g_sideToMove = kWhite;

namespace {

CObject* CreateChessgame() { return new Chessgame; }

const bool kRegistered = RegisterRuntimeClass(Chessgame::kRuntimeClass);

}  // namespace

const RuntimeClass Chessgame::kRuntimeClass{"Chessgame", 1, &CreateChessgame};

const RuntimeClass* Chessgame::GetRuntimeClass() const { return &kRuntimeClass; }

Chessgame::Chessgame() : m_hasMoved{}, m_pieces{} {
    InitMoveTables();
    InitPieceRecords();
    m_kingSquare[SideIndex(kBlack)] = StartSquare(kBlack, kKingId);
    m_kingSquare[SideIndex(0)] = 0;
    m_kingSquare[SideIndex(kWhite)] = StartSquare(kWhite, kKingId);
    m_board.fill(0);
    m_pieceId.fill(kNoPiece);
    for (int side : {kWhite, kBlack}) {
        for (int id = 0; id < kPieceCount; ++id) {
            const int square = StartSquare(side, id);
            m_board[square] = static_cast<int16_t>(side * PieceKindOfId(id).value);
            m_pieceId[square] = static_cast<int16_t>(id);
        }
    }
}

// Copies the position only: the move tables are shared by every object.
Chessgame::Chessgame(const Chessgame& other) : CObject(other), m_hasMoved{} { *this = other; }

// A position is copied in one place: through the state that saves it.
Chessgame& Chessgame::operator=(const Chessgame& other) {
    PositionState state;
    other.SavePosition(state);
    RestorePosition(state);
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
            m_pieces[SideIndex(side)][id] = {1, StartSquare(side, id), PieceKindOfId(id).code, 0};
        }
    }
}

// The unused middle row of the per-side flags is not part of the position:
// it is neither saved nor restored, so neither copied.
void Chessgame::SavePosition(PositionState& state) const {
    state.whitePieces = m_whitePieces;
    state.blackPieces = m_blackPieces;
    state.pieceSquare = m_pieceSquare;
    for (int side : {kBlack, kWhite}) {
        std::copy_n(m_hasMoved[SideIndex(side)], 3, state.hasMoved[SideIndex(side)]);
    }
    state.pieceId = m_pieceId;
    state.board = m_board;
    std::memcpy(state.pieces, m_pieces, sizeof m_pieces);
    std::copy_n(m_kingSquare, 3, state.kingSquare);
}

void Chessgame::RestorePosition(const PositionState& state) {
    m_whitePieces = state.whitePieces;
    m_blackPieces = state.blackPieces;
    m_pieceSquare = state.pieceSquare;
    for (int side : {kBlack, kWhite}) {
        std::copy_n(state.hasMoved[SideIndex(side)], 3, m_hasMoved[SideIndex(side)]);
    }
    m_pieceId = state.pieceId;
    m_board = state.board;
    std::memcpy(m_pieces, state.pieces, sizeof m_pieces);
    std::copy_n(state.kingSquare, 3, m_kingSquare);
}
