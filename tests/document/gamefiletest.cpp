#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "document/archive.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"
#include "tests/support/testgames.h"
#include "view/chessclock.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr char kUnexpected[] = "Unexpected file format.";

// Everything an open that fails must leave as it was.
struct GameSnapshot {
    std::vector<MoveEntry> moves;
    int16_t moveCount;
    std::array<int16_t, kSquareCount> board;
    int16_t sideToMove;
    int16_t publishedSide;
    bool gameOver;
    bool drawn;
    std::array<int16_t, 3> countdown;
    int16_t matedSide;
    int32_t playMode;
    int32_t skillLevel;
    std::string path;
    bool modified;
    bool clockArmed;
    bool clockRunning;
    std::array<int64_t, 3> clockElapsed;
    int64_t clockTurnStart;
    int32_t clockSide;

    bool operator==(const GameSnapshot&) const = default;
};

GameSnapshot Snapshot(const CTesselDoc& doc) {
    return {doc.m_moves,
            doc.m_moveCount,
            doc.m_pEngine->m_board,
            g_sideToMove,
            doc.Published().sideToMove,
            doc.m_gameOver,
            doc.m_drawn,
            doc.m_kingOnlyCountdown,
            doc.m_matedSide,
            doc.m_playMode,
            doc.m_skillLevel,
            doc.GetPathName(),
            doc.IsModified(),
            g_chessClock.armed,
            g_chessClock.running,
            {g_chessClock.elapsed[0], g_chessClock.elapsed[1], g_chessClock.elapsed[2]},
            g_chessClock.turnStart,
            g_chessClock.currentSide};
}

class GameFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("quillon-" + std::to_string(getpid()) + "-" + test->name());
        fs::create_directories(dir);
        doc.m_playMode = kPlayHumanVsHuman;
        ASSERT_TRUE(doc.OnNewDocument());
    }

    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    std::string WriteFile(const std::string& name, const Bytes& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static Bytes ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    Bytes Save() {
        const std::string path = PathOf("saved.qln");
        const FileResult result = doc.OnSaveDocument(path);
        EXPECT_TRUE(result.ok) << result.message;
        return ReadFile(path);
    }

    FileResult Open(const Bytes& bytes) { return doc.OnOpenDocument(WriteFile("in.qln", bytes)); }

    // Files other than the ones the test wrote, such as left-over temporaries.
    std::vector<std::string> DirectoryEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    CTesselDoc doc;
};

// 1.e4 e5
const Bytes kTwoMoveFile = {0x02, 0x00, 0x0B, 0x00, 0x1B, 0x00, 0x33, 0x00, 0x23, 0x00};

Bytes FileOf(const MoveList& moves) {
    Archive archive = Archive::ForStoring();
    archive.WriteInt16(static_cast<int16_t>(moves.size()));
    for (const auto& [from, to] : moves) {
        archive.WriteInt16(static_cast<int16_t>(from));
        archive.WriteInt16(static_cast<int16_t>(to));
    }
    return archive.Bytes();
}

TEST_F(GameFileTest, TwoMoveGameIsWrittenAndReadByteForByte) {
    ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}}));
    EXPECT_EQ(Save(), kTwoMoveFile);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "saved.qln");

    ASSERT_TRUE(doc.OnNewDocument());
    const FileResult result = Open(kTwoMoveFile);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(doc.m_moveCount, 2);
    EXPECT_EQ(doc.m_moves[0], (MoveEntry{11, 27}));
    EXPECT_EQ(doc.m_moves[1], (MoveEntry{51, 35}));
    EXPECT_EQ(g_sideToMove, kWhite);
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("e5")], -kPawnValue);
    EXPECT_EQ(doc.GetTitle(), "in.qln");
    EXPECT_FALSE(doc.IsModified());
}

