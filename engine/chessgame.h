#pragma once

#include <array>
#include <cstdint>

#include "engine/movetables.h"
#include "engine/runtimeclass.h"

constexpr int kSquareCount = 64;
constexpr int kNoSquare = -1;
constexpr int kRankSize = 8;

// Sides are +1 (White) and -1 (Black); per-side arrays are indexed side + 1.
constexpr int kWhite = 1;
constexpr int kBlack = -1;
constexpr int SideIndex(int side) { return side + 1; }

// Signed board cell values: positive White, negative Black.
constexpr int16_t kPawnValue = 200;
constexpr int16_t kKnightValue = 600;
constexpr int16_t kBishopValue = 650;
constexpr int16_t kRookValue = 1000;
constexpr int16_t kQueenValue = 1800;
constexpr int16_t kKingValue = 20000;

// Piece kind codes of the piece records.
constexpr int32_t kPawnKind = 2;
constexpr int32_t kKnightKind = 5;
constexpr int32_t kBishopKind = 6;
constexpr int32_t kRookKind = 10;
constexpr int32_t kQueenKind = 18;
constexpr int32_t kKingKind = 400;

// Piece ids, fixed for the game by the starting square.
constexpr int kPieceCount = 16;
constexpr int kFirstPawnId = 0;  // ids 0..7: pawns h to a
constexpr int kLastPawnId = 7;
constexpr int kKingId = 8;
constexpr int kQueenId = 9;
constexpr int kHRookId = 10;
constexpr int kARookId = 11;
constexpr int kGKnightId = 12;
constexpr int kBKnightId = 13;
constexpr int kFBishopId = 14;
constexpr int kCBishopId = 15;
constexpr int kNoPiece = -1;
// m_pieceSquare holds White's pieces at their id, Black's at 16 + id.
constexpr int PieceSquareIndex(int side, int id) { return side == kWhite ? id : kPieceCount + id; }

// Castling squares: the rook corners and the rooks' targets.
constexpr int kWhiteKingSideCorner = 0;    // h1
constexpr int kWhiteQueenSideCorner = 7;   // a1
constexpr int kBlackKingSideCorner = 56;   // h8
constexpr int kBlackQueenSideCorner = 63;  // a8
constexpr int kKingSideRookStep = 2;       // h1 -> f1, h8 -> f8
constexpr int kQueenSideRookStep = -3;     // a1 -> d1, a8 -> d8
constexpr int kCastlingDistance = 2;
// The kings' home squares, e1 and e8.
constexpr int KingHome(int side) { return side == kWhite ? 3 : 59; }
constexpr int RookCorner(int side, bool kingSide) {
    if (side == kWhite) return kingSide ? kWhiteKingSideCorner : kWhiteQueenSideCorner;
    return kingSide ? kBlackKingSideCorner : kBlackQueenSideCorner;
}

// ScanLine modes: are the squares between empty; the opposing piece behind.
constexpr int kScanLineEmpty = 1;
constexpr int kScanLineXRay = 2;

// HasLegalMove answers.
constexpr int16_t kNoLegalMove = 0;
constexpr int16_t kPieceCanMove = 1;
constexpr int16_t kOnlyKingCanMove = 2;

// m_hasMoved[side + 1][k]
constexpr int kHRookMoved = 0;
constexpr int kARookMoved = 1;
constexpr int kKingMoved = 2;

struct PieceRecord {
    int32_t onBoard;
    int32_t square;
    int32_t kind;
    int32_t reserved;

    bool operator==(const PieceRecord&) const = default;
};

// The side whose turn it is, shared by the whole process.
extern int16_t g_sideToMove;

// The members that make up a position, so that a caller can save and restore
// one without copying a whole object.
struct PositionState {
    SquareSet whitePieces;
    SquareSet blackPieces;
    std::array<SquareSet, 32> pieceSquare;
    uint8_t hasMoved[3][3]{};  // the middle row stays 0
    std::array<int16_t, kSquareCount> pieceId;
    std::array<int16_t, kSquareCount> board;
    PieceRecord pieces[3][kPieceCount];
    int32_t kingSquare[3];

    bool operator==(const PositionState&) const = default;
};

class Chessgame : public CObject {
public:
    Chessgame();
    Chessgame(const Chessgame& other);
    Chessgame& operator=(const Chessgame& other);
    ~Chessgame() override = default;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass* GetRuntimeClass() const override;

    void InitMoveTables();
    void InitPieceRecords();

    // Move validation and attack detection.
    bool IsMoveLegal(int from, int to, int side, int checkOwnership);
    bool IsPawnMoveValid(int from, int to, int side);
    bool IsKnightMoveValid(int from, int to, int side);
    bool IsBishopMoveValid(int from, int to, int side);
    bool IsRookMoveValid(int from, int to, int side);
    bool IsQueenMoveValid(int from, int to, int side);
    bool IsKingMoveValid(int from, int to, int side);
    int ScanLine(int a, int b, int side, int mode);
    // Whether side still has the right to castle on the wing: its king and
    // that rook stand where they started and have never moved. Only a king
    // on its home square castles: from elsewhere the two-square step would
    // land the king on its rook's target square. No move gives a lost right
    // back.
    bool HasCastlingRight(int side, bool kingSide) const {
        const int row = SideIndex(side);
        return m_kingSquare[row] == KingHome(side) &&
               m_pieces[row][kingSide ? kHRookId : kARookId].onBoard &&
               !m_hasMoved[row][kKingMoved] &&
               !m_hasMoved[row][kingSide ? kHRookMoved : kARookMoved];
    }
    // In line up to the attack tests: the computer's score asks it for
    // every trial move, and most answers are settled before them.
    bool CanCastle(int from, int to, int side) {
        const int king = m_kingSquare[SideIndex(side)];
        const bool kingSide = to < from;
        const int corner = RookCorner(side, kingSide);
        return HasCastlingRight(side, kingSide) && IsLineClear(king, corner, side) &&
               IsCastlingPathSafe(king, corner, side);
    }
    bool IsKingAttacked(int from, int to, int side);
    bool IsMoveSafe(int from, int to, int side);

