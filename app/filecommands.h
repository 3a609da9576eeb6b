#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "app/recentgames.h"
#include "document/document.h"
#include "document/pgnimport.h"

class CTesselDoc;
class CTesselView;
class Prompter;
class QWidget;

// The File menu's game files: new, open, save, save as, and the question
// about unsaved changes that comes before a game is replaced or the window
// closed. Games are opened from saved games and from PGN files; they are
// saved as saved games, or as PGN when Save As is given a ".pgn" name.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // Picks one of a PGN file's several games; empty when the user cancels.
    using GameChooser =
        std::function<std::optional<std::size_t>(const std::vector<PgnGameSummary>&, QWidget*)>;

    FileCommands(CTesselView& view, Prompter& prompter, QWidget* window);

    void OnFileNew();
    void OnFileOpen();
    // A game read from PGN is saved through Save As, so that its file is
    // never overwritten with a saved game.
    bool OnFileSave();
    bool OnFileSaveAs();
    // Writes the game as PGN to a file the user names.
    void OnFileExportPgn();
    // A file dropped on the window, opened as by File > Open.
    void OpenDroppedFile(const QString& path);
    // Opens the file and shows its game, for a PGN file of several games the
    // one numbered gameNumber (from 1) or else the one the user picks; on
    // failure shows why and leaves the game that was open.
    bool OpenDocumentFile(const QString& path, int gameNumber = 0);
    // Opens a game of File > Recent Games, as File > Open would.
    void OpenRecentGame(std::size_t index);
    const RecentGames& Recent() const { return m_recent; }
    // Asks "Save changes to ...?" when the game has unsaved changes; false
    // when the user cancelled or the save failed.
    bool SaveModified();

    void SetGameChooser(GameChooser choose) { m_chooseGame = std::move(choose); }

signals:
    // The document's file name or unsaved-changes state changed.
    void DocumentChanged();

private:
    bool DoSave(const QString& path);
    FileResult SavePgn(const QString& path);
    QString ProposedSaveName() const;
    void ShowFileError(const std::string& message);

    CTesselView& m_view;
    CTesselDoc& m_doc;
    Prompter& m_prompter;
    QWidget* m_window;
    GameChooser m_chooseGame;
    RecentGames m_recent;
};

// The caption of the program's own message boxes.
extern const QString kAppName;

// A name typed without an extension, completed with ".qln" or else ".pgn"
// when such a file exists; otherwise the name as it stands.
QString WithDefaultExtension(const QString& path);
