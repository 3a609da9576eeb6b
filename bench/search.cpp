// Runs the computer's search on a fixed suite of positions, for the computer
// as White and as Black at both skill levels, and reports the chosen moves,
// the trial moves made and how fast they were made. With --check it compares
// the decisions with a reference file and fails on any change; changed trial
// counts, which speed-ups that keep the decisions may bring, are only noted.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <stop_token>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "computer/intelligence.h"
#include "engine/squarenames.h"

namespace {

constexpr unsigned kSeed = 1;
constexpr int kDefaultMaxDepth = 4;
constexpr int kMaxDepth = 5;

struct Position {
    const char* name;
    const char* moves;  // from the start, "e2e4 e7e5 ..."
};

// Each position is searched for its side to move, and one move earlier for
// the other side.
constexpr Position kSuite[] = {
    {"start", "e2e4"},
    {"open-game", "e2e4 e7e5 g1f3 b8c6"},
    {"queens-gambit", "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 c1g5 f8e7"},
    {"sicilian", "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6"},
    {"closed-centre",
     "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7 f1e1 b7b5 a4b3 d7d6 c2c3 e8g8 h2h3"},
    {"kings-indian",
     "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7 e2e4 d7d6 g1f3 e8g8 f1e2 e7e5 e1g1 b8c6 d4d5 c6e7"},
    {"hanging-queen", "e2e4 e7e5 g1f3 d7d6 f1c4 c8g4 b1c3 g7g6 f3e5"},
    {"mate-threat", "e2e4 e7e5 d1h5 b8c6 f1c4 g8f6"},
    {"loose-queen", "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5 d2d4 g8f6 g1f3 c8f5 f1c4 e7e6 c1d2"},
    {"pinned-knight", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6 d2d4 e5d4 c3d4 c5b4 b1c3"},
    {"knight-fork",
     "e2e4 e7e6 d2d4 d7d5 e4d5 e6d5 f1d3 f8d6 g1f3 g8f6 e1g1 e8g8 c1g5 c8g4 g5f6 d8f6 b1c3 "
     "g4f3 d1f3 f6f3 g2f3 b8c6 c3d5 c6d4 d5c7 d6c7 f1e1 d4f3"},
    {"minor-endgame",
     "e2e4 e7e6 d2d4 d7d5 e4d5 e6d5 f1d3 f8d6 g1f3 g8f6 e1g1 e8g8 c1g5 c8g4 g5f6 d8f6 b1c3 "
     "g4f3 d1f3 f6f3 g2f3 b8c6 c3d5 c6d4 d5c7 d6c7 f1e1 d4f3 g1g2 f3e1 a1e1 f8e8 e1e8 a8e8 d3b5"},
    {"rook-endgame",
     "e2e4 e7e5 g1f3 b8c6 d2d4 e5d4 f3d4 c6d4 d1d4 d8f6 d4f6 g8f6 f1d3 f8c5 c1g5 c5f2 e1f2 "
     "f6g4 f2g3 g4e5 g5e7 e8e7 b1c3 e5d3 c2d3 d7d6 c3d5 e7d8 a1c1 c8e6 d5c7 a8c8 c7e6 f7e6"},
};

// Left out by --middle-games.
const char* const kEndgames[] = {"minor-endgame", "rook-endgame"};

const char* const kSkillNames[] = {"", "novice", "expert"};

struct Case {
    std::string name;  // position, colour and skill: "open-game/white/expert"
    std::vector<std::string> moves;
    int skill;
};

struct Outcome {
    std::string caseName;
    int depth;
    int skill;
    int side;
    std::string move;
    int value;
    uint64_t trials;
    double seconds;     // wall clock
    double cpuSeconds;  // this process's processor time: steadier on a busy machine
    bool overLimit;     // stopped at --limit: seconds is then a lower bound
};

std::vector<Case> BuildCases() {
    std::vector<Case> cases;
    for (const Position& position : kSuite) {
        std::vector<std::string> moves;
        std::istringstream words(position.moves);
        for (std::string move; words >> move;) {
            moves.push_back(move);
        }
        // The side to move after all the moves, and the other side one move earlier.
        for (size_t played : {moves.size(), moves.size() - 1}) {
            const char* colour = played % 2 == 0 ? "white" : "black";
            for (int skill : {kSearchKindNovice, kSearchKindExpert}) {
                cases.push_back(
                    {std::string(position.name) + "/" + colour + "/" + kSkillNames[skill],
                     {moves.begin(), moves.begin() + played},
                     skill});
            }
        }
    }
    return cases;
}

struct Options {
    std::vector<int> depths;
    std::string check;
    std::string write;
    std::string only;
    unsigned threads = Intelligence::DefaultSearchThreads();
    double limitSeconds = 0;  // none
    int sweep = 0;
    bool middleGamesOnly = false;
};

bool IsEndgame(const std::string& caseName) {
    const std::string position = caseName.substr(0, caseName.find('/'));
    return std::find(std::begin(kEndgames), std::end(kEndgames), position) != std::end(kEndgames);
}

// Whether --case and --middle-games let the case run.
bool IsSelected(const std::string& caseName, const Options& options) {
    return caseName.find(options.only) != std::string::npos &&
           !(options.middleGamesOnly && IsEndgame(caseName));
}

// A game in progress with both sides' capture lists kept as the computer
// keeps them.
struct Game {
    Intelligence engine{kSeed};
    CaptureList captures[3];  // [side + 1]

    void Play(int from, int to) {
        const int side = g_sideToMove;
        engine.MakeMove(from, to, 1);
        engine.UpdateMoverCaptures(from, to, side, captures[SideIndex(side)],
                                   captures[SideIndex(side)]);
        engine.UpdateOpponentCaptures(from, to, -side, captures[SideIndex(-side)],
                                      captures[SideIndex(-side)]);
    }
};

// Stops a search through its control once the time limit has passed, as a
// player's Move Now would; a search that ends first leaves it unused.
class SearchTimer {
public:
    SearchTimer(SearchControl& control, double seconds)
        : m_thread([this, &control, seconds](std::stop_token ended) {
              std::unique_lock lock(m_mutex);
              const auto limit = std::chrono::duration<double>(seconds);
              m_ended.wait_for(lock, ended, limit, [] { return false; });
              if (!ended.stop_requested()) {
                  control.RequestMoveNow();
                  m_fired = true;
              }
          }) {}

    // Whether the limit was reached; the search must be over when asked.
    bool Fired() {
        m_thread.request_stop();
        m_thread.join();
        return m_fired;
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_ended;
    bool m_fired = false;
    std::jthread m_thread;
};

// Searches for the side to move of the game on the given number of threads,
// for at most limitSeconds when that is positive.
Outcome Search(Game& game, const std::string& name, int skill, int depth, unsigned threads,
               double limitSeconds = 0) {
    Intelligence& engine = game.engine;
    const int side = g_sideToMove;
    const CaptureList& own = game.captures[SideIndex(side)];
    const CaptureList& opponent = game.captures[SideIndex(-side)];
    g_searchDepth = depth;
    engine.m_searchThreads = threads;
    engine.m_trialMoves = 0;
    // Watched as the game watches it, so that the interruption checks are timed too.
    SearchControl control;
    engine.m_control = &control;

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    std::optional<SearchTimer> timer;
    if (limitSeconds > 0) {
        timer.emplace(control, limitSeconds);
    }
    const ScoredMove chosen =
        skill == kSearchKindNovice
            ? engine.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, 1, own, opponent)
            : engine.Search(kRootAlpha, kRootBeta, -side, side, 1, own, opponent);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    engine.m_control = nullptr;
    const bool overLimit = timer && timer->Fired();

    return {name,
            depth,
            skill,
            side,
            IsMove(chosen) ? SquareName(chosen.from) + SquareName(chosen.to) : "none",
            chosen.value,
            engine.m_trialMoves,
            elapsed.count(),
            cpuSeconds,
            overLimit};
}

// Replays the case's moves as a game would and searches for the side to move.
bool RunCase(const Case& c, int depth, const Options& options, Outcome& outcome) {
    g_sideToMove = kWhite;
    Game game;
    for (const std::string& move : c.moves) {
        const int from = ParseSquare(move.substr(0, 2));
        const int to = ParseSquare(move.substr(2, 2));
        if (!game.engine.IsMoveLegal(from, to, g_sideToMove, 1)) {
            std::fprintf(stderr, "%s: illegal move %s\n", c.name.c_str(), move.c_str());
            return false;
        }
        game.Play(from, to);
    }
    outcome = Search(game, c.name, c.skill, depth, options.threads, options.limitSeconds);
    return true;
}

// Plays random legal moves from the start; false if the game ended first.
bool PlayRandomGame(Game& game, int plies, std::mt19937& random) {
    g_sideToMove = kWhite;
    for (int ply = 0; ply < plies; ++ply) {
        std::vector<std::pair<int, int>> legal;
        for (int from = 0; from < kSquareCount; ++from) {
            for (int to = 0; to < kSquareCount; ++to) {
                if (game.engine.IsMoveLegal(from, to, g_sideToMove, 1)) {
                    legal.emplace_back(from, to);
                }
            }
        }
        if (legal.empty()) {
            return false;
        }
        const auto [from, to] = legal[random() % legal.size()];
        game.Play(from, to);
    }
    // A side with no legal move is never asked for one.
    return game.engine.HasLegalMove() != kNoLegalMove;
}

std::string ReferenceLine(const Outcome& o) {
    std::ostringstream line;
    line << o.caseName << ' ' << o.depth << ' ' << o.move << ' ' << o.value << ' ' << o.trials;
    return line.str();
}

// Searches positions from random legal games on one thread and on several
// and reports every case where the chosen move or its value differ. On one
// thread it lists each decision instead, so that two builds can be compared
// line by line.
int Sweep(const Options& options) {
    constexpr unsigned kSweepSeed = 10;
    constexpr int kMinPlies = 6;
    constexpr int kMaxPlies = 60;
    std::mt19937 random(kSweepSeed);
    int differences = 0;
    int compared = 0;
    int positions = 0;
    while (positions < options.sweep) {
        const int plies = kMinPlies + static_cast<int>(random() % (kMaxPlies - kMinPlies + 1));
        Game played;
        if (!PlayRandomGame(played, plies, random)) {
            continue;
        }
        ++positions;
        const int side = g_sideToMove;
        for (int depth : options.depths) {
            for (int skill : {kSearchKindNovice, kSearchKindExpert}) {
                const std::string name = "random-" + std::to_string(positions) + "/" +
                                         (side == kWhite ? "white/" : "black/") +
                                         kSkillNames[skill];
                Game single = played;
                Game parallel = played;
                const Outcome one = Search(single, name, skill, depth, 1);
                ++compared;
                if (options.threads == 1) {
                    std::printf("sweep %s\n", ReferenceLine(one).c_str());
                    continue;
                }
                const Outcome all = Search(parallel, name, skill, depth, options.threads);
                if (one.move != all.move || one.value != all.value) {
                    ++differences;
                    std::printf("differs: %s %d: one thread %s %d, %u threads %s %d\n",
                                name.c_str(), depth, one.move.c_str(), one.value, options.threads,
                                all.move.c_str(), all.value);
                }
            }
        }
    }
    if (options.threads == 1) {
        std::printf("sweep: %d positions, %d searches listed\n", positions, compared);
        return 0;
    }
    std::printf("sweep: %d positions, %d searches compared on 1 and %u threads, %d differences\n",
                positions, compared, options.threads, differences);
    return differences == 0 ? 0 : 1;
}

// A reference line without its trial count: the case, depth, move and value.
std::string DecisionOf(const std::string& line) { return line.substr(0, line.rfind(' ')); }

// Case name and depth: the first two fields of a reference line.
std::string KeyOf(const std::string& line) {
    return line.substr(0, line.find(' ', line.find(' ') + 1));
}

void Usage() {
    std::fprintf(stderr,
                 "usage: search_bench [--depths 1,2,...] [--case TEXT] [--threads N]\n"
                 "                    [--middle-games] [--write FILE] [--check FILE]\n"
                 "                    [--sweep COUNT] [--limit SECONDS]\n"
                 "  depths 1 to %d, default 1 to %d; --case runs the cases whose name\n"
                 "  contains TEXT; --middle-games leaves out the endgames; --threads\n"
                 "  searches on N threads (default: every core); --check compares with\n"
                 "  a reference file and fails if a move or value differs (on one\n"
                 "  thread it notes changed trial counts too); --write writes one,\n"
                 "  beside --check only if no decision differs. --sweep searches\n"
                 "  COUNT positions from random legal games on one thread and on N,\n"
                 "  and fails if they differ; on one thread it lists each decision.\n"
                 "  --limit stops each search after\n"
                 "  SECONDS and reports it as over the limit, with its time as a lower\n"
                 "  bound: a median at or above the limit means one above it.\n",
                 kMaxDepth, kDefaultMaxDepth);
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--middle-games") {
            options.middleGamesOnly = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--depths") {
            std::istringstream list(value);
            for (std::string depth; std::getline(list, depth, ',');) {
                const int d = std::atoi(depth.c_str());
                if (d < 1 || d > kMaxDepth) {
                    return false;
                }
                options.depths.push_back(d);
            }
        } else if (option == "--check") {
            options.check = value;
        } else if (option == "--write") {
            options.write = value;
        } else if (option == "--case") {
            options.only = value;
        } else if (option == "--threads") {
            options.threads = static_cast<unsigned>(std::atoi(value.c_str()));
            if (options.threads < 1) {
                return false;
            }
        } else if (option == "--limit") {
            options.limitSeconds = std::atof(value.c_str());
            if (options.limitSeconds <= 0) {
                return false;
            }
        } else if (option == "--sweep") {
            options.sweep = std::atoi(value.c_str());
            if (options.sweep < 1) {
                return false;
            }
        } else {
            return false;
        }
    }
    if (options.depths.empty()) {
        for (int d = 1; d <= kDefaultMaxDepth; ++d) {
            options.depths.push_back(d);
        }
    }
    // A stopped search has no decision to compare or record.
    return options.limitSeconds == 0 ||
           (options.check.empty() && options.write.empty() && options.sweep == 0);
}

