#include "app/filecommands.h"

#include "app/pgnfile.h"
#include "document/tesseldoc.h"
#include "view/prompter.h"
#include "view/tesselview.h"

const QString kAppName = QStringLiteral("Rovu Dider");

namespace {

const QStringList kFileFilters = {QStringLiteral("Quillon Files (*.qln)"),
                                  QStringLiteral("All Files (*.*)")};
const QString kFileSuffix = QStringLiteral("qln");
const QString kSaveChangesQuestion = QStringLiteral("Save changes to %1?");

}  // namespace

FileCommands::FileCommands(CTesselView& view, Prompter& prompter, QWidget* window)
    : QObject(window),
      m_view(view),
      m_doc(view.GetDocument()),
      m_prompter(prompter),
      m_window(window) {}

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
    if (m_view.IsBusy() || !SaveModified()) return;
    m_doc.OnNewDocument();
    m_view.ShowGameFromDocument();
    emit DocumentChanged();
}

void FileCommands::OnFileOpen() {
    if (m_view.IsBusy() || !SaveModified()) return;
    const QString path = m_prompter.AskOpenFileName(m_window, kFileFilters);
    if (!path.isEmpty()) OpenDocumentFile(path);
}

void FileCommands::OpenDroppedFile(const QString& path) {
    if (m_view.IsBusy() || !SaveModified()) return;
    OpenDocumentFile(path);
}

bool FileCommands::OpenDocumentFile(const QString& path) {
    const FileResult result = m_doc.OnOpenDocument(path.toStdString());
    if (!result.ok) {
        ShowFileError(result.message);
        return false;
    }
    m_view.ShowGameFromDocument();
    emit DocumentChanged();
    return true;
}

bool FileCommands::OnFileSave() {
    if (m_doc.GetPathName().empty()) return OnFileSaveAs();
    return DoSave(QString::fromStdString(m_doc.GetPathName()));
}

bool FileCommands::OnFileSaveAs() {
    const QString proposed = m_doc.GetPathName().empty()
                                 ? QString::fromStdString(m_doc.GetTitle()) + '.' + kFileSuffix
                                 : QString::fromStdString(m_doc.GetPathName());
    const QString path = m_prompter.AskSaveFileName(m_window, proposed, kFileFilters, kFileSuffix);
    return !path.isEmpty() && DoSave(path);
}

void FileCommands::OnFileExportPgn() {
    if (m_view.IsBusy()) return;
    const QString path = m_prompter.AskSaveFileName(m_window, ProposedPgnName(m_doc),
                                                    kPgnFileFilters, kPgnFileSuffix);
    if (path.isEmpty()) return;
    const FileResult result = WritePgnFile(m_doc, path);
    if (!result.ok) ShowFileError(result.message);
}

// While a move is processed (the window is being closed) the game in the
// document is the worker's; the game as it stood at the drop is saved.
FileResult FileCommands::SaveGameAtDrop(const QString& path) const {
    return SaveMoveList(m_view.MovesAtDrop(), path.toStdString());
}

bool FileCommands::DoSave(const QString& path) {
    const FileResult result =
        m_view.IsBusy() ? SaveGameAtDrop(path) : m_doc.OnSaveDocument(path.toStdString());
    if (!result.ok) ShowFileError(result.message);
    emit DocumentChanged();
    return result.ok;
}

void FileCommands::ShowFileError(const std::string& message) {
    m_prompter.ShowMessage(m_window, kAppName, QString::fromStdString(message),
                           Prompter::Icon::Warning);
}
