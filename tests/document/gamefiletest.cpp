#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"
#include "tests/support/testgames.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

constexpr char kUnexpected[] = "Unexpected file format.";

// What an open that fails must leave as it was.
struct GameSnapshot {
    std::vector<MoveEntry> moves;
    int16_t moveCount;
    std::array<int16_t, kSquareCount> board;
    int16_t sideToMove;
    bool gameOver;
    bool drawn;
    int16_t matedSide;
    std::string path;
    bool modified;
    std::array<int64_t, 3> clockElapsed;

    bool operator==(const GameSnapshot&) const = default;
};

GameSnapshot Snapshot(const CTesselDoc& doc) {
    return {doc.m_moves,
            doc.m_moveCount,
            doc.m_pEngine->m_board,
            g_sideToMove,
            doc.m_gameOver,
            doc.m_drawn,
            doc.m_matedSide,
            doc.GetPathName(),
            doc.IsModified(),
            {g_chessClock.elapsed[0], g_chessClock.elapsed[1], g_chessClock.elapsed[2]}};
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
        std::ofstream(path, std::ios::binary) << bytes;
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
const Bytes kTwoMoveFile = QlnBytes({{Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}});

TEST_F(GameFileTest, TwoMoveGameIsWrittenAndReadByteForByte) {
    ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}}));
    EXPECT_EQ(Save(), kTwoMoveFile);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "saved.qln");

    // Moves taken back in the game replaced must not be redone in the one opened.
    ASSERT_TRUE(PlayAll(doc, {{Sq("g1"), Sq("f3")}, {Sq("b8"), Sq("c6")}}));
    ASSERT_TRUE(doc.UndoAllMoves());
    const FileResult result = Open(kTwoMoveFile);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(doc.m_moveCount, 2);
    EXPECT_EQ(doc.m_moves[0], (MoveEntry{11, 27}));
    EXPECT_EQ(doc.m_moves[1], (MoveEntry{51, 35}));
    EXPECT_EQ(g_sideToMove, kWhite);
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("e5")], -kPawnValue);
    EXPECT_EQ(doc.GetTitle(), "in.qln");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(GameFileTest, FinishedGamesOpenAsFinished) {
    ASSERT_TRUE(doc.Resign(kBlack));
    ASSERT_TRUE(Open(QlnBytes(kFoolsMate)).ok);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_EQ(doc.m_matedSide, kWhite);
    EXPECT_EQ(doc.m_resignedSide, 0);
    EXPECT_FALSE(doc.m_drawn);

    ASSERT_TRUE(Open(QlnBytes(kStalemate)).ok);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_EQ(g_sideToMove, kBlack);

    const MoveList unfinished(kStalemate.begin(), kStalemate.end() - 1);
    ASSERT_TRUE(Open(QlnBytes(unfinished)).ok);
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
        {"half a count", Bytes("\x01", 1)},
        {"count without moves", Bytes("\x01\x00", 2)},
        {"too short for its count", tooShort},
        {"a trailing byte", tooLong},
        {"a whole extra move", Bytes("\x00\x00\x0B\x00\x1B\x00", 6)},
        {"a negative count", Bytes("\xFF\xFF", 2)},
        {"count 32768", Bytes("\x00\x80", 2)},
        {"square 64", QlnBytes({{Sq("e2"), 64}})},
        {"square -1", QlnBytes({{-1, Sq("e4")}})},
        {"an illegal move", QlnBytes({{Sq("e2"), Sq("e5")}})},
        {"Black moving first", QlnBytes({{Sq("e7"), Sq("e5")}})},
        {"a move after checkmate", QlnBytes([] {
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
    const std::string underAFile = WriteFile("plain", QlnBytes({})) + "/game.qln";
    const std::string directory = dir.string();

    EXPECT_EQ(doc.OnOpenDocument(missing).message, missing + " was not found.");
    EXPECT_EQ(doc.OnOpenDocument(underAFile).message, underAFile + " contains an invalid path.");
    EXPECT_EQ(doc.OnOpenDocument(directory).message, "Access to " + directory + " was denied.");
    EXPECT_TRUE(Snapshot(doc) == before);
}

TEST_F(GameFileTest, SaveIntoAnUnwritablePlaceKeepsTheGameUnsaved) {
    ASSERT_TRUE(Play(doc, Sq("e2"), Sq("e4")).ok);
    const std::string underAFile = WriteFile("plain", QlnBytes({})) + "/game.qln";
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

TEST_F(GameFileTest, FullLengthGameOpens) {
    MoveList shuffle;
    const std::pair<int, int> cycle[] = {
        {Sq("g1"), Sq("f3")}, {Sq("g8"), Sq("f6")}, {Sq("f3"), Sq("g1")}, {Sq("f6"), Sq("g8")}};
    for (int i = 0; i < kMaxMoves; ++i) shuffle.push_back(cycle[i % 4]);
    const FileResult result = Open(QlnBytes(shuffle));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(doc.m_moveCount, kMaxMoves);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_FALSE(Play(doc, Sq("f6"), Sq("g8")).ok);
}

TEST_F(GameFileTest, PgnGamesOpenByContentAsNormalGames) {
    const std::string pgnPath = WriteFile("game.pgn", "1. e4 e5 2. Nf3 *\n");
    ASSERT_TRUE(doc.OnOpenDocument(pgnPath).ok);
    EXPECT_EQ(doc.m_moves, (std::vector<MoveEntry>{
                               {Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}, {Sq("g1"), Sq("f3")}}));
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.GetTitle(), "game.pgn");
    EXPECT_TRUE(doc.IsImported());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.RebuildPosition());

    // The name does not decide the format.
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("text.qln", "1. d4 *")).ok);
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
        const FileResult result = doc.OnOpenDocument(WriteFile("bad.pgn", text));
        EXPECT_FALSE(result.ok) << text;
        EXPECT_EQ(result.message, message);
        EXPECT_TRUE(Snapshot(doc) == before) << text;
    }
    const FileResult cancelled = doc.OnOpenDocument(WriteFile("two.pgn", "1. e4 * 1. d4 *"),
                                                    [](const auto&) { return std::nullopt; });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.message, "");
    EXPECT_TRUE(Snapshot(doc) == before);
}

}  // namespace