// The window saves the game as it stood at a drop while the computer thinks,
// without a document of its own: nothing of the game in progress may change.
TEST_F(GameFileTest, MoveListIsSavedWithoutTouchingTheGame) {
    ASSERT_TRUE(PlayAll(doc, {{Sq("d2"), Sq("d4")}}));
    g_chessClock.StartAtDrop();
    const GameSnapshot before = Snapshot(doc);

    const std::string path = PathOf("at-drop.qln");
    const std::vector<MoveEntry> moves = {{11, 27}, {51, 35}};
    const FileResult result = SaveMoveList(moves, path);

    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(ReadFile(path), kTwoMoveFile);
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(GameFileTest, EmptyGameIsTwoZeroBytes) {
    EXPECT_EQ(Save(), (Bytes{0x00, 0x00}));
    ASSERT_TRUE(PlayAll(doc, {{Sq("d2"), Sq("d4")}}));

    ASSERT_TRUE(Open({0x00, 0x00}).ok);
    EXPECT_EQ(doc.m_moveCount, 0);
    EXPECT_EQ(g_sideToMove, kWhite);
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("d2")], kPawnValue);
    EXPECT_EQ(doc.Published().board[Sq("d4")], 0);
}

TEST_F(GameFileTest, OddCountOpensWithBlackToMove) {
    ASSERT_TRUE(Open(FileOf({{Sq("g1"), Sq("f3")}})).ok);
    EXPECT_EQ(doc.m_moveCount, 1);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.Published().sideToMove, kBlack);
    ASSERT_TRUE(Play(doc, Sq("g8"), Sq("f6")).ok);
}

TEST_F(GameFileTest, OpenKeepsPlayModeAndSkillAndResetsTheClock) {
    doc.m_playMode = kPlayBlack;
    doc.m_skillLevel = kSkillNovice;
    g_chessClock.StartAtDrop();
    g_chessClock.Tick(kWhite);
    g_chessClock.elapsed[SideIndex(kBlack)] = 42;

    ASSERT_TRUE(Open(kTwoMoveFile).ok);
    EXPECT_EQ(doc.m_playMode, kPlayBlack);
    EXPECT_EQ(doc.m_skillLevel, kSkillNovice);
    EXPECT_TRUE(g_chessClock.armed);
    EXPECT_FALSE(g_chessClock.running);
    EXPECT_EQ(g_chessClock.elapsed[SideIndex(kBlack)], 0);
}

TEST_F(GameFileTest, FinishedGamesOpenAsFinished) {
    ASSERT_TRUE(Open(FileOf(kFoolsMate)).ok);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_EQ(doc.m_matedSide, kWhite);
    EXPECT_FALSE(doc.m_drawn);

    ASSERT_TRUE(Open(FileOf(kStalemate)).ok);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_EQ(g_sideToMove, kBlack);

    const MoveList unfinished(kStalemate.begin(), kStalemate.end() - 1);
    ASSERT_TRUE(Open(FileOf(unfinished)).ok);
    EXPECT_FALSE(doc.m_gameOver);
    EXPECT_FALSE(doc.m_drawn);
}

TEST_F(GameFileTest, MalformedFilesLeaveTheOpenGameUntouched) {
    ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("c7"), Sq("c5")}, {Sq("g1"), Sq("f3")}}));
    Save();
    ASSERT_TRUE(Play(doc, Sq("d7"), Sq("d6")).ok);
    doc.m_moveCount = 3;
    ASSERT_TRUE(doc.RebuildPosition());
    doc.SetModifiedFlag(true);
    doc.m_kingOnlyCountdown[SideIndex(kWhite)] = 9;
    g_chessClock.StartAtDrop();
    g_chessClock.Tick(kBlack);
    const GameSnapshot before = Snapshot(doc);

    Bytes tooLong = kTwoMoveFile;
    tooLong.push_back(0);
    Bytes tooShort = kTwoMoveFile;
    tooShort.resize(6);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"zero bytes", {}},
        {"half a count", {0x01}},
        {"count without moves", {0x01, 0x00}},
        {"too short for its count", tooShort},
        {"a trailing byte", tooLong},
        {"a whole extra move", {0x00, 0x00, 0x0B, 0x00, 0x1B, 0x00}},
        {"a negative count", {0xFF, 0xFF}},
        {"count 32768", {0x00, 0x80}},
        {"square 64", FileOf({{Sq("e2"), 64}})},
        {"square -1", FileOf({{-1, Sq("e4")}})},
        {"an illegal move", FileOf({{Sq("e2"), Sq("e5")}})},
        {"Black moving first", FileOf({{Sq("e7"), Sq("e5")}})},
        {"a move after checkmate", FileOf([] {
             MoveList moves = kFoolsMate;
             moves.push_back({Sq("e1"), Sq("f2")});
             return moves;
         }())},
    };
    for (const auto& [name, bytes] : cases) {
        const FileResult result = Open(bytes);
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.message, kUnexpected) << name;
        EXPECT_TRUE(Snapshot(doc) == before) << name;
    }
}

