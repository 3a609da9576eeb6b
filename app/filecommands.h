#pragma once

#include <QObject>
#include <QString>

#include "document/document.h"

class CTesselDoc;
class CTesselView;
class Prompter;
class QWidget;

// The File menu's game files: new, open, save, save as, and the question
// about unsaved changes that comes before a game is replaced or the window
// closed.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(CTesselView& view, Prompter& prompter, QWidget* window);

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Writes the game as PGN to a file the user names.
    void OnFileExportPgn();
    // A file dropped on the window, opened as by File > Open.
    void OpenDroppedFile(const QString& path);
    // Opens the file and shows its game; on failure shows why and leaves the
    // game that was open.
    bool OpenDocumentFile(const QString& path);
    // Asks "Save changes to ...?" when the game has unsaved changes; false
    // when the user cancelled or the save failed.
    bool SaveModified();

signals:
    // The document's file name or unsaved-changes state changed.
    void DocumentChanged();

private:
    bool DoSave(const QString& path);
    void ShowFileError(const std::string& message);

    CTesselView& m_view;
    CTesselDoc& m_doc;
    Prompter& m_prompter;
    QWidget* m_window;
};

// The caption of the program's own message boxes.
extern const QString kAppName;
