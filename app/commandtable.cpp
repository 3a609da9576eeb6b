#include "app/commandtable.h"

#include <algorithm>
#include <array>

namespace {

constexpr char kDepthPrompt[] = "Set the depth to which the computer thinks ahead";

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
    Command{ID_SKILL_NOVICE, "&Novice", "", "Set Skill level to Novice"},
    Command{ID_SKILL_EXPERT, "&Expert", "", "Set Skill level to Expert"},
    Command{ID_DEPTH_1, "&1", "", kDepthPrompt},
    Command{ID_DEPTH_2, "&2", "", kDepthPrompt},
    Command{ID_DEPTH_3, "&3", "", kDepthPrompt},
    Command{ID_DEPTH_4, "&4", "", kDepthPrompt},
    Command{ID_DEPTH_5, "&5", "", kDepthPrompt},
    Command{ID_MOVE_UNDO, "&Undo\tCtrl-Z", "Ctrl+Z", "Undo a move"},
    Command{ID_MOVE_UNDOALL, "Undo A&ll", "", "Undo all moves"},
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
