#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/pgnexport.h"
#include "document/pgnimport.h"
#include "document/tesseldoc.h"
#include "tests/support/squarenames.h"

namespace {

const std::string kDate = "2026.12.06";

std::vector<MoveEntry> Moves(const std::vector<std::string>& moves) {
    std::vector<MoveEntry> entries;
    for (const std::string_view move : moves) {
        entries.push_back({static_cast<int16_t>(Sq(move.substr(0, 2))),
                           static_cast<int16_t>(Sq(move.substr(2, 2)))});
    }
    return entries;
}

void SetMoves(CTesselDoc& doc, const std::vector<std::string>& moves) {
    doc.m_moves = Moves(moves);
    doc.m_moveCount = static_cast<int16_t>(doc.m_moves.size());
}

std::string Movetext(const std::string& pgn) { return pgn.substr(pgn.find("\n\n") + 2); }

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> tokens;
    for (std::string token; stream >> token;) tokens.push_back(token);
    return tokens;
}

std::vector<std::string> ExportedSan(const std::vector<std::string>& moves) {
    return SanMoves(Moves(moves));
}

// The moves of an import as Quillon writes them, joined by spaces.
std::string ImportedSan(const std::string& text, const PgnGameChooser& choose = {}) {
    std::string san;
    for (const std::string& move : SanMoves(ImportPgn(text, choose).moves)) {
        san += (san.empty() ? "" : " ") + move;
    }
    return san;
}

std::string TagValue(const std::string& pgn, const std::string& name) {
    const std::string opening = "[" + name + " \"";
    const std::size_t start = pgn.find(opening);
    if (start == std::string::npos) return "(missing)";
    const std::size_t valueStart = start + opening.size();
    return pgn.substr(valueStart, pgn.find('"', valueStart) - valueStart);
}

// White and Black knights shuttle between their home squares and the third
// and sixth ranks: a long legal game with nothing but knight moves.
std::vector<std::string> KnightShuffle(int rounds) {
    std::vector<std::string> moves;
    for (int i = 0; i < rounds; ++i) {
        moves.insert(moves.end(), {"g1f3", "g8f6", "f3g1", "f6g8"});
    }
    return moves;
}

}  // namespace

TEST(PgnSan, APinnedRivalNeedsNoHint) {
    // The c3 knight is pinned by the b4 bishop, so only the g1 knight can go
    // to e2.
    EXPECT_EQ(ExportedSan({"e2e4", "e7e5", "d2d4", "f8b4", "b1c3", "g8f6", "g1e2"}),
              (std::vector<std::string>{"e4", "e5", "d4", "Bb4+", "Nc3", "Nf6", "Ne2"}));
}

TEST(PgnSan, CastlingThatGivesCheckCarriesTheSuffix) {
    // Both f-pawns are gone and the Black king stands on f7, so the rook that
    // lands on f1 gives check.
    EXPECT_EQ(ExportedSan({"e2e4", "f7f5", "e4f5", "g7g6", "f5g6", "g8h6", "g6h7", "h6f5", "g1h3",
                           "f5e3", "f2e3", "e8f7", "f1e2", "a7a6", "e1g1"}),
              (std::vector<std::string>{"e4", "f5", "exf5", "g6", "fxg6", "Nh6", "gxh7", "Nf5",
                                        "Nh3", "Ne3", "fxe3", "Kf7", "Be2", "a6", "O-O+"}));
}

TEST(PgnTags, SevenTagRosterInOrder) {
    CTesselDoc doc;
    doc.m_playMode = kPlayWhite;
    SetMoves(doc, {});
    EXPECT_EQ(ExportPgn(doc, kDate),
              "[Event \"Quillon game\"]\n"
              "[Site \"?\"]\n"
              "[Date \"2026.12.06\"]\n"
              "[Round \"-\"]\n"
              "[White \"Player\"]\n"
              "[Black \"Quillon\"]\n"
              "[Result \"*\"]\n"
              "\n"
              "*\n");
}

TEST(PgnResult, FollowsMateAndDrawAndEndsTheMovetext) {
    struct Case {
        int16_t matedSide;
        bool drawn;
        std::string result;
    };
    for (const Case& c : {Case{kBlack, false, "1-0"}, Case{kWhite, false, "0-1"},
                          Case{0, true, "1/2-1/2"}, Case{0, false, "*"}}) {
        CTesselDoc doc;
        SetMoves(doc, {"e2e4", "e7e5"});
        doc.m_matedSide = c.matedSide;
        doc.m_drawn = c.drawn;
        const std::string pgn = ExportPgn(doc, kDate);
        EXPECT_EQ(TagValue(pgn, "Result"), c.result);
        EXPECT_EQ(Movetext(pgn), "1. e4 e5 " + c.result + "\n");
    }
}