    // The step along the rank, file or diagonal shared by two squares, or 0.
    static int LineStep(int a, int b);

    // Making moves; both return the captured piece's signed value.
    int MakeMove(int from, int to, int switchSide);
    int MakeMoveForSide(int from, int to, int side, int switchSide);

    // Check, checkmate and stalemate.
    int16_t HasLegalMove();
    bool FindCheck(int from, int to, int& checker, int& count, int& step);
    bool IsCheckmate(int checker, int count, int step, int noBlock);

    void SavePosition(PositionState& state) const;
    void RestorePosition(const PositionState& state);

    // Move tables: the same for every position and never changed, so they
    // are built once, at compile time, and shared.
    static constexpr SquareSetTable m_whitePawnMoves = movetables::WhitePawnMoves();
    static constexpr SquareSetTable m_blackPawnMoves = movetables::BlackPawnMoves();
    static constexpr SquareSetTable m_rookMoves = movetables::RookMoves();
    static constexpr SquareSetTable m_knightMoves = movetables::KnightMoves();
    static constexpr SquareSetTable m_bishopMoves = movetables::BishopMoves();
    static constexpr SquareSetTable m_queenMoves = movetables::QueenMoves();
    static constexpr SquareSetTable m_kingMoves = movetables::KingMoves();

    SquareSet m_whitePieces;
    SquareSet m_blackPieces;
    std::array<SquareSet, 32> m_pieceSquare;
    uint8_t m_hasMoved[3][3];
    std::array<int16_t, kSquareCount> m_pieceId;
    std::array<int16_t, kSquareCount> m_board;
    PieceRecord m_pieces[3][kPieceCount];
    int32_t m_kingSquare[3];

    // The squares holding a piece of either side: the union of the two
    // occupancy sets, which every make and take-back keeps in step with m_board.
    uint64_t Occupied() const { return (m_whitePieces | m_blackPieces).to_ullong(); }

protected:
    // IsMoveLegal's piece rule for a move whose squares are on the board,
    // without the ownership and king safety tests.
    bool MeetsPieceRule(int from, int to, int side);

    // ScanLine's empty-path answer for two squares that a move table puts on
    // a common line, read from the squares between them instead of walked.
    bool IsLineClear(int a, int b, int side) const {
        if (side == 0) return true;  // every square counts as empty then
        return (kBetween[a][b] & Occupied()) == 0;
    }
    // ScanLine's x-ray answer for a slider on a whose line set holds b.
    int PieceBeyond(int a, int b) const;
    // The first piece of either side beyond b on the line from a through b,
    // with nothing between a and b, or kNoSquare.
    int FirstPieceBeyond(int a, int b) const;
    // Whether the occupancy sets name exactly the squares m_board fills with
    // each side's pieces; asserted after every make and take-back.
    bool OccupancyMatchesBoard() const;

    // MakeMoveForSide for a move that is not castling, to an empty square or
    // onto an opponent's piece: the search makes many of them.
    int MakePlainMove(int from, int to, int side);
    // MakePlainMove for a capture of the exchange evaluation, which reads
    // neither the castling flags nor the per-piece square sets: those are
    // left as they were, so the capture's take-back need not restore them.
    int MakeExchangeCapture(int from, int to, int side);

    // Every square some piece could reach from a square in one move: the
    // queen's lines and the knight's jumps.
    static constexpr SquareSetTable kAnyPieceMoves = movetables::AnyPieceMoves();

private:
    static constexpr movetables::BetweenTable kBetween = movetables::Between();
    static constexpr movetables::BetweenTable kBeyond = movetables::Beyond();

    // The body of every move made: MakeMove and MakeMoveForSide.
    int ApplyMove(int from, int to, int side);
    int CastlingRookCorner(int from, int to, int side) const;
    template <bool kAllRecords>
    int MakeNonCastlingMove(int from, int to, int side);
    template <bool kAllRecords>
    void MoveMoverRecords(int from, int to, int side);
    template <bool kAllRecords>
    void RemoveVictimRecords(int to, int side);

    // Squares of the opponent's pieces attacking the king of side, by attack
    // geometry on the board cells; only the first one found when firstOnly is set.
    SquareSet KingAttackers(int side, bool firstOnly) const;
    // The same for a king on the given square among the given occupancy and
    // opponent's pieces, whose kinds are read from m_board.
    SquareSet AttackersOf(int king, int side, uint64_t occupied, uint64_t opponents,
                          bool firstOnly) const;
    bool IsOwnMoveSafe(int from, int to, int side) const;
    // CanCastle's attack tests: the king stands, passes and lands unattacked.
    bool IsCastlingPathSafe(int king, int corner, int side);
    bool IsMoveSafeInPlace(int from, int to, int side);
};
