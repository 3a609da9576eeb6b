// Random games played on the engine and on the reference rules side by side.
// In every position each of the 64 x 64 square pairs must get the same answer
// from IsMoveLegal as from the reference, and after every move the engine's
// check, mate and draw decisions, taken in the order the document takes them,
// must be the ones the rules call for. A second run holds the computer
// player's destination lists against the same reference.
// QUILLON_RULES_POSITIONS sets how many positions each run compares.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "computer/intelligence.h"
#include "tests/reliability/reference_board.h"
#include "tests/support/positioninvariants.h"

namespace {

using reference::Board;
using reference::Kind;
using reference::Move;

constexpr long kDefaultPositions = 50000;
constexpr int kLongestGame = 400;  // plies
constexpr unsigned kFirstSeed = 7001;
constexpr size_t kMostFaultsReported = 5;
constexpr int kCastlingFileShift = 2;

long PositionsWanted() {
    const char* text = std::getenv("QUILLON_RULES_POSITIONS");
    return text != nullptr ? std::max(1L, std::atol(text)) : kDefaultPositions;
}

// What the games covered.
struct Tally {
    long positions = 0;
    long games = 0;
    long checks = 0;
    long mates = 0;
    long stalemates = 0;
    long kingOnlyTurns = 0;
    long castlings = 0;
    long promotions = 0;
};

int16_t CellValue(const reference::Piece& piece) {
    static constexpr int16_t kValues[] = {0,          kPawnValue,  kKnightValue, kBishopValue,
                                          kRookValue, kQueenValue, kKingValue};
    return static_cast<int16_t>(piece.side * kValues[static_cast<int>(piece.kind)]);
}

// HasLegalMove's code for the reference's moves: 0 none, 1 a piece other than
// the king can move, 2 only the king can.
int16_t MoveClass(const Board& board, const std::vector<Move>& legal) {
    if (legal.empty()) {
        return 0;
    }
    for (const Move& move : legal) {
        if (board.At(move.from).kind != Kind::kKing) {
            return 1;
        }
    }
    return 2;
}

// What is compared with the reference in each position: the rules engine's
// answers, or the destinations the computer player lists for its pieces.
enum class Focus { kRules, kComputerDestinations };

// One game of random play on the engine and on the reference side by side.
class SideBySideGame {
public:
    SideBySideGame(unsigned seed, Focus focus)
        : m_engine(seed), m_reference(Board::StartPosition()), m_random(seed), m_focus(focus) {
        g_sideToMove = kWhite;
    }

    // Plays up to maxPlies moves or until the game ends; returns the first
    // disagreement, or an empty string.
    std::string Play(int maxPlies, long positionBudget, Tally& tally) {
        for (int ply = 0; ply < maxPlies && positionBudget-- > 0; ++ply) {
            const int side = g_sideToMove;
            const std::vector<Move> legal = m_reference.LegalMoves(side);
            ++tally.positions;
            if (std::string fault = ComparePosition(); !fault.empty()) {
                return fault;
            }
            if (std::string fault = m_focus == Focus::kRules ? CompareLegalMoves(side, legal)
                                                             : CompareDestinations(side, legal);
                !fault.empty()) {
                return fault;
            }
            if (legal.empty()) {
                break;
            }
            const Move move = Choose(legal);
            CountKind(move, tally);
            m_engine.MakeMoveForSide(move.from, move.to, side, 1);
            m_reference.Apply(move);
            m_played.push_back(move);
            if (m_focus == Focus::kRules) {
                if (std::string fault = CompareAfterMoveTests(move, side, tally); !fault.empty()) {
                    return fault;
                }
            }
            g_sideToMove = static_cast<int16_t>(-side);
        }
        return "";
    }

private:
    // The same pieces on the same squares, and the engine's members consistent.
    std::string ComparePosition() const {
        for (int square = 0; square < kSquareCount; ++square) {
            if (m_engine.m_board[square] != CellValue(m_reference.At(square))) {
                return Describe("the engine has " + std::to_string(m_engine.m_board[square]) +
                                " on square " + std::to_string(square));
            }
        }
        if (const std::vector<std::string> faults = PositionFaults(m_engine); !faults.empty()) {
            return Describe("inconsistent position:\n" + JoinFaults(faults));
        }
        return "";
    }

