#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One move of a game's movetext as the file writes it, with the text of
// the brace comments that follow it (where the clock comments are).
struct SanToken {
    std::string text;
    int line;
    std::string comment;
};

// One game of a PGN file: its tag pairs and its main line. Annotations,
// variations and the comments before the first move are left out.
struct PgnGame {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<SanToken> moves;
    std::string result;

    // The tag's value, empty when the game has no such tag.
    std::string Tag(std::string_view name) const;
};

// Reads the games of a PGN file in the standard's import format: any
// whitespace and line endings, brace and semicolon comments, escape lines,
// NAGs and suffix annotations, recursive variations (skipped), move numbers
// with any number of dots. Tag values that are not UTF-8 are read as
// Latin-1.
class PgnParser {
public:
    explicit PgnParser(std::string_view text);

    // False, with Error() naming the line where reading stopped, when the
    // text is not PGN or ends in the middle of a game.
    bool Parse(std::vector<PgnGame>& games);
    const std::string& Error() const { return m_error; }

private:
    bool AtEnd() const { return m_position >= m_text.size(); }
    char Peek() const { return m_text[m_position]; }
    void Advance();
    bool SkipSpaceAndComments();
    bool SkipBraceComment();
    void AttachComments(PgnGame& game);
    void SkipRestOfLine();
    bool ReadTagPair(PgnGame& game);
    bool ReadString(std::string& value);
    std::string ReadSymbol();
    bool ReadNag();
    bool ReadMovetextToken(PgnGame& game, std::vector<PgnGame>& games);
    bool TakeSymbol(const std::string& symbol, PgnGame& game, std::vector<PgnGame>& games);
    void EndGame(PgnGame& game, std::vector<PgnGame>& games, std::string result);
    bool FailAtLine(const std::string& what);
    bool FailAtEnd();

    std::string_view m_text;
    std::size_t m_position = 0;
    int m_line = 1;
    bool m_atLineStart = true;
    // Nesting depth of the variation being skipped, 0 in the main line.
    int m_variationDepth = 0;
    int m_variationLine = 0;
    // The game has begun: a tag or a move has been read.
    bool m_inGame = false;
    bool m_inMovetext = false;
    // The main line's brace comments read since the last move.
    std::string m_comments;
    std::string m_error;
};
