#include "app/commandtable.h"

#include <algorithm>
#include <array>

#include "computer/intelligence.h"

namespace {

constexpr char kDepthPrompt[] = "Set the depth to which the computer thinks ahead";
constexpr char kTimeControlPrompt[] = "Start a new game with this time for each side";
constexpr char kMoveTimePrompt[] = "Set the longest the computer thinks about a move";

constexpr std::array kCommands = {
    Command{ID_FILE_NEW, "&New\tCtrl+N", "Ctrl+N", ""},
    Command{ID_FILE_OPEN, "&Open...\tCtrl+O", "Ctrl+O", ""},
    Command{ID_FILE_SAVE, "&Save\tCtrl+S", "Ctrl+S", ""},
    Command{ID_FILE_SAVE_AS, "Save &As...", "", ""},
    Command{ID_FILE_EXPORT_PGN, "&Export PGN...", "", ""},
    Command{ID_FILE_PRINT, "&Print...\tCtrl+P", "Ctrl+P", ""},
    Command{ID_APP_EXIT, "E&xit", "", ""},
    Command{ID_PLAY_HUMANVSHUMAN, "&Human vs Human", "", "Play a Two Player Game"},
    Command{ID_PLAY_BLACK, "Play &Black", "", "You play Black. Computer plays White."},
    Command{ID_PLAY_WHITE, "Play &White", "", "You play White. Computer plays Black"},
    Command{ID_PLAY_COMPUTERVSCOMPUTER, "&Computer vs Computer", "",
            "The computer plays both sides"},
    Command{ID_TIME_NO_LIMIT, "&No Limit", "", "Play without a time limit"},
    Command{ID_TIME_1_MIN, "&1 min", "", kTimeControlPrompt},
    Command{ID_TIME_3_MIN_2_S, "&3 min + 2 s", "", kTimeControlPrompt},
    Command{ID_TIME_5_MIN, "&5 min", "", kTimeControlPrompt},
    Command{ID_TIME_10_MIN_5_S, "1&0 min + 5 s", "", kTimeControlPrompt},
    Command{ID_TIME_15_MIN_10_S, "15 &min + 10 s", "", kTimeControlPrompt},
    Command{ID_TIME_30_MIN, "3&0 min", "", kTimeControlPrompt},
    Command{ID_TIME_CUSTOM, "&Custom...", "", "Choose the time for each side and per move"},
    Command{ID_SKILL_NOVICE, "&Novice", "", "Set Skill level to Novice"},
    Command{ID_SKILL_EXPERT, "&Expert", "", "Set Skill level to Expert"},
    Command{ID_DEPTH_1, "&1", "", kDepthPrompt},
    Command{ID_DEPTH_2, "&2", "", kDepthPrompt},
    Command{ID_DEPTH_3, "&3", "", kDepthPrompt},
    Command{ID_DEPTH_4, "&4", "", kDepthPrompt},
    Command{ID_DEPTH_5, "&5", "", kDepthPrompt},
    Command{ID_MOVE_TIME_NO_LIMIT, "&No Limit", "", kMoveTimePrompt},
    Command{ID_MOVE_TIME_1_S, "&1 s", "", kMoveTimePrompt},
    Command{ID_MOVE_TIME_5_S, "&5 s", "", kMoveTimePrompt},
    Command{ID_MOVE_TIME_15_S, "15 &s", "", kMoveTimePrompt},
    Command{ID_MOVE_TIME_60_S, "&60 s", "", kMoveTimePrompt},
    Command{ID_MOVE_UNDO, "&Undo\tCtrl-Z", "Ctrl+Z", "Undo a move"},
    Command{ID_MOVE_UNDOALL, "Undo A&ll", "", "Undo all moves"},
    Command{ID_MOVE_REDO, "&Redo\tCtrl+Shift+Z", "Ctrl+Shift+Z; Ctrl+Y",
            "Make a move taken back again"},
    Command{ID_MOVE_RESIGN, "Re&sign...", "", "Give up the game"},
    Command{ID_MOVE_NOW, "Move &Now\tCtrl+M", "Ctrl+M", "Play the best move found so far"},
    Command{ID_MOVE_HINT, "&Hint\tH", "H", "Suggest a move"},
    Command{ID_VIEW_MOVELIST, "&Move List", "", "Show the moves of the game beside the board"},
    Command{ID_VIEW_LEGALMOVES, "&Legal Moves", "", "Mark where the piece taken up may go"},
    Command{ID_VIEW_LASTMOVE, "La&st Move", "", "Mark the squares of the last move"},
    Command{ID_VIEW_FLIPBOARD, "&Flip Board", "", "Show Black at the bottom"},
    Command{ID_VIEW_COORDINATES, "&Coordinates", "", "Show files and ranks along the board"},
    Command{ID_APP_ABOUT, "&About Quillon...", "", ""},
};

}  // namespace

const Command& FindCommand(int id) {
    return *std::find_if(kCommands.begin(), kCommands.end(),
                         [id](const Command& command) { return command.id == id; });
}

int DepthCommand(int depth) { return ID_DEPTH_1 + depth - kMinSearchDepth; }
