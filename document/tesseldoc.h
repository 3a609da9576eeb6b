#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "computer/intelligence.h"
#include "document/document.h"

class Archive;

struct MoveEntry {
    int16_t from;
    int16_t to;
};

// What the user-interface thread may read while a move is processed: the
// position and side to move as they stand between moves.
struct PublishedPosition {
    std::array<int16_t, kSquareCount> board;
    int16_t sideToMove;
};

constexpr int kPlayHumanVsHuman = 0;
constexpr int kPlayWhite = 1;
constexpr int kPlayBlack = 2;
constexpr int kSkillNovice = 1;
constexpr int kSkillExpert = 2;
// The most moves a 16-bit count can carry.
constexpr int kMaxMoves = 32767;

class CTesselDoc : public Document {
public:
    CTesselDoc();
    ~CTesselDoc() override;

    bool OnNewDocument();
    FileResult OnOpenDocument(const std::string& path);
    FileResult OnSaveDocument(const std::string& path);
    void Serialize(Archive& archive) override;

    bool MakeUserMove(bool& check, bool& mate);
    bool MakeNextMove(bool& check, bool& mate);
    void RebuildPosition();

    // Copies the position and side to move for the user-interface thread.
    void Publish();
    PublishedPosition Published() const;

    std::unique_ptr<Intelligence> m_pEngine;
    int32_t m_playMode = kPlayWhite;
    std::vector<MoveEntry> m_moves;
    int16_t m_moveCount = 0;
    int32_t m_skillLevel = kSkillExpert;
    bool m_gameOver = false;
    bool m_drawn = false;
    int16_t m_toSquare = 0;
    int16_t m_fromSquare = 0;
    std::array<int16_t, 3> m_kingOnlyCountdown{};
    // The side that was checkmated by the last move, 0 if none.
    int16_t m_matedSide = 0;

private:
    void AfterMoveTests(int from, int to, int side, bool& check, bool& mate);

    mutable std::mutex m_publishedMutex;
    PublishedPosition m_published{};
};
