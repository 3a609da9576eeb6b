#include "tests/support/positioninvariants.h"

#include <cstdlib>
#include <sstream>

namespace {

constexpr int kSides[] = {kWhite, kBlack};

// The board value and the record kind a piece id may have. Pawns may have been
// promoted to queens.
bool IdMatchesPiece(int id, int magnitude, int32_t kind) {
    if (id >= kFirstPawnId && id <= kLastPawnId) {
        return (magnitude == kPawnValue && kind == kPawnKind) ||
               (magnitude == kQueenValue && kind == kQueenKind);
    }
    switch (id) {
        case kKingId:
            return magnitude == kKingValue && kind == kKingKind;
        case kQueenId:
            return magnitude == kQueenValue && kind == kQueenKind;
        case kHRookId:
        case kARookId:
            return magnitude == kRookValue && kind == kRookKind;
        case kGKnightId:
        case kBKnightId:
            return magnitude == kKnightValue && kind == kKnightKind;
        case kFBishopId:
        case kCBishopId:
            return magnitude == kBishopValue && kind == kBishopKind;
        default:
            return false;
    }
}

bool IsPieceValue(int magnitude) {
    for (int value :
         {kPawnValue, kKnightValue, kBishopValue, kRookValue, kQueenValue, kKingValue}) {
        if (magnitude == value) return true;
    }
    return false;
}

class FaultList {
public:
    template <typename... Parts>
    void Add(const Parts&... parts) {
        std::ostringstream text;
        (text << ... << parts);
        m_faults.push_back(text.str());
    }
    std::vector<std::string> Take() { return std::move(m_faults); }

private:
    std::vector<std::string> m_faults;
};

void CheckSquare(const Chessgame& game, int square, FaultList& faults) {
    const int value = game.m_board[square];
    const bool white = game.m_whitePieces.test(square);
    const bool black = game.m_blackPieces.test(square);
    const int id = game.m_pieceId[square];
    if (value == 0) {
        if (white || black) faults.Add("empty square ", square, " is in an occupancy set");
        if (id != kNoPiece) faults.Add("empty square ", square, " has piece id ", id);
        return;
    }
    const int side = value > 0 ? kWhite : kBlack;
    if (!IsPieceValue(std::abs(value))) faults.Add("square ", square, " holds value ", value);
    if (white != (side == kWhite) || black != (side == kBlack)) {
        faults.Add("square ", square, " with value ", value, " is in the wrong occupancy set");
    }
    if (id < 0 || id >= kPieceCount) {
        faults.Add("occupied square ", square, " has piece id ", id);
        return;
    }
    const PieceRecord& record = game.m_pieces[SideIndex(side)][id];
    if (record.onBoard != 1 || record.square != square) {
        faults.Add("record of side ", side, " id ", id, " says onBoard ", record.onBoard,
                   " square ", record.square, ", but the piece stands on ", square);
    }
    if (!IdMatchesPiece(id, std::abs(value), record.kind)) {
        faults.Add("square ", square, ": id ", id, " value ", value, " kind ", record.kind,
                   " do not agree");
    }
    SquareSet only;
    only.set(square);
    if (game.m_pieceSquare[PieceSquareIndex(side, id)] != only) {
        faults.Add("piece set of side ", side, " id ", id, " is not {", square, "}");
    }
}

void CheckRecords(const Chessgame& game, int side, FaultList& faults) {
    for (int id = 0; id < kPieceCount; ++id) {
        const PieceRecord& record = game.m_pieces[SideIndex(side)][id];
        const SquareSet& pieceSet = game.m_pieceSquare[PieceSquareIndex(side, id)];
        if (record.reserved != 0) faults.Add("record of side ", side, " id ", id, " reserved word");
        if (record.onBoard == 0) {
            if (pieceSet.any()) faults.Add("captured piece ", side, "/", id, " has a piece set");
            continue;
        }
        if (record.onBoard != 1 || record.square < 0 || record.square >= kSquareCount) {
            faults.Add("record of side ", side, " id ", id, " is ", record.onBoard, "/",
                       record.square);
            continue;
        }
        const int value = game.m_board[record.square];
        if (value * side <= 0 || game.m_pieceId[record.square] != id) {
            faults.Add("piece ", side, "/", id, " is recorded on ", record.square,
                       " but is not there");
        }
    }
    const int king = game.m_kingSquare[SideIndex(side)];
    if (king < 0 || king >= kSquareCount || game.m_board[king] != side * kKingValue) {
        faults.Add("king square of side ", side, " is ", king, " which does not hold its king");
    }
    if (game.m_pieces[SideIndex(side)][kKingId].onBoard != 1) {
        faults.Add("king of side ", side, " is off the board");
    }
    for (int flag = 0; flag < 3; ++flag) {
        if (game.m_hasMoved[SideIndex(side)][flag] > 1) {
            faults.Add("moved flag ", flag, " of side ", side, " is not 0 or 1");
        }
    }
}

void CheckCounts(const Chessgame& game, FaultList& faults) {
    if ((game.m_whitePieces & game.m_blackPieces).any()) {
        faults.Add("a square is in both occupancy sets");
    }
    for (int side : kSides) {
        size_t onBoard = 0;
        for (const PieceRecord& record : game.m_pieces[SideIndex(side)]) {
            onBoard += record.onBoard == 1 ? 1 : 0;
        }
        const SquareSet& own = side == kWhite ? game.m_whitePieces : game.m_blackPieces;
        if (own.count() != onBoard) {
            faults.Add("side ", side, " has ", own.count(), " occupied squares but ", onBoard,
                       " pieces on the board");
        }
    }
}

}  // namespace

std::vector<std::string> PositionFaults(const Chessgame& game) {
    FaultList faults;
    for (int square = 0; square < kSquareCount; ++square) {
        CheckSquare(game, square, faults);
    }
    for (int side : kSides) {
        CheckRecords(game, side, faults);
    }
    CheckCounts(game, faults);
    return faults.Take();
}

std::string PositionDifference(const Chessgame& expected, const Chessgame& actual) {
    if (expected.m_board != actual.m_board) return "board cells";
    if (expected.m_pieceId != actual.m_pieceId) return "piece ids";
    if (expected.m_whitePieces != actual.m_whitePieces) return "White occupancy";
    if (expected.m_blackPieces != actual.m_blackPieces) return "Black occupancy";
    if (expected.m_pieceSquare != actual.m_pieceSquare) return "piece sets";
    for (int side : kSides) {
        const int row = SideIndex(side);
        if (expected.m_kingSquare[row] != actual.m_kingSquare[row]) return "king squares";
        for (int flag = 0; flag < 3; ++flag) {
            if (expected.m_hasMoved[row][flag] != actual.m_hasMoved[row][flag]) {
                return "moved flags";
            }
        }
        for (int id = 0; id < kPieceCount; ++id) {
            const PieceRecord& a = expected.m_pieces[row][id];
            const PieceRecord& b = actual.m_pieces[row][id];
            if (a.onBoard != b.onBoard || a.square != b.square || a.kind != b.kind ||
                a.reserved != b.reserved) {
                return "piece records";
            }
        }
    }
    return "";
}

std::string JoinFaults(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& fault : faults) {
        text += fault + "\n";
    }
    return text;
}
