// Whole games of the computer against itself, played through the document as
// the move worker plays them: one seeded computer player stands in for the
// human and enters its moves with MakeUserMove, the document's own computer
// answers with MakeNextMove. After every move the position must be
// consistent, equal to the stand-in's copy of it, to the reference rules and
// to what the document publishes for the window; the turn must pass; and the
// game may end only by mate, stalemate, the king-only draw or the move cap.
// Every finished game is saved, opened again in a fresh document and compared.
//
// QUILLON_SOAK_GAMES sets the number of games (a short run by default).
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "document/tesseldoc.h"
#include "tests/support/positioninvariants.h"
#include "tests/reliability/reference_board.h"

namespace {

using reference::Board;
using reference::Move;

constexpr int kDefaultGames = 24;
constexpr int kMoveCap = 300;  // plies; past this a game is called off
constexpr int kKingOnlyTurnsToDraw = 18;
constexpr unsigned kFirstSeed = 5003;
constexpr int kNoLastSquare = -1;

int GamesWanted() {
    const char* text = std::getenv("QUILLON_SOAK_GAMES");
    return text != nullptr ? std::max(1, std::atoi(text)) : kDefaultGames;
}

enum class Ending { kWhiteMates, kBlackMates, kStalemate, kKingOnlyDraw, kMoveCap };

const char* EndingName(Ending ending) {
    switch (ending) {
        case Ending::kWhiteMates:
            return "White mates";
        case Ending::kBlackMates:
            return "Black mates";
        case Ending::kStalemate:
            return "stalemate";
        case Ending::kKingOnlyDraw:
            return "king-only draw";
        case Ending::kMoveCap:
            return "move cap";
    }
    return "?";
}

// Every combination of depth, the document's skill, the side the computer
// plays and the stand-in's search kind comes round every sixteen games.
struct GameSettings {
    explicit GameSettings(int game)
        : depth(1 + game % 2),
          skill(game / 2 % 2 == 0 ? kSkillExpert : kSkillNovice),
          playMode(game / 4 % 2 == 0 ? kPlayWhite : kPlayBlack),
          standInKind(game / 8 % 2 == 0 ? kSearchKindExpert : kSearchKindNovice),
          computerSeed(kFirstSeed + 2 * game),
          standInSeed(kFirstSeed + 2 * game + 1) {}

    std::string Describe() const {
        std::ostringstream text;
        text << "depth " << depth << ", skill " << skill << ", mode " << playMode
             << ", stand-in kind " << standInKind << ", seeds " << computerSeed << "/"
             << standInSeed;
        return text.str();
    }

    int depth;
    int skill;
    int playMode;
    int standInKind;
    unsigned computerSeed;
    unsigned standInSeed;
};

struct GameResult {
    Ending ending = Ending::kMoveCap;
    int plies = 0;
    std::string fault;
};

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A 16-bit little-endian move count, then each move as two 16-bit squares.
std::vector<uint8_t> ExpectedFile(const std::vector<MoveEntry>& moves, int count) {
    std::vector<uint8_t> bytes;
    const auto put = [&bytes](int value) {
        bytes.push_back(static_cast<uint8_t>(value & 0xff));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
    };
    put(count);
    for (int i = 0; i < count; ++i) {
        put(moves[i].from);
        put(moves[i].to);
    }
    return bytes;
}

class SoakGame {
public:
    SoakGame(const GameSettings& settings, std::filesystem::path file)
        : m_settings(settings),
          m_file(std::move(file)),
          m_humanSide(settings.playMode == kPlayWhite ? kWhite : kBlack),
          m_standIn(settings.standInSeed),
          m_reference(Board::StartPosition()) {}

    GameResult Play() {
        GameResult result;
        result.fault = Run(result);
        result.plies = m_document.m_moveCount;
        if (result.fault.empty()) {
            result.fault = SaveAndReopen();
        }
        if (!result.fault.empty()) {
            result.fault = Describe(result.fault);
        }
        return result;
    }

private:
    std::string Run(GameResult& result) {
        g_searchDepth = m_settings.depth;
        m_document.m_playMode = kPlayWhite;
        m_document.m_skillLevel = m_settings.skill;
        if (!m_document.OnNewDocument()) {
            return "OnNewDocument failed";
        }
        // A seeded engine in place of the clock-seeded one, so that the game
        // can be played again.
        m_document.m_pEngine = std::make_unique<Intelligence>(m_settings.computerSeed);
        g_sideToMove = kWhite;
        m_document.m_playMode = m_settings.playMode;
        MoveEntry last{kNoLastSquare, kNoLastSquare};
        if (m_humanSide == kBlack) {
            m_document.m_fromSquare = kNoLastSquare;
            m_document.m_toSquare = kNoLastSquare;
            if (std::string fault = ComputerMove(last, result); !fault.empty() || m_over) {
                return fault;
            }
        }
        while (m_document.m_moveCount < kMoveCap) {
            if (std::string fault = StandInMove(last, result); !fault.empty() || m_over) {
                return fault;
            }
            if (std::string fault = ComputerMove(last, result); !fault.empty() || m_over) {
                return fault;
            }
        }
        result.ending = Ending::kMoveCap;
        return "";
    }

