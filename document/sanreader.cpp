#include "document/sanreader.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "engine/piecetable.h"
#include "engine/squarenames.h"

namespace {

constexpr int kCheckOwnership = 1;
constexpr int kNoHint = -1;
constexpr int kDoublePawnStep = 2 * kRankSize;

constexpr char kNotAMove[] = "is not a move in SAN.";
constexpr char kNotLegal[] = "is not a legal move here.";
constexpr char kAmbiguous[] = "is ambiguous: more than one piece can make it.";
constexpr char kEnPassant[] = "is an en-passant capture, which Quillon does not play.";

std::string UnderPromotionRefusal(std::string_view piece) {
    return "is a promotion to a " + std::string(piece) + ", which Quillon does not play.";
}

// A kind a pawn can be promoted to.
bool IsPromotionKind(const PieceKind* kind) {
    return kind != nullptr && kind->value != kPawnValue && kind->value != kKingValue;
}

bool IsCastling(std::string_view san, std::string_view kingSide, std::string_view queenSide,
                bool& isKingSide) {
    isKingSide = san == kingSide;
    return isKingSide || san == queenSide;
}

}  // namespace

// What a SAN token asks for.
struct SanReader::Wanted {
    bool castling = false;
    bool kingSide = false;
    int16_t piece = kPawnValue;
    int fromFile = kNoHint;
    int fromRank = kNoHint;
    int to = kNoSquare;
    // The promotion piece's letter, 0 when none is named.
    char promotion = 0;
};

namespace {

// Strips the check marks and the promotion suffix ("=Q", or "Q" right
// after the last rank as some files write it).
std::string_view StripSuffixes(std::string_view san, char& promotion) {
    while (!san.empty() && (san.back() == '+' || san.back() == '#')) san.remove_suffix(1);
    if (san.size() >= 2 && san[san.size() - 2] == '=') {
        promotion = static_cast<char>(std::toupper(static_cast<unsigned char>(san.back())));
        san.remove_suffix(2);
    } else if (san.size() >= 3 && IsPromotionKind(PieceKindByLetter(san.back())) &&
               IsRankDigit(san[san.size() - 2])) {
        promotion = san.back();
        san.remove_suffix(1);
    }
    return san;
}

}  // namespace

SanReader::SanReader() = default;

std::optional<MoveEntry> SanReader::Play(const std::string& san) {
    Wanted wanted;
    if (!Parse(san, wanted)) {
        Refuse(kNotAMove);
        return std::nullopt;
    }
    const std::optional<MoveEntry> move = Find(wanted);
    if (!move) return std::nullopt;
    m_game.MakeMoveForSide(move->from, move->to, m_side, 0);
    m_side = -m_side;
    m_lastMove = move;
    return move;
}

std::optional<MoveEntry> SanReader::Find(const Wanted& wanted) {
    if (wanted.castling) return FindCastling(wanted.kingSide);
    std::optional<MoveEntry> found;
    int count = 0;
    for (int from = 0; from < kSquareCount; ++from) {
        const int16_t cell = m_game.m_board[from];
        if (cell * m_side <= 0 || std::abs(cell) != wanted.piece) continue;
        if (wanted.fromFile != kNoHint && FileOf(from) != wanted.fromFile) continue;
        if (wanted.fromRank != kNoHint && RankOf(from) != wanted.fromRank) continue;
        if (!m_game.IsMoveLegal(from, wanted.to, m_side, kCheckOwnership)) continue;
        found = MoveEntry{static_cast<int16_t>(from), static_cast<int16_t>(wanted.to)};
        ++count;
    }
    if (count == 0) {
        Refuse(IsEnPassant(wanted) ? kEnPassant : kNotLegal);
        return std::nullopt;
    }
    if (count > 1) {
        Refuse(kAmbiguous);
        return std::nullopt;
    }
    const int lastRankOfMover = m_side == kWhite ? kLastRank : 0;
    const bool promotes = wanted.piece == kPawnValue && RankOf(wanted.to) == lastRankOfMover;
    if (!promotes && wanted.promotion != 0) {
        Refuse(kNotLegal);
        return std::nullopt;
    }
    // No letter names no kind: a move that names no promotion finds none.
    const PieceKind* promotion = PieceKindByLetter(wanted.promotion);
    if (promotes && promotion != nullptr && promotion->value != kQueenValue) {
        Refuse(UnderPromotionRefusal(promotion->name));
        return std::nullopt;
    }
    return found;
}

// A pawn capturing onto the empty square that the opponent's pawn has just
// passed over in a double step.
bool SanReader::IsEnPassant(const Wanted& wanted) {
    if (wanted.piece != kPawnValue || wanted.fromFile == kNoHint || !m_lastMove) return false;
    const MoveEntry last = *m_lastMove;
    if (m_game.m_board[last.to] != -m_side * kPawnValue) return false;
    if (std::abs(last.to - last.from) != kDoublePawnStep) return false;
    if (wanted.to != (last.from + last.to) / 2 || m_game.m_board[wanted.to] != 0) return false;
    const int capturer = SquareAt(wanted.fromFile, RankOf(last.to));
    return std::abs(wanted.fromFile - FileOf(last.to)) == 1 &&
           m_game.m_board[capturer] == m_side * kPawnValue;
}

std::optional<MoveEntry> SanReader::FindCastling(bool kingSide) {
    const int from = m_game.m_kingSquare[SideIndex(m_side)];
    // The king goes two squares towards the rook: towards h1/h8, square 0/56.
    const int to = kingSide ? from - kCastlingDistance : from + kCastlingDistance;
    if (!m_game.IsMoveLegal(from, to, m_side, kCheckOwnership)) {
        Refuse(kNotLegal);
        return std::nullopt;
    }
    return MoveEntry{static_cast<int16_t>(from), static_cast<int16_t>(to)};
}

void SanReader::Refuse(const std::string& why) { m_refusal = why; }

bool SanReader::Parse(std::string_view san, Wanted& wanted) {
    san = StripSuffixes(san, wanted.promotion);
    // Only a piece a pawn can become.
    if (wanted.promotion != 0 && !IsPromotionKind(PieceKindByLetter(wanted.promotion))) {
        return false;
    }
    if (IsCastling(san, "O-O", "O-O-O", wanted.kingSide) ||
        IsCastling(san, "0-0", "0-0-0", wanted.kingSide)) {
        wanted.castling = true;
        return wanted.promotion == 0;
    }
    if (const PieceKind* kind = san.empty() ? nullptr : PieceKindByLetter(san.front())) {
        wanted.piece = kind->value;
        san.remove_prefix(1);
    }
    if (san.size() < 2 || !IsFileLetter(san[san.size() - 2]) || !IsRankDigit(san.back())) {
        return false;
    }
    wanted.to = ParseSquare(san.substr(san.size() - 2));
    san.remove_suffix(2);
    if (!san.empty() && (san.back() == 'x' || san.back() == ':')) san.remove_suffix(1);
    if (!san.empty() && IsRankDigit(san.back())) {
        wanted.fromRank = san.back() - '1';
        san.remove_suffix(1);
    }
    if (!san.empty() && IsFileLetter(san.back())) {
        wanted.fromFile = san.back() - 'a';
        san.remove_suffix(1);
    }
    return san.empty();
}
