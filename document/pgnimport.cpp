#include "document/pgnimport.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "document/clockcomment.h"
#include "document/pgnparser.h"
#include "document/sanreader.h"
#include "document/tesseldoc.h"

namespace {

constexpr char kTooLarge[] = "The file is larger than 10 MB.";
constexpr char kNoGame[] = "The file holds no game.";
constexpr char kSetUpPosition[] =
    "The game starts from a set-up position (FEN tag), which Quillon does not play.";
constexpr char kStartingFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
constexpr char kPgnExtension[] = ".pgn";

constexpr std::size_t kByteOrderMarkLength = 3;
// How many of a game's first moves the list of games shows: enough to tell
// apart the lines of an opening book.
constexpr std::size_t kSummaryPlies = 12;
constexpr uint8_t kFirstNonAscii = 0x80;

bool HasByteOrderMark(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= kByteOrderMarkLength && bytes[0] == 0xEF && bytes[1] == 0xBB &&
           bytes[2] == 0xBF;
}

// Text holds no control characters but the whitespace ones.
bool IsBinaryByte(uint8_t byte) {
    return byte < ' ' && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\v' &&
           byte != '\f';
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A FEN tag naming the usual starting position sets nothing up.
bool StartsFromSetUpPosition(const PgnGame& game) {
    const std::string fen = game.Tag("FEN");
    if (fen.empty()) return game.Tag("SetUp") == "1";
    return !fen.starts_with(kStartingFen);
}

// The opening named as precisely as the tags allow, "Sicilian, Najdorf".
std::string OpeningName(const PgnGame& game) {
    std::string name;
    for (const char* tag : {"Opening", "Variation", "SubVariation"}) {
        const std::string part = game.Tag(tag);
        if (part.empty()) continue;
        if (!name.empty()) name += ", ";
        name += part;
    }
    return name;
}

std::string FirstMoves(const PgnGame& game) {
    std::string text;
    const std::size_t shown = std::min(game.moves.size(), kSummaryPlies);
    for (std::size_t ply = 0; ply < shown; ++ply) {
        if (ply > 0) text += ' ';
        if (ply % 2 == 0) text += std::to_string(ply / 2 + 1) + ". ";
        text += game.moves[ply].text;
    }
    if (game.moves.size() > shown) text += " ...";
    return text;
}

std::vector<PgnGameSummary> Summaries(const std::vector<PgnGame>& games) {
    std::vector<PgnGameSummary> summaries;
    summaries.reserve(games.size());
    for (const PgnGame& game : games) {
        summaries.push_back({game.Tag("White"), game.Tag("Black"), game.result, game.Tag("Event"),
                             game.Tag("ECO"), OpeningName(game), FirstMoves(game)});
    }
    return summaries;
}

// "Move 23 (exd6)" for White's move, "Move 23 (...exd6)" for Black's.
std::string MoveLabel(std::size_t ply, const std::string& san) {
    const std::string number = std::to_string(ply / 2 + 1);
    return "Move " + number + (ply % 2 == 0 ? " (" : " (...") + san + ")";
}

PgnImport ReadMoves(const PgnGame& game) {
    PgnImport import;
    if (StartsFromSetUpPosition(game)) {
        import.error = kSetUpPosition;
        return import;
    }
    import.timeControl = game.Tag("TimeControl");
    SanReader reader;
    for (std::size_t ply = 0; ply < game.moves.size(); ++ply) {
        const std::string& san = game.moves[ply].text;
        if (ply >= static_cast<std::size_t>(kMaxMoves)) {
            import.error = MoveLabel(ply, san) + " is beyond the longest game Quillon keeps.";
            return import;
        }
        const std::optional<MoveEntry> move = reader.Play(san);
        if (!move) {
            import.error = MoveLabel(ply, san) + " " + reader.Refusal();
            return import;
        }
        import.moves.push_back(*move);
        import.clocksMs.push_back(ParseClockComment(game.moves[ply].comment));
    }
    return import;
}

}  // namespace

bool IsPgnText(const std::vector<uint8_t>& bytes, const std::string& path) {
    if (bytes.empty()) {
        return Lower(std::filesystem::path(path).extension().string()) == kPgnExtension;
    }
    if (std::any_of(bytes.begin(), bytes.end(), IsBinaryByte)) return false;
    // Every PGN file begins, after its byte order mark, with plain ASCII:
    // a tag, a comment, a move number or a move.
    const std::size_t start = HasByteOrderMark(bytes) ? kByteOrderMarkLength : 0;
    return start == bytes.size() || bytes[start] < kFirstNonAscii;
}

PgnImport ImportPgn(std::string_view text, const PgnGameChooser& choose) {
    PgnImport import;
    if (text.size() > kMaxPgnFileBytes) {
        import.error = kTooLarge;
        return import;
    }
    std::vector<PgnGame> games;
    PgnParser parser(text);
    if (!parser.Parse(games)) {
        import.error = parser.Error();
        return import;
    }
    if (games.empty()) {
        import.error = kNoGame;
        return import;
    }
    std::size_t chosen = 0;
    if (choose) {
        const std::optional<std::size_t> picked = choose(Summaries(games));
        if (!picked) {
            import.cancelled = true;
            return import;
        }
        chosen = *picked;
    }
    if (chosen >= games.size()) {
        import.error = "There is no game " + std::to_string(chosen + 1) + ": the file holds " +
                       std::to_string(games.size()) + ".";
        return import;
    }
    return ReadMoves(games[chosen]);
}
