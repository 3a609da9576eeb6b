#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

// A game opened or saved lately: its file and, for a game picked from a PGN
// file that holds several, its number there (from 1); 0 for the others.
struct RecentGame {
    QString path;
    int gameNumber = 0;

    bool operator==(const RecentGame&) const = default;
};

// The games opened or saved last, newest first, remembered between runs.
class RecentGames {
public:
    static constexpr std::size_t kMaxGames = 8;

    // What choosing an entry gives: the game to open, or, for a file that has
    // gone and so left the list, the message that says so.
    struct Choice {
        std::optional<RecentGame> game;
        QString message;
    };

    // The list as the last run left it.
    RecentGames();

    const std::vector<RecentGame>& Games() const { return m_games; }
    // Puts the game first, once, and remembers the list.
    void Add(const RecentGame& game);
    Choice Choose(std::size_t index);
    // "&1 name.qln", or "&2 name.pgn, game 3" for a game picked from several.
    QString MenuText(std::size_t index) const;

private:
    void Remember() const;

    std::vector<RecentGame> m_games;
};