    std::string CompareLegalMoves(int side, const std::vector<Move>& legal) {
        std::bitset<kSquareCount * kSquareCount> expected;
        for (const Move& move : legal) {
            expected.set(move.from * kSquareCount + move.to);
        }
        const Chessgame before(m_engine);
        for (int from = 0; from < kSquareCount; ++from) {
            for (int to = 0; to < kSquareCount; ++to) {
                const bool engine = m_engine.IsMoveLegal(from, to, side, 1);
                if (engine != expected.test(from * kSquareCount + to)) {
                    return Describe("IsMoveLegal " + reference::MoveName({from, to}) +
                                    " for side " + std::to_string(side) + " says " +
                                    (engine ? "yes" : "no"));
                }
            }
        }
        if (std::string changed = PositionDifference(before, m_engine); !changed.empty()) {
            return Describe("IsMoveLegal changed the " + changed);
        }
        return "";
    }

    // The search and the opening phase play what GenerateDestinations lists
    // without asking IsMoveLegal again, so every square listed must be legal.
    std::string CompareDestinations(int side, const std::vector<Move>& legal) {
        DestinationList destinations;
        for (int from = 0; from < kSquareCount; ++from) {
            if (m_reference.At(from).side != side) {
                continue;
            }
            m_engine.GenerateDestinations(from, side, destinations);
            for (int to : destinations) {
                if (std::find(legal.begin(), legal.end(), Move{from, to}) == legal.end()) {
                    return Describe("GenerateDestinations lists " +
                                    reference::MoveName({from, to}) + " for side " +
                                    std::to_string(side));
                }
            }
        }
        return "";
    }

    // A sliding checker's step is the step along its line to the king, which
    // a block of the check walks.
    bool StepFollowsLine(int checker, int step, int kingSide) const {
        const int magnitude = std::abs(m_engine.m_board[checker]);
        if (magnitude != kBishopValue && magnitude != kRookValue && magnitude != kQueenValue) {
            return true;
        }
        return step == Chessgame::LineStep(checker, m_engine.m_kingSquare[SideIndex(kingSide)]);
    }

    // The document's calling order: FindCheck for the mover, IsCheckmate for
    // the side in check, HasLegalMove for the side to move next.
    std::string CompareAfterMoveTests(const Move& move, int mover, Tally& tally) {
        g_sideToMove = static_cast<int16_t>(mover);
        int checker = kNoSquare;
        int count = 0;
        int step = 0;
        const bool check = m_engine.FindCheck(move.from, move.to, checker, count, step);
        const std::vector<int> checkers =
            m_reference.Attackers(m_reference.KingSquare(-mover), mover);
        if (check != !checkers.empty()) {
            return Describe(std::string("FindCheck says ") + (check ? "check" : "no check"));
        }
        const bool namesChecker =
            std::find(checkers.begin(), checkers.end(), checker) != checkers.end();
        if (check && (!namesChecker || count != static_cast<int>(checkers.size()))) {
            return Describe("FindCheck names checker " + std::to_string(checker) + " of " +
                            std::to_string(count));
        }
        if (check && !StepFollowsLine(checker, step, -mover)) {
            return Describe("FindCheck gives step " + std::to_string(step));
        }
        const std::vector<Move> replies = m_reference.LegalMoves(-mover);
        bool mate = false;
        if (check) {
            g_sideToMove = static_cast<int16_t>(-mover);
            const int magnitude = std::abs(m_engine.m_board[move.to]);
            const bool noBlock = magnitude == kPawnValue || magnitude == kKnightValue;
            mate = m_engine.IsCheckmate(checker, count, step, noBlock ? 1 : 0);
            if (mate != replies.empty()) {
                return Describe(std::string("IsCheckmate says ") + (mate ? "mate" : "no mate"));
            }
        }
        g_sideToMove = static_cast<int16_t>(-mover);
        tally.checks += check ? 1 : 0;
        tally.mates += mate ? 1 : 0;
        if (!mate) {
            const int16_t moves = m_engine.HasLegalMove();
            if (moves != MoveClass(m_reference, replies)) {
                return Describe("HasLegalMove says " + std::to_string(moves));
            }
            tally.stalemates += moves == 0 ? 1 : 0;
            tally.kingOnlyTurns += moves == 2 ? 1 : 0;
        }
        return "";
    }

