#include "document/pgnexport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/tesseldoc.h"
#include "tests/support/squarenames.h"

namespace {

const std::string kDate = "2026.12.06";

// Fills the document's move list from moves written as "e2e4".
void SetMoves(CTesselDoc& doc, const std::vector<std::string>& moves) {
    doc.m_moves.clear();
    for (const std::string& move : moves) {
        const std::string_view text = move;
        doc.m_moves.push_back({static_cast<int16_t>(Sq(text.substr(0, 2))),
                               static_cast<int16_t>(Sq(text.substr(2, 2)))});
    }
    doc.m_moveCount = static_cast<int16_t>(doc.m_moves.size());
}

std::string Movetext(const std::string& pgn) { return pgn.substr(pgn.find("\n\n") + 2); }

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> tokens;
    for (std::string token; stream >> token;) tokens.push_back(token);
    return tokens;
}

// The SAN moves of the export: the movetext without move numbers and result.
std::vector<std::string> SanMoves(const std::string& pgn) {
    std::vector<std::string> moves;
    const std::vector<std::string> tokens = Tokens(Movetext(pgn));
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].back() != '.') moves.push_back(tokens[i]);
    }
    return moves;
}

std::vector<std::string> ExportedSan(const std::vector<std::string>& moves) {
    CTesselDoc doc;
    SetMoves(doc, moves);
    return SanMoves(ExportPgn(doc, kDate));
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

TEST(PgnMovetext, ReplaysOnlyTheCountedMoves) {
    CTesselDoc doc;
    SetMoves(doc, {"e2e4", "e7e5", "g1f3"});
    doc.m_moveCount = 2;
    EXPECT_EQ(Movetext(ExportPgn(doc, kDate)), "1. e4 e5 *\n");
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
