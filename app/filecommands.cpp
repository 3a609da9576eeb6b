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
        SaveModified() ? m_prompter.AskOpenFileName(m_window, kFileFilters) : QString();
    if (path.isEmpty()) {
        m_view.ResumeStoppedReply();
        return;
    }
    OpenDocumentFile(path);
}

void FileCommands::OpenDroppedFile(const QString& path) {
    if (!SaveModified()) {
        m_view.ResumeStoppedReply();
        return;
    }
    OpenDocumentFile(path);
}

bool FileCommands::OpenDocumentFile(const QString& path) {
    m_view.StopMoveWorker();
    const FileResult result = m_doc.OnOpenDocument(path.toStdString());
    if (!result.ok) {
        ShowFileError(result.message);
        m_view.ResumeStoppedReply();
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

bool FileCommands::DoSave(const QString& path) {
    // Before a game is replaced or the window closed, a move may still be in
    // progress: let it settle, so that every move made is saved.
    m_view.StopMoveWorker();
    const FileResult result = m_doc.OnSaveDocument(path.toStdString());
    if (!result.ok) ShowFileError(result.message);
    emit DocumentChanged();
    return result.ok;
}

void FileCommands::ShowFileError(const std::string& message) {
    m_prompter.ShowMessage(m_window, kAppName, QString::fromStdString(message),
                           Prompter::Icon::Warning);
}