TEST(PgnMovetext, StopsBeforeAMoveThatIsNotLegalAndLeavesTheGameOpen) {
    CTesselDoc doc;
    SetMoves(doc, {"e2e4", "e2e4", "e7e5"});
    doc.m_drawn = true;
    const std::string pgn = ExportPgn(doc, kDate);
    EXPECT_EQ(Movetext(pgn), "1. e4 *\n");
    EXPECT_EQ(TagValue(pgn, "Result"), "*");
}

TEST(PgnMovetext, LongGamesWrapBelowEightyColumnsWithoutLosingTokens) {
    const std::vector<std::string> moves = KnightShuffle(60);
    CTesselDoc doc;
    SetMoves(doc, moves);
    const std::string text = Movetext(ExportPgn(doc, kDate));

    std::istringstream lines(text);
    int lineCount = 0;
    for (std::string line; std::getline(lines, line); ++lineCount) {
        EXPECT_LT(line.size(), 80u) << line;
        EXPECT_FALSE(line.empty());
        EXPECT_NE(line.front(), ' ');
        EXPECT_NE(line.back(), ' ');
    }
    EXPECT_GT(lineCount, 1);

    const std::vector<std::string> tokens = Tokens(text);
    ASSERT_EQ(tokens.size(), moves.size() / 2 * 3 + 1);
    EXPECT_EQ(tokens[0], "1.");
    EXPECT_EQ(tokens[tokens.size() - 4], "120.");
    EXPECT_EQ(tokens[tokens.size() - 3], "Ng1");
    EXPECT_EQ(tokens[tokens.size() - 2], "Ng8");
    EXPECT_EQ(tokens.back(), "*");
}