TEST_F(GameFileTest, OversizedFileIsRejectedWithoutReadingItAll) {
    const GameSnapshot before = Snapshot(doc);
    const FileResult result = doc.OnOpenDocument("/dev/zero");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, kUnexpected);
    EXPECT_TRUE(Snapshot(doc) == before);
}

TEST_F(GameFileTest, FilesThatCannotBeReadNameThePath) {
    ASSERT_TRUE(Play(doc, Sq("e2"), Sq("e4")).ok);
    const GameSnapshot before = Snapshot(doc);
    const std::string missing = PathOf("missing.qln");
    const std::string underAFile = WriteFile("plain", {0x00, 0x00}) + "/game.qln";
    const std::string directory = dir.string();

    EXPECT_EQ(doc.OnOpenDocument(missing).message, missing + " was not found.");
    EXPECT_EQ(doc.OnOpenDocument(underAFile).message, underAFile + " contains an invalid path.");
    EXPECT_EQ(doc.OnOpenDocument(directory).message, "Access to " + directory + " was denied.");
    EXPECT_TRUE(Snapshot(doc) == before);
}

TEST_F(GameFileTest, SaveIntoAnUnwritablePlaceKeepsTheGameUnsaved) {
    ASSERT_TRUE(Play(doc, Sq("e2"), Sq("e4")).ok);
    const std::string underAFile = WriteFile("plain", {0x00, 0x00}) + "/game.qln";
    const std::string directory = PathOf("folder");
    fs::create_directory(directory);

    EXPECT_EQ(doc.OnSaveDocument(underAFile).message, underAFile + " contains an invalid path.");
    EXPECT_EQ(doc.OnSaveDocument(directory).message, "Access to " + directory + " was denied.");
    EXPECT_EQ(doc.OnSaveDocument(PathOf("")).message, "Invalid filename.");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"folder", "plain"}));
}

// A file size limit makes the write fail after a few bytes, as a full disk
// would.
bool SaveReportsDiskFull(CTesselDoc& doc, const std::string& path) {
    constexpr rlimit kFewBytes{4, 4};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &kFewBytes);
    const FileResult result = doc.OnSaveDocument(path);
    return !result.ok && result.message == "Disk full while accessing " + path + "." &&
           doc.IsModified();
}

TEST_F(GameFileTest, SaveThatFailsPartWayKeepsTheOldFile) {
    const std::string path = WriteFile("game.qln", kTwoMoveFile);
    ASSERT_TRUE(doc.OnOpenDocument(path).ok);
    ASSERT_TRUE(PlayAll(doc, {{Sq("g1"), Sq("f3")}, {Sq("g8"), Sq("f6")}}));

    // The child process keeps the size limit away from the other tests.
    EXPECT_EXIT(std::_Exit(SaveReportsDiskFull(doc, path) ? 0 : 1), ::testing::ExitedWithCode(0),
                "");
    EXPECT_EQ(ReadFile(path), kTwoMoveFile);
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"game.qln"}));
}

TEST_F(GameFileTest, SaveReplacesAnExistingFile) {
    const std::string path = WriteFile("game.qln", kTwoMoveFile);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(Play(doc, Sq("b1"), Sq("c3")).ok);
    ASSERT_TRUE(doc.OnSaveDocument(path).ok);
    EXPECT_EQ(ReadFile(path), FileOf({{Sq("b1"), Sq("c3")}}));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"game.qln"}));
}

// Plays random legal moves in the two-player mode until the game ends or
// the ply limit is reached.
void PlayRandomGame(CTesselDoc& doc, unsigned seed, int plyLimit) {
    std::mt19937 random(seed);
    for (int ply = 0; ply < plyLimit && !doc.m_drawn && doc.m_matedSide == 0; ++ply) {
        std::vector<std::pair<int, int>> legal;
        for (int from = 0; from < kSquareCount; ++from) {
            if (doc.m_pEngine->m_board[from] * g_sideToMove <= 0) continue;
            for (int to = 0; to < kSquareCount; ++to) {
                if (doc.m_pEngine->IsMoveLegal(from, to, g_sideToMove, 1))
                    legal.push_back({from, to});
            }
        }
        ASSERT_FALSE(legal.empty());
        const auto [from, to] = legal[random() % legal.size()];
        ASSERT_TRUE(Play(doc, from, to).ok);
    }
}

