#pragma once

#include <cstdint>

#include "document/timecontrol.h"

// Command ids of the menu and the shortcuts.
enum CommandId : int {
    ID_PLAY_HUMANVSHUMAN = 32773,
    ID_MOVE_UNDO = 32776,
    ID_MOVE_UNDOALL = 32777,
    ID_MOVE_NOW = 32778,
    ID_MOVE_REDO = 32779,
    ID_MOVE_RESIGN = 32780,
    ID_PLAY_BLACK = 32781,
    ID_PLAY_WHITE = 32782,
    ID_SKILL_NOVICE = 32783,
    ID_SKILL_EXPERT = 32784,
    ID_DEPTH_1 = 32786,
    ID_DEPTH_2 = 32787,
    ID_DEPTH_3 = 32788,
    ID_DEPTH_4 = 32789,
    ID_DEPTH_5 = 32790,
    ID_FILE_EXPORT_PGN = 32800,
    ID_MOVE_HINT = 32810,
    ID_VIEW_MOVELIST = 32811,
    ID_VIEW_LEGALMOVES = 32812,
    ID_VIEW_LASTMOVE = 32813,
    ID_VIEW_FLIPBOARD = 32814,
    ID_VIEW_COORDINATES = 32815,
    ID_PLAY_COMPUTERVSCOMPUTER = 32816,
    ID_TIME_NO_LIMIT = 32820,
    ID_TIME_1_MIN = 32821,
    ID_TIME_3_MIN_2_S = 32822,
    ID_TIME_5_MIN = 32823,
    ID_TIME_10_MIN_5_S = 32824,
    ID_TIME_15_MIN_10_S = 32825,
    ID_TIME_30_MIN = 32826,
    ID_TIME_CUSTOM = 32827,
    ID_MOVE_TIME_NO_LIMIT = 32830,
    ID_MOVE_TIME_1_S = 32831,
    ID_MOVE_TIME_5_S = 32832,
    ID_MOVE_TIME_15_S = 32833,
    ID_MOVE_TIME_60_S = 32834,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

// One command: its menu text (the part after a tab is the shortcut as the
// menu shows it), its shortcuts (separated by "; ") and its prompt text.
struct Command {
    int id;
    const char* text;
    const char* shortcut;
    const char* prompt;
};

const Command& FindCommand(int id);

// The Time Control menu's choices but Custom..., No Limit first.
struct TimeControlCommand {
    int id;
    TimeControl control;
};
inline constexpr TimeControlCommand kTimeControlCommands[] = {
    {ID_TIME_NO_LIMIT, {}},
    {ID_TIME_1_MIN, {60, 0, 0}},
    {ID_TIME_3_MIN_2_S, {180, 2, 0}},
    {ID_TIME_5_MIN, {300, 0, 0}},
    {ID_TIME_10_MIN_5_S, {600, 5, 0}},
    {ID_TIME_15_MIN_10_S, {900, 10, 0}},
    {ID_TIME_30_MIN, {1800, 0, 0}},
};

// The Time per Move menu's choices in milliseconds, 0 for no limit.
struct MoveTimeCommand {
    int id;
    int64_t ms;
};
inline constexpr MoveTimeCommand kMoveTimeCommands[] = {
    {ID_MOVE_TIME_NO_LIMIT, 0}, {ID_MOVE_TIME_1_S, 1000},   {ID_MOVE_TIME_5_S, 5000},
    {ID_MOVE_TIME_15_S, 15000}, {ID_MOVE_TIME_60_S, 60000},
};

int DepthCommand(int depth);