    // Castling, rare in random play, is taken half of the times it is
    // allowed, and captures are preferred half of the time, so that games
    // thin out into endings with promotions, mates and lone kings.
    Move Choose(const std::vector<Move>& legal) {
        std::vector<Move> castlings;
        std::vector<Move> captures;
        for (const Move& move : legal) {
            if (IsCastling(move)) {
                castlings.push_back(move);
            } else if (m_reference.At(move.to).kind != Kind::kNone) {
                captures.push_back(move);
            }
        }
        std::bernoulli_distribution half(0.5);
        if (!castlings.empty() && half(m_random)) {
            return PickOne(castlings);
        }
        return PickOne(!captures.empty() && half(m_random) ? captures : legal);
    }

    Move PickOne(const std::vector<Move>& moves) {
        return moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(m_random)];
    }

    bool IsCastling(const Move& move) const {
        const int fileShift = std::abs(reference::FileOf(move.to) - reference::FileOf(move.from));
        return m_reference.At(move.from).kind == Kind::kKing && fileShift == kCastlingFileShift;
    }

    void CountKind(const Move& move, Tally& tally) const {
        const reference::Piece& piece = m_reference.At(move.from);
        tally.castlings += IsCastling(move) ? 1 : 0;
        const int lastRank = piece.side == kWhite ? 7 : 0;
        tally.promotions +=
            piece.kind == Kind::kPawn && reference::RankOf(move.to) == lastRank ? 1 : 0;
    }

    std::string Describe(const std::string& what) const {
        std::ostringstream text;
        text << what << "\nafter the moves";
        for (const Move& move : m_played) {
            text << ' ' << reference::MoveName(move);
        }
        text << "\n" << m_reference.Diagram();
        return text.str();
    }

    Intelligence m_engine;
    Board m_reference;
    std::vector<Move> m_played;
    std::mt19937 m_random;
    Focus m_focus;
};

void PrintTally(Focus focus, const Tally& tally, double seconds) {
    std::cout << (focus == Focus::kRules ? "rules check: " : "destinations check: ")
              << tally.positions << " positions in " << tally.games << " games, " << seconds
              << " s; played " << tally.castlings << " castlings, " << tally.promotions
              << " promotions";
    if (focus == Focus::kRules) {
        std::cout << "; engine reported " << tally.checks << " checks, " << tally.mates
                  << " mates, " << tally.stalemates << " stalemates, " << tally.kingOnlyTurns
                  << " king-only turns";
    }
    std::cout << '\n';
}

// Plays random games until wanted positions have been compared; returns the
// disagreements found, at most a few.
std::vector<std::string> PlayRandomGames(long wanted, Focus focus, Tally& tally) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> faults;
    for (unsigned seed = kFirstSeed;
         tally.positions < wanted && faults.size() < kMostFaultsReported; ++seed) {
        std::mt19937 lengths(seed);
        const int plies = std::uniform_int_distribution<int>(1, kLongestGame)(lengths);
        SideBySideGame game(seed, focus);
        if (std::string fault = game.Play(plies, wanted - tally.positions, tally); !fault.empty()) {
            faults.push_back("game seed " + std::to_string(seed) + ": " + fault);
        }
        ++tally.games;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    PrintTally(focus, tally, elapsed.count());
    return faults;
}

TEST(RulesCheck, EngineAgreesWithTheReferenceRulesInRandomGames) {
    const long wanted = PositionsWanted();
    Tally tally;
    for (const std::string& fault : PlayRandomGames(wanted, Focus::kRules, tally)) {
        ADD_FAILURE() << fault;
    }
    if (wanted >= kDefaultPositions) {
        EXPECT_GT(tally.castlings, 0) << "the games never castled";
        EXPECT_GT(tally.promotions, 0) << "the games never promoted";
        EXPECT_GT(tally.mates, 0) << "the games never ended in mate";
        EXPECT_GT(tally.kingOnlyTurns, 0) << "no side was ever left with only king moves";
    }
}

TEST(RulesCheck, ComputerListsOnlyLegalDestinations) {
    Tally tally;
    for (const std::string& fault :
         PlayRandomGames(PositionsWanted(), Focus::kComputerDestinations, tally)) {
        ADD_FAILURE() << fault;
    }
}

}  // namespace
