#include "document/pgnparser.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kResults[] = {"1-0", "0-1", "1/2-1/2"};
constexpr char kUnfinished[] = "*";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// The characters a symbol (a move, a move number, a result) continues with.
bool IsSymbolChar(char c) {
    return IsLetterOrDigit(c) || c == '_' || c == '+' || c == '#' || c == '=' || c == ':' ||
           c == '-' || c == '/';
}
bool IsMoveNumber(const std::string& symbol) {
    return std::all_of(symbol.begin(), symbol.end(), IsDigit);
}
bool IsResult(const std::string& symbol) {
    return std::find(std::begin(kResults), std::end(kResults), symbol) != std::end(kResults);
}

// The length of the UTF-8 sequence at text[i], 0 when there is none.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) length = 2;
    if ((lead & 0xF0) == 0xE0) length = 3;
    if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// Older files write names in Latin-1, whose characters are the first 256
// code points.
std::string AsUtf8(const std::string& text) {
    if (IsUtf8(text)) return text;
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string Describe(char c) {
    char text[32];
    const auto byte = static_cast<unsigned char>(c);
    if (byte > ' ' && byte < 0x7F) {
        std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        std::snprintf(text, sizeof text, "byte 0x%02X", byte);
    }
    return text;
}

}  // namespace

std::string PgnGame::Tag(std::string_view name) const {
    for (const auto& [tagName, value] : tags) {
        if (tagName == name) return value;
    }
    return {};
}

PgnParser::PgnParser(std::string_view text) : m_text(text) {
    if (m_text.starts_with(kByteOrderMark)) m_position = kByteOrderMark.size();
}

bool PgnParser::Parse(std::vector<PgnGame>& games) {
    PgnGame game;
    while (true) {
        if (!SkipSpaceAndComments()) return false;
        AttachComments(game);
        if (AtEnd()) break;
        if (Peek() == '[' && m_variationDepth == 0) {
            if (m_inMovetext)
                return FailAtLine("a tag pair in the moves; the game above has no result.");
            if (!ReadTagPair(game)) return false;
            m_inGame = true;
        } else if (!ReadMovetextToken(game, games)) {
            return false;
        }
    }
    if (m_variationDepth > 0 || m_inGame) return FailAtEnd();
    return true;
}

void PgnParser::Advance() {
    const char c = Peek();
    ++m_position;
    // A carriage return ends a line unless a line feed follows and does.
    const bool endsLine = c == '\n' || (c == '\r' && (AtEnd() || Peek() != '\n'));
    if (endsLine) ++m_line;
    m_atLineStart = endsLine;
}

bool PgnParser::SkipSpaceAndComments() {
    while (!AtEnd()) {
        const char c = Peek();
        if (IsSpace(c)) {
            Advance();
        } else if (c == '%' && m_atLineStart) {
            SkipRestOfLine();
        } else if (c == ';') {
            SkipRestOfLine();
        } else if (c == '{') {
            if (!SkipBraceComment()) return false;
        } else {
            return true;
        }
    }
    return true;
}

bool PgnParser::SkipBraceComment() {
    const int startLine = m_line;
    const std::size_t start = m_position + 1;
    while (!AtEnd() && Peek() != '}') Advance();
    if (AtEnd()) {
        m_error =
            "The file ends inside the comment begun on line " + std::to_string(startLine) + ".";
        return false;
    }
    if (m_variationDepth == 0) m_comments += m_text.substr(start, m_position - start);
    Advance();
    return true;
}

void PgnParser::AttachComments(PgnGame& game) {
    if (!game.moves.empty()) game.moves.back().comment += m_comments;
    m_comments.clear();
}

void PgnParser::SkipRestOfLine() {
    while (!AtEnd() && Peek() != '\n' && Peek() != '\r') Advance();
}

bool PgnParser::ReadTagPair(PgnGame& game) {
    Advance();
    SkipSpaceAndComments();
    const std::string name = AtEnd() ? std::string() : ReadSymbol();
    if (name.empty()) return FailAtLine("a tag pair without a tag name.");
    while (!AtEnd() && IsSpace(Peek())) Advance();
    std::string value;
    if (AtEnd() || Peek() != '"')
        return AtEnd() ? FailAtEnd() : FailAtLine("a tag pair without a value.");
    if (!ReadString(value)) return false;
    while (!AtEnd() && IsSpace(Peek())) Advance();
    if (AtEnd()) return FailAtEnd();
    if (Peek() != ']') return FailAtLine("a tag pair that does not end with ']'.");
    Advance();
    game.tags.emplace_back(name, AsUtf8(value));
    return true;
}

bool PgnParser::ReadString(std::string& value) {
    Advance();
    while (!AtEnd()) {
        char c = Peek();
        if (c == '"') {
            Advance();
            return true;
        }
        if (c == '\n' || c == '\r') return FailAtLine("a tag value that does not end on its line.");
        if (c == '\\') {
            Advance();
            if (AtEnd()) break;
            c = Peek();
        }
        value += c;
        Advance();
    }
    return FailAtEnd();
}

std::string PgnParser::ReadSymbol() {
    std::string symbol;
    if (!IsLetterOrDigit(Peek())) return symbol;
    while (!AtEnd() && IsSymbolChar(Peek())) {
        symbol += Peek();
        Advance();
    }
    return symbol;
}

bool PgnParser::ReadNag() {
    Advance();
    if (AtEnd() || !IsDigit(Peek()))
        return FailAtLine("a '$' without the number of an annotation.");
    while (!AtEnd() && IsDigit(Peek())) Advance();
    return true;
}

bool PgnParser::ReadMovetextToken(PgnGame& game, std::vector<PgnGame>& games) {
    const char c = Peek();
    switch (c) {
        case '(':
            if (m_variationDepth++ == 0) m_variationLine = m_line;
            Advance();
            return true;
        case ')':
            if (m_variationDepth == 0) return FailAtLine("a ')' that closes no variation.");
            --m_variationDepth;
            Advance();
            return true;
        case '.':
        case '!':
        case '?':
            Advance();
            return true;
        case '$':
            return ReadNag();
        case '*':
            Advance();
            if (m_variationDepth == 0) EndGame(game, games, kUnfinished);
            return true;
        default:
            break;
    }
    if (!IsLetterOrDigit(c)) return FailAtLine("unexpected character " + Describe(c) + ".");
    return TakeSymbol(ReadSymbol(), game, games);
}

bool PgnParser::TakeSymbol(const std::string& symbol, PgnGame& game, std::vector<PgnGame>& games) {
    if (m_variationDepth > 0) return true;
    m_inGame = true;
    m_inMovetext = true;
    if (IsMoveNumber(symbol)) return true;
    if (IsResult(symbol)) {
        EndGame(game, games, symbol);
        return true;
    }
    game.moves.push_back({symbol, m_line, {}});
    return true;
}

void PgnParser::EndGame(PgnGame& game, std::vector<PgnGame>& games, std::string result) {
    game.result = std::move(result);
    games.push_back(std::move(game));
    game = PgnGame();
    m_inGame = false;
    m_inMovetext = false;
}

bool PgnParser::FailAtLine(const std::string& what) {
    m_error = "Line " + std::to_string(m_line) + ": " + what;
    return false;
}

bool PgnParser::FailAtEnd() {
    if (m_variationDepth > 0) {
        m_error = "The file ends inside the variation begun on line " +
                  std::to_string(m_variationLine) + ".";
    } else {
        m_error = "The file ends on line " + std::to_string(m_line) +
                  " in the middle of a game, before its result.";
    }
    return false;
}