    std::string StandInMove(MoveEntry& last, GameResult& result) {
        const int side = g_sideToMove;
        if (side != m_humanSide) {
            return "the human's turn came with side " + std::to_string(side) + " to move";
        }
        const ScoredMove move =
            m_standIn.ThinkMove(-m_humanSide, last.from, last.to, m_settings.standInKind);
        g_sideToMove = static_cast<int16_t>(side);
        if (!IsMove(move)) {
            return "the stand-in found no move in a game that goes on";
        }
        m_document.m_fromSquare = static_cast<int16_t>(move.from);
        m_document.m_toSquare = static_cast<int16_t>(move.to);
        bool check = false;
        bool mate = false;
        if (!m_document.MakeUserMove(check, mate)) {
            return "MakeUserMove refused " + reference::MoveName({move.from, move.to});
        }
        return AfterMove(side, check, mate, result);
    }

    std::string ComputerMove(MoveEntry& last, GameResult& result) {
        const int side = g_sideToMove;
        if (side != -m_humanSide) {
            return "the computer's turn came with side " + std::to_string(side) + " to move";
        }
        bool check = false;
        bool mate = false;
        if (!m_document.MakeNextMove(check, mate)) {
            return "MakeNextMove made no move";
        }
        last = m_document.m_moves[m_document.m_moveCount - 1];
        m_standIn.MakeMoveForSide(last.from, last.to, side, 0);
        return AfterMove(side, check, mate, result);
    }

    // Checks the move just made by mover and decides whether the game is over.
    std::string AfterMove(int mover, bool check, bool mate, GameResult& result) {
        const MoveEntry& entry = m_document.m_moves[m_document.m_moveCount - 1];
        const Move move{entry.from, entry.to};
        if (static_cast<int>(m_played.size()) + 1 != m_document.m_moveCount) {
            return "the move count went from " + std::to_string(m_played.size()) + " to " +
                   std::to_string(m_document.m_moveCount);
        }
        if (!m_reference.IsLegal(move, mover)) {
            return "the rules do not allow " + reference::MoveName(move);
        }
        m_reference.Apply(move);
        m_played.push_back(move);
        if (g_sideToMove != -mover) {
            return "the turn did not pass after " + reference::MoveName(move);
        }
        if (std::string fault = ComparePositions(); !fault.empty()) {
            return fault;
        }
        return JudgeEnding(mover, check, mate, result);
    }

    std::string ComparePositions() const {
        const Chessgame& engine = *m_document.m_pEngine;
        if (const std::vector<std::string> faults = PositionFaults(engine); !faults.empty()) {
            return "inconsistent position:\n" + JoinFaults(faults);
        }
        if (std::string difference = PositionDifference(m_standIn, engine); !difference.empty()) {
            return "the document and the stand-in differ in the " + difference;
        }
        // What the window draws between moves.
        const PublishedPosition published = m_document.Published();
        if (published.board != engine.m_board || published.sideToMove != g_sideToMove) {
            return "the published position is not the one on the board";
        }
        for (int square = 0; square < kSquareCount; ++square) {
            const reference::Piece& piece = m_reference.At(square);
            if ((engine.m_board[square] == 0) != (piece.kind == reference::Kind::kNone) ||
                engine.m_board[square] * piece.side < 0) {
                return "the board differs from the rules' board on square " +
                       std::to_string(square);
            }
        }
        return "";
    }