namespace {

struct ReadCase {
    const char* name;
    std::string pgn;
    std::string san;
};

class ReadsImportFormat : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadsImportFormat, FindsTheMainLine) {
    ASSERT_EQ(ImportPgn(GetParam().pgn, {}).error, "");
    EXPECT_EQ(ImportedSan(GetParam().pgn), GetParam().san);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, ReadsImportFormat,
    testing::Values(
        ReadCase{"CommentsVariationsAndAnnotations",
                 "% an escape line\n[Event \"Casual\"]\n[White \"A\"] ; comment\n"
                 "[Black \"B\"]\n\n{ before } 1. e4 {best by test} e5 (1... c5 2. Nf3 (2. c3) "
                 "d6) 2. Nf3! $1 Nc6?! 3. Bb5 a6 ; to the end of the line\n4. Ba4 1-0\n",
                 "e4 e5 Nf3 Nc6 Bb5 a6 Ba4"},
        ReadCase{"DotsLineEndingsAndByteOrderMark",
                 "\xEF\xBB\xBF[Event \"x\"]\r\n\r\n1.e4 e5 2.Nf3 2...Nc6\r3. Bc4 *",
                 "e4 e5 Nf3 Nc6 Bc4"},
        ReadCase{"NoTagsAndCastlingWithZeros",
                 "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6 5. d3 d6 6. Bg5 h6 7. Bh4 g5 8. Bg3 "
                 "Qe7 9. Nc3 Bd7 10. Qd2 0-0-0 *",
                 "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O Nf6 d3 d6 Bg5 h6 Bh4 g5 Bg3 Qe7 Nc3 Bd7 Qd2 O-O-O"},
        ReadCase{"DisambiguationByFileRankAndSquare",
                 "1. d4 Nf6 2. a4 d6 3. Qd1d2 Nbd7 4. h4 e5 5. Rh3 g6 6. Rha3 b6 7. R1a2 *",
                 "d4 Nf6 a4 d6 Qd2 Nbd7 h4 e5 Rh3 g6 Rha3 b6 R1a2"},
        ReadCase{"ChecksMatesAndQueening",
                 "1. h4 g5 2. hxg5 h6 3. gxh6 Bg7 4. hxg7?? Nf6 5. gxh8=Q+! Ng8 6. Qxg8# 1-0",
                 "h4 g5 hxg5 h6 gxh6 Bg7 hxg7 Nf6 gxh8=Q+ Ng8 Qxg8#"},
        ReadCase{"FoolsMateWithoutCheckMarks", "1. f3 e5 2. g4 Qh4 0-1", "f3 e5 g4 Qh4#"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::string pgn;
    std::string error;
};

class RefusesWithAReason : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusesWithAReason, NamesWhereReadingStopped) {
    EXPECT_EQ(ImportPgn(GetParam().pgn, {}).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Pgn, RefusesWithAReason,
    testing::Values(
        RefusalCase{"EnPassant", "1. e4 a6 2. e5 d5 3. exd6 *",
                    "Move 3 (exd6) is an en-passant capture, which Quillon does not play."},
        RefusalCase{"UnderPromotion", "1. h4 g5 2. hxg5 h6 3. gxh6 Bg7 4. hxg7 Nf6 5. gxh8=N *",
                    "Move 5 (gxh8=N) is a promotion to a knight, which Quillon does not play."},
        RefusalCase{"SetUpPosition",
                    "[SetUp \"1\"]\n[FEN \"7k/8/8/8/8/8/8/K7 w - - 0 1\"]\n\n1. Kb1 *",
                    "The game starts from a set-up position (FEN tag), which Quillon does not "
                    "play."},
        RefusalCase{"IllegalMove", "1. e4 e5 2. Ke3 *", "Move 2 (Ke3) is not a legal move here."},
        RefusalCase{"IllegalBlackMove", "1. e4 Ke7 *", "Move 1 (...Ke7) is not a legal move here."},
        RefusalCase{"AmbiguousMove", "1. e4 e5 2. Nc3 Nc6 3. Ne2 *",
                    "Move 3 (Ne2) is ambiguous: more than one piece can make it."},
        RefusalCase{"NotSan", "1. e4 Zz5 *", "Move 1 (...Zz5) is not a move in SAN."},
        RefusalCase{"PromotionToAKing", "1. h4 g5 2. hxg5 h6 3. gxh6 Bg7 4. hxg7 Nf6 5. gxh8=K *",
                    "Move 5 (gxh8=K) is not a move in SAN."},
        RefusalCase{"MalformedToken", "[Event \"x\"]\n\n1. e4 & e5 *",
                    "Line 3: unexpected character '&'."},
        RefusalCase{"MalformedTag", "[Event x]\n1. e4 *", "Line 1: a tag pair without a value."},
        RefusalCase{"TruncatedGame", "[Event \"x\"]\n\n1. e4 e5 2. Nf3",
                    "The file ends on line 3 in the middle of a game, before its result."},
        RefusalCase{"TruncatedComment", "1. e4 {unfinished\n",
                    "The file ends inside the comment begun on line 1."},
        RefusalCase{"TruncatedVariation", "1. e4 (1. d4 d5\n2. c4 *",
                    "The file ends inside the variation begun on line 1."},
        RefusalCase{"EmptyFile", "", "The file holds no game."},
        RefusalCase{"OnlyComments", "; nothing\n{ at all }\n", "The file holds no game."},
        RefusalCase{"BinaryJunk", "\x01\x02\xff", "Line 1: unexpected character byte 0x01."},
        RefusalCase{"TooLarge", std::string(kMaxPgnFileBytes + 1, ' '),
                    "The file is larger than 10 MB."}),
    [](const auto& info) { return std::string(info.param.name); });

const std::string kThreeGames =
    "[Event \"Club\"]\n[White \"Anna\"]\n[Black \"Bert\"]\n[Result \"1-0\"]\n[ECO \"C20\"]\n"
    "[Opening \"King's pawn\"]\n[Variation \"Open\"]\n\n1. e4 1-0\n\n"
    "[White \"M\xFCller\"]\n[Event \"Open\"]\n[Black \"Cleo\"]\n\n1. d4 d5 1/2-1/2\n\n"
    "1. c4 c5 2. Nc3 Nc6 3. g3 g6 4. Bg2 Bg7 5. Nf3 Nf6 6. O-O O-O 7. d3 *\n";

TEST(PgnImport, OffersEveryGameOfTheFileAndReadsTheOnePicked) {
    std::vector<PgnGameSummary> offered;
    const std::string picked = ImportedSan(kThreeGames, [&](const auto& games) {
        offered = games;
        return std::optional<std::size_t>(1);
    });
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].white, "Anna");
    EXPECT_EQ(offered[0].black, "Bert");
    EXPECT_EQ(offered[0].result, "1-0");
    EXPECT_EQ(offered[0].event, "Club");
    EXPECT_EQ(offered[0].eco, "C20");
    EXPECT_EQ(offered[0].opening, "King's pawn, Open");
    EXPECT_EQ(offered[0].firstMoves, "1. e4");
    EXPECT_EQ(offered[1].opening, "");
    EXPECT_EQ(offered[2].firstMoves,
              "1. c4 c5 2. Nc3 Nc6 3. g3 g6 4. Bg2 Bg7 5. Nf3 Nf6 6. O-O O-O ...");
    // A Latin-1 name reads as UTF-8.
    EXPECT_EQ(offered[1].white, "M\xC3\xBCller");
    EXPECT_EQ(offered[2].result, "*");
    EXPECT_EQ(picked, "d4 d5");
}

TEST(PgnImport, ChoosingNoGameCancelsAndAGameBeyondTheFileIsRefused) {
    EXPECT_TRUE(ImportPgn(kThreeGames, [](const auto&) { return std::nullopt; }).cancelled);
    EXPECT_EQ(
        ImportPgn(kThreeGames, [](const auto&) { return std::optional<std::size_t>(3); }).error,
        "There is no game 4: the file holds 3.");
    EXPECT_EQ(ImportedSan(kThreeGames), "e4");
}

}  // namespace