// The reference lines of the selected depths and cases.
bool ReadReference(const std::string& path, const Options& options,
                   std::vector<std::string>& lines) {
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string name;
        int depth = 0;
        if (!(fields >> name >> depth)) {
            continue;
        }
        for (int d : options.depths) {
            if (d == depth && IsSelected(name, options)) {
                lines.push_back(line);
            }
        }
    }
    return true;
}

const char* ColourName(int side) { return side == kWhite ? "white" : "black"; }

// The value in the middle, or the mean of the two middle values of an even count.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The cases searched at one depth and skill for one colour.
struct Group {
    std::vector<double> seconds;  // wall clock of each case
    int overLimit = 0;
    uint64_t trials = 0;
    double cpuSeconds = 0;
};

// One row per depth, skill and colour, so that a change in speed can be told
// apart from a change in a single case.
void PrintSummary(const std::vector<Outcome>& outcomes) {
    std::map<std::tuple<int, int, int>, Group> groups;
    for (const Outcome& o : outcomes) {
        Group& group = groups[{o.depth, o.skill, o.side}];
        group.seconds.push_back(o.seconds);
        group.overLimit += o.overLimit ? 1 : 0;
        group.trials += o.trials;
        group.cpuSeconds += o.cpuSeconds;
    }
    std::printf("\n%5s %-6s %-6s %5s %5s %10s %10s %12s %12s %12s\n", "depth", "skill", "colour",
                "cases", "over", "median ms", "max ms", "trials", "trials/s", "trials/cpu s");
    for (const auto& [key, group] : groups) {
        const auto [depth, skill, side] = key;
        const double seconds = std::accumulate(group.seconds.begin(), group.seconds.end(), 0.0);
        std::printf("%5d %-6s %-6s %5zu %5d %10.1f %10.1f %12llu %12.0f %12.0f\n", depth,
                    kSkillNames[skill], ColourName(side), group.seconds.size(), group.overLimit,
                    Median(group.seconds) * 1e3,
                    *std::max_element(group.seconds.begin(), group.seconds.end()) * 1e3,
                    static_cast<unsigned long long>(group.trials), group.trials / seconds,
                    group.trials / group.cpuSeconds);
    }
}

