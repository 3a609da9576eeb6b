#pragma once

// Command ids of the menu and the shortcuts.
enum CommandId : int {
    ID_PLAY_HUMANVSHUMAN = 32773,
    ID_MOVE_UNDO = 32776,
    ID_MOVE_UNDOALL = 32777,
    ID_MOVE_NOW = 32778,
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
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

constexpr int kMinSearchDepth = 1;
constexpr int kMaxSearchDepth = 5;

// One command: its menu text (the part after a tab is the shortcut as the
// menu shows it), its shortcut and its prompt text.
struct Command {
    int id;
    const char* text;
    const char* shortcut;
    const char* prompt;
};

const Command& FindCommand(int id);

int DepthCommand(int depth);