TEST_F(GameFileTest, LongGamesSurviveARoundTrip) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        ASSERT_TRUE(doc.OnNewDocument());
        PlayRandomGame(doc, seed, 600);
        const GameSnapshot played = Snapshot(doc);
        const Bytes saved = Save();
        ASSERT_EQ(saved.size(), 2u + 4u * static_cast<unsigned>(doc.m_moveCount));

        ASSERT_TRUE(doc.OnNewDocument());
        ASSERT_TRUE(doc.OnOpenDocument(PathOf("saved.qln")).ok) << "seed " << seed;
        const GameSnapshot opened = Snapshot(doc);
        EXPECT_EQ(opened.moveCount, played.moveCount);
        EXPECT_TRUE(std::equal(played.moves.begin(), played.moves.begin() + played.moveCount,
                               opened.moves.begin()));
        EXPECT_EQ(opened.board, played.board);
        EXPECT_EQ(opened.sideToMove, played.sideToMove);
        EXPECT_EQ(opened.drawn, played.drawn);
        EXPECT_EQ(opened.matedSide, played.matedSide);
        EXPECT_EQ(opened.countdown, played.countdown);
        EXPECT_EQ(Save(), saved);
    }
}

TEST_F(GameFileTest, FullLengthGameOpens) {
    MoveList shuffle;
    const std::pair<int, int> cycle[] = {
        {Sq("g1"), Sq("f3")}, {Sq("g8"), Sq("f6")}, {Sq("f3"), Sq("g1")}, {Sq("f6"), Sq("g8")}};
    for (int i = 0; i < kMaxMoves; ++i) shuffle.push_back(cycle[i % 4]);
    const FileResult result = Open(FileOf(shuffle));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(doc.m_moveCount, kMaxMoves);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_FALSE(Play(doc, Sq("f6"), Sq("g8")).ok);
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST_F(GameFileTest, PgnGamesOpenByContentAsNormalGames) {
    const std::string pgnPath = WriteFile("game.pgn", Text("1. e4 e5 2. Nf3 *\n"));
    ASSERT_TRUE(doc.OnOpenDocument(pgnPath).ok);
    EXPECT_EQ(doc.m_moves, (std::vector<MoveEntry>{
                               {Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}, {Sq("g1"), Sq("f3")}}));
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.GetTitle(), "game.pgn");
    EXPECT_TRUE(doc.IsImported());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.RebuildPosition());

    // The name does not decide the format.
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("text.qln", Text("1. d4 *"))).ok);
    EXPECT_EQ(doc.m_moveCount, 1);
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("binary.pgn", kTwoMoveFile)).ok);
    EXPECT_EQ(doc.m_moveCount, 2);
    EXPECT_FALSE(doc.IsImported());
}

TEST_F(GameFileTest, RefusedPgnLeavesTheOpenGameUntouched) {
    ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("c7"), Sq("c5")}}));
    g_chessClock.StartAtDrop();
    const GameSnapshot before = Snapshot(doc);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1. e4 a6 2. e5 d5 3. exd6 *",
         "Move 3 (exd6) is an en-passant capture, which Quillon does not play."},
        {"1. e4 e5 2. Nf3", "The file ends on line 1 in the middle of a game, before its result."},
        {"", "The file holds no game."},
    };
    for (const auto& [text, message] : cases) {
        const FileResult result = doc.OnOpenDocument(WriteFile("bad.pgn", Text(text)));
        EXPECT_FALSE(result.ok) << text;
        EXPECT_EQ(result.message, message);
        EXPECT_TRUE(Snapshot(doc) == before) << text;
    }
    const FileResult cancelled = doc.OnOpenDocument(WriteFile("two.pgn", Text("1. e4 * 1. d4 *")),
                                                    [](const auto&) { return std::nullopt; });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.message, "");
    EXPECT_TRUE(Snapshot(doc) == before);
}

TEST_F(GameFileTest, PgnGameThatQuillonDrawsEarlyOpensUpToTheDraw) {
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("long.pgn", Text(kKingOnlyDrawPgn))).ok);
    EXPECT_EQ(doc.m_moveCount, 81);
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_EQ(doc.m_importNote, "The game ends at move 41; the file's later moves are left out.");

    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("short.pgn", Text("1. e4 *"))).ok);
    EXPECT_EQ(doc.m_importNote, "");
}

}  // namespace