// Compares the outcomes with the reference: true when every line was run and
// no move or value differs. With more than one thread the trial counts
// include the work done in parallel, so only one thread's are compared.
bool Check(const std::vector<std::string>& reference, const std::vector<Outcome>& outcomes,
           unsigned threads) {
    std::map<std::string, std::string> actual;
    for (const Outcome& o : outcomes) {
        actual[KeyOf(ReferenceLine(o))] = ReferenceLine(o);
    }
    int decisions = 0;
    int trialCounts = 0;
    size_t matched = 0;
    for (const std::string& expected : reference) {
        const auto found = actual.find(KeyOf(expected));
        if (found == actual.end()) {
            std::printf("not run: %s\n", expected.c_str());
            ++decisions;
            continue;
        }
        ++matched;
        const std::string& got = found->second;
        if (DecisionOf(got) != DecisionOf(expected)) {
            std::printf("decision differs: expected %s\n                  got      %s\n",
                        expected.c_str(), got.c_str());
            ++decisions;
        } else if (threads == 1 && got != expected) {
            std::printf("trial count differs: expected %s, got %s\n", expected.c_str(),
                        got.substr(got.rfind(' ') + 1).c_str());
            ++trialCounts;
        }
    }
    std::printf("check: %zu of %zu reference lines compared, %d decisions differ", matched,
                reference.size(), decisions);
    if (threads == 1) {
        std::printf(", %d trial counts differ (a note, not a failure)", trialCounts);
    }
    std::printf("\n");
    return decisions == 0 && matched > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        Usage();
        return 2;
    }
    if (options.sweep > 0) {
        return Sweep(options);
    }
    std::vector<std::string> reference;
    if (!options.check.empty() && !ReadReference(options.check, options, reference)) {
        return 2;
    }

    // A check runs only what the reference holds.
    std::set<std::string> referenceKeys;
    for (const std::string& line : reference) {
        referenceKeys.insert(KeyOf(line));
    }

    std::vector<Outcome> outcomes;
    uint64_t totalTrials = 0;
    double totalSeconds = 0;
    double totalCpuSeconds = 0;
    std::printf("%-34s %5s %-6s %7s %12s %10s %10s %12s\n", "case", "depth", "move", "value",
                "trials", "ms", "cpu ms", "trials/s");
    for (int depth : options.depths) {
        for (const Case& c : BuildCases()) {
            if (!IsSelected(c.name, options) ||
                (!options.check.empty() &&
                 !referenceKeys.count(c.name + " " + std::to_string(depth)))) {
                continue;
            }
            Outcome o;
            if (!RunCase(c, depth, options, o)) {
                return 2;
            }
            std::printf("%-34s %5d %-6s %7s %12llu %10.1f %10.1f %12.0f\n", o.caseName.c_str(),
                        depth, o.overLimit ? "over" : o.move.c_str(),
                        o.overLimit ? "-" : std::to_string(o.value).c_str(),
                        static_cast<unsigned long long>(o.trials), o.seconds * 1e3,
                        o.cpuSeconds * 1e3, o.trials / o.seconds);
            std::fflush(stdout);
            totalTrials += o.trials;
            totalSeconds += o.seconds;
            totalCpuSeconds += o.cpuSeconds;
            outcomes.push_back(o);
        }
    }
    PrintSummary(outcomes);
    std::printf(
        "total: %zu cases, %llu trial moves in %.2f s (%.2f s processor time), %.2f million "
        "trial moves/s (%.2f million per processor second)\n",
        outcomes.size(), static_cast<unsigned long long>(totalTrials), totalSeconds,
        totalCpuSeconds, totalTrials / totalSeconds / 1e6, totalTrials / totalCpuSeconds / 1e6);

    const bool decided = options.check.empty() || Check(reference, outcomes, options.threads);
    if (!options.write.empty() && decided) {
        std::ofstream file(options.write);
        for (const Outcome& o : outcomes) {
            file << ReferenceLine(o) << '\n';
        }
    }
    return decided ? 0 : 1;
}
