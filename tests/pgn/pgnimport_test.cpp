#include "document/pgnimport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "document/pgnexport.h"
#include "document/tesseldoc.h"

namespace {

const std::string kDate = "2026.12.06";

// The moves as Quillon writes them: the export's movetext without move
// numbers and result.
std::string ExportedSan(const std::vector<MoveEntry>& moves) {
    CTesselDoc doc;
    doc.m_moves = moves;
    doc.m_moveCount = static_cast<int16_t>(moves.size());
    const std::string pgn = ExportPgn(doc, kDate);
    std::istringstream movetext(pgn.substr(pgn.find("\n\n") + 2));
    std::string san;
    for (std::string token; movetext >> token;) {
        if (token.back() == '.' || token == "*" || token == "1-0" || token == "0-1" ||
            token == "1/2-1/2") {
            continue;
        }
        san += (san.empty() ? "" : " ") + token;
    }
    return san;
}

PgnImport Import(const std::string& text) { return ImportPgn(text, {}); }

struct ReadCase {
    const char* name;
    std::string pgn;
    std::string san;
};

class ReadsImportFormat : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadsImportFormat, FindsTheMainLine) {
    const PgnImport import = Import(GetParam().pgn);
    ASSERT_EQ(import.error, "");
    EXPECT_EQ(ExportedSan(import.moves), GetParam().san);
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
    EXPECT_EQ(Import(GetParam().pgn).error, GetParam().error);
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

TEST(PgnImport, KeepsTheMovesBeforeARefusal) {
    const PgnImport import = Import("1. e4 a6 2. e5 d5 3. exd6 *");
    EXPECT_EQ(ExportedSan(import.moves), "e4 a6 e5 d5");
}

const std::string kThreeGames =
    "[Event \"Club\"]\n[White \"Anna\"]\n[Black \"Bert\"]\n[Result \"1-0\"]\n\n1. e4 1-0\n\n"
    "[White \"M\xFCller\"]\n[Event \"Open\"]\n[Black \"Cleo\"]\n\n1. d4 d5 1/2-1/2\n\n"
    "1. c4 *\n";

TEST(PgnImport, OffersEveryGameOfTheFileAndReadsTheOnePicked) {
    std::vector<PgnGameSummary> offered;
    const PgnImport import = ImportPgn(kThreeGames, [&](const auto& games) {
        offered = games;
        return std::optional<std::size_t>(1);
    });
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].white, "Anna");
    EXPECT_EQ(offered[0].black, "Bert");
    EXPECT_EQ(offered[0].result, "1-0");
    EXPECT_EQ(offered[0].event, "Club");
    // A Latin-1 name reads as UTF-8.
    EXPECT_EQ(offered[1].white, "M\xC3\xBCller");
    EXPECT_EQ(offered[2].result, "*");
    EXPECT_EQ(ExportedSan(import.moves), "d4 d5");
}

TEST(PgnImport, ChoosingNoGameCancelsAndAGameBeyondTheFileIsRefused) {
    EXPECT_TRUE(ImportPgn(kThreeGames, [](const auto&) { return std::nullopt; }).cancelled);
    EXPECT_EQ(
        ImportPgn(kThreeGames, [](const auto&) { return std::optional<std::size_t>(3); }).error,
        "There is no game 4: the file holds 3.");
    EXPECT_EQ(ExportedSan(Import(kThreeGames).moves), "e4");
}

}  // namespace
