#include "app/filecommands.h"

#include <QDir>
#include <QFileInfo>

#include "app/pgnfile.h"
#include "app/pgngamedialog.h"
#include "document/tesseldoc.h"
#include "view/prompter.h"
#include "view/tesselview.h"

const QString kAppName = QStringLiteral("Rovu Dider");

namespace {

const QStringList kOpenFilters = {
    QStringLiteral("Chess games (*.qln *.pgn)"), QStringLiteral("Quillon Files (*.qln)"),
    QStringLiteral("PGN Files (*.pgn)"), QStringLiteral("All Files (*.*)")};
const QStringList kSaveFilters = {QStringLiteral("Quillon Files (*.qln)"),
                                  QStringLiteral("PGN Files (*.pgn)"),
                                  QStringLiteral("All Files (*.*)")};
const QString kFileSuffix = QStringLiteral("qln");
const QString kSaveChangesQuestion = QStringLiteral("Save changes to %1?");
const QString kSaveAsCaption = QStringLiteral("Save As");
const QString kExportPgnCaption = QStringLiteral("Export PGN");
// Status lines are ended by a line feed and a carriage return.
const QString kStatusParagraph = QStringLiteral("\n\r\n\r");

bool IsPgnName(const QString& path) {
    return QFileInfo(path).suffix().compare(kPgnFileSuffix, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString WithDefaultExtension(const QString& path) {
    const QFileInfo typed(path);
    if (typed.exists() || !typed.suffix().isEmpty()) return path;
    for (const QString& suffix : {kFileSuffix, kPgnFileSuffix}) {
        const QString completed = path + '.' + suffix;
        if (QFileInfo::exists(completed)) return completed;
    }
    return path;
}

FileCommands::FileCommands(CTesselView& view, Prompter& prompter, QWidget* window)
    : QObject(window),
      m_view(view),
      m_doc(view.GetDocument()),
      m_prompter(prompter),
      m_window(window),
      m_chooseGame(&PgnGameDialog::Choose) {}

bool FileCommands::SaveModified() {
    if (!m_doc.IsModified()) return true;
    const QString question = kSaveChangesQuestion.arg(QString::fromStdString(m_doc.GetTitle()));
    switch (m_prompter.AskYesNoCancel(m_window, kAppName, question)) {
        case Prompter::Answer::Yes:
            return OnFileSave();
        case Prompter::Answer::No:
            return true;
        case Prompter::Answer::Cancel:
            break;
    }
    return false;
}

void FileCommands::OnFileNew() {
    if (!SaveModified()) {
        m_view.ResumeStoppedReply();
        return;
    }
    m_view.StopMoveWorker();
    m_doc.OnNewDocument();
    m_view.ShowGameFromDocument();
    emit DocumentChanged();
}

void FileCommands::OnFileOpen() {
    const QString path =
        SaveModified() ? m_prompter.AskOpenFileName(m_window, kOpenFilters) : QString();
    if (path.isEmpty()) {
        m_view.ResumeStoppedReply();
        return;
    }
    OpenDocumentFile(WithDefaultExtension(path));
}

void FileCommands::OpenDroppedFile(const QString& path) {
    if (!SaveModified()) {
        m_view.ResumeStoppedReply();
        return;
    }
    OpenDocumentFile(path);
}

void FileCommands::OpenRecentGame(std::size_t index) {
    const RecentGames::Choice choice = m_recent.Choose(index);
    if (!choice.game) {
        m_prompter.ShowMessage(m_window, kAppName, choice.message, Prompter::Icon::Warning);
        return;
    }
    if (!SaveModified()) {
        m_view.ResumeStoppedReply();
        return;
    }
    OpenDocumentFile(choice.game->path, choice.game->gameNumber);
}

bool FileCommands::OpenDocumentFile(const QString& path, int gameNumber) {
    m_view.StopMoveWorker();
    // A game picked from several is remembered with its number.
    const auto choose = [this, &gameNumber](const std::vector<PgnGameSummary>& games) {
        if (games.size() < 2) return std::optional<std::size_t>(0);
        if (gameNumber > 0) return std::optional<std::size_t>(gameNumber - 1);
        const std::optional<std::size_t> picked = m_chooseGame(games, m_window);
        if (picked) gameNumber = static_cast<int>(*picked) + 1;
        return picked;
    };
    const FileResult result = m_doc.OnOpenDocument(path.toStdString(), choose);
    if (!result.ok) {
        // An empty message: the user cancelled the choice of a game.
        if (!result.message.empty()) ShowFileError(result.message);
        m_view.ResumeStoppedReply();
        return false;
    }
    m_recent.Add({path, gameNumber});
    m_view.ShowGameFromDocument();
    if (!m_doc.m_importNote.empty()) {
        m_view.ShowStatus(m_view.StatusText() + kStatusParagraph +
                          QString::fromStdString(m_doc.m_importNote));
    }
    m_view.ReplyIfComputersTurn();
    emit DocumentChanged();
    return true;
}

bool FileCommands::OnFileSave() {
    if (m_doc.GetPathName().empty() || m_doc.IsImported()) return OnFileSaveAs();
    return DoSave(QString::fromStdString(m_doc.GetPathName()));
}

// A game never saved proposes its title, a game read from PGN a saved game
// beside its file.
QString FileCommands::ProposedSaveName() const {
    const QString path = QString::fromStdString(m_doc.GetPathName());
    if (path.isEmpty()) return QString::fromStdString(m_doc.GetTitle()) + '.' + kFileSuffix;
    if (!m_doc.IsImported()) return path;
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + '.' + kFileSuffix);
}

bool FileCommands::OnFileSaveAs() {
    const QString path = m_prompter.AskSaveFileName(m_window, kSaveAsCaption, ProposedSaveName(),
                                                    kSaveFilters, kFileSuffix);
    return !path.isEmpty() && DoSave(path);
}

void FileCommands::OnFileExportPgn() {
    if (m_view.IsBusy()) return;
    const QString path = m_prompter.AskSaveFileName(
        m_window, kExportPgnCaption, ProposedPgnName(m_doc), kPgnFileFilters, kPgnFileSuffix);
    if (path.isEmpty()) return;
    const FileResult result = WritePgnFile(m_doc, path);
    if (!result.ok) ShowFileError(result.message);
}

// Saved as PGN, the game is read from PGN the next time: Save goes through
// Save As again.
FileResult FileCommands::SavePgn(const QString& path) {
    const FileResult result = WritePgnFile(m_doc, path);
    if (!result.ok) return result;
    m_doc.SetImportedPathName(path.toStdString());
    m_doc.SetModifiedFlag(false);
    return result;
}

bool FileCommands::DoSave(const QString& path) {
    // Before a game is replaced or the window closed, a move may still be in
    // progress: let it settle, so that every move made is saved.
    m_view.StopMoveWorker();
    const FileResult result =
        IsPgnName(path) ? SavePgn(path) : m_doc.OnSaveDocument(path.toStdString());
    if (!result.ok) {
        ShowFileError(result.message);
    } else {
        m_recent.Add({path, 0});
    }
    emit DocumentChanged();
    return result.ok;
}

void FileCommands::ShowFileError(const std::string& message) {
    m_prompter.ShowMessage(m_window, kAppName, QString::fromStdString(message),
                           Prompter::Icon::Warning);
}