    // The document's verdict must be the one the rules give: check when the
    // side to move is attacked, mate when it is in check without a move, a
    // draw on stalemate or on the 18th turn in a row on which the side to
    // move can move only its king.
    std::string JudgeEnding(int mover, bool check, bool mate, GameResult& result) {
        const int next = -mover;
        const std::vector<Move> replies = m_reference.LegalMoves(next);
        const bool inCheck = m_reference.InCheck(next);
        const bool mated = inCheck && replies.empty();
        if (check != inCheck) {
            return "the document says check " + std::to_string(check);
        }
        if (mate != mated || (m_document.m_matedSide != 0) != mated) {
            return "the document says mate " + std::to_string(mate) + ", mated side " +
                   std::to_string(m_document.m_matedSide);
        }
        if (mated) {
            if (m_document.m_matedSide != next) {
                return "the wrong side is mated";
            }
            result.ending = mover == kWhite ? Ending::kWhiteMates : Ending::kBlackMates;
            m_over = true;
            return "";
        }
        const bool stalemate = replies.empty();
        bool kingOnly = !replies.empty();
        for (const Move& reply : replies) {
            kingOnly = kingOnly && reply.from == m_reference.KingSquare(next);
        }
        int& run = m_kingOnlyRun[next + 1];
        run = kingOnly ? run + 1 : 0;
        const bool drawn = stalemate || run == kKingOnlyTurnsToDraw;
        if (m_document.m_drawn != drawn) {
            return "the document says drawn " + std::to_string(m_document.m_drawn) + " after " +
                   std::to_string(run) + " king-only turns, stalemate " + std::to_string(stalemate);
        }
        if (drawn) {
            result.ending = stalemate ? Ending::kStalemate : Ending::kKingOnlyDraw;
            m_over = true;
        }
        return "";
    }

    std::string SaveAndReopen() {
        const std::string path = m_file.string();
        if (const FileResult saved = m_document.OnSaveDocument(path); !saved.ok) {
            return "saving failed: " + saved.message;
        }
        if (FileBytes(m_file) != ExpectedFile(m_document.m_moves, m_document.m_moveCount)) {
            return "the saved file does not hold the count and the moves";
        }
        const int sideToMove = g_sideToMove;
        CTesselDoc reopened;
        reopened.m_playMode = kPlayHumanVsHuman;
        if (!reopened.OnNewDocument()) {
            return "OnNewDocument of the second document failed";
        }
        if (const FileResult opened = reopened.OnOpenDocument(path); !opened.ok) {
            return "opening the saved game failed: " + opened.message;
        }
        std::filesystem::remove(m_file);
        const int count = m_document.m_moveCount;
        if (reopened.m_moveCount != count ||
            !std::equal(m_document.m_moves.begin(), m_document.m_moves.begin() + count,
                        reopened.m_moves.begin())) {
            return "the reopened game has other moves";
        }
        if (std::string difference = PositionDifference(*m_document.m_pEngine, *reopened.m_pEngine);
            !difference.empty()) {
            return "the reopened game differs in the " + difference;
        }
        if (g_sideToMove != sideToMove || reopened.m_drawn != m_document.m_drawn ||
            reopened.m_matedSide != m_document.m_matedSide) {
            return "the reopened game has another side to move or result";
        }
        return "";
    }

    std::string Describe(const std::string& fault) const {
        std::ostringstream text;
        text << m_settings.Describe() << ": " << fault << "\nafter the moves";
        for (const Move& move : m_played) {
            text << ' ' << reference::MoveName(move);
        }
        text << "\n" << m_reference.Diagram();
        return text.str();
    }

    GameSettings m_settings;
    std::filesystem::path m_file;
    int m_humanSide;
    Intelligence m_standIn;
    CTesselDoc m_document;
    Board m_reference;
    std::vector<Move> m_played;
    std::array<int, 3> m_kingOnlyRun{};  // [side + 1]
    bool m_over = false;
};

class SoakDirectory {
public:
    SoakDirectory()
        : m_path(std::filesystem::temp_directory_path() /
                 ("quillon-soak-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~SoakDirectory() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

TEST(SelfPlaySoak, GamesEndProperlyAndSurviveSavingAndOpening) {
    const int games = GamesWanted();
    const SoakDirectory directory;
    const auto start = std::chrono::steady_clock::now();
    std::map<Ending, int> endings;
    long plies = 0;
    for (int game = 0; game < games; ++game) {
        SoakGame soak(GameSettings(game),
                      directory.Path() / ("game" + std::to_string(game) + ".qln"));
        const GameResult result = soak.Play();
        if (!result.fault.empty()) {
            ADD_FAILURE() << "game " << game << ", " << result.fault;
            continue;
        }
        ++endings[result.ending];
        plies += result.plies;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << "soak: " << games << " games, " << plies << " moves, " << elapsed.count() << " s;";
    for (const auto& [ending, count] : endings) {
        std::cout << ' ' << EndingName(ending) << ' ' << count << ';';
    }
    std::cout << '\n';
}

}  // namespace
