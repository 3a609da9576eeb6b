#include "app/mainframe.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>

#include "app/aboutdlg.h"
#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/pgnfile.h"
#include "app/timecontroldialog.h"
#include "document/pgnexport.h"
#include "document/tesseldoc.h"
#include "view/movelistpanel.h"
#include "view/tesselview.h"

namespace {

// The placeholder shows "*" while the game has unsaved changes.
const QString kWindowTitle = QStringLiteral("Quillon - %1[*]");

// The first local file of a drop, or empty.
QString DroppedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

CMainFrame::CMainFrame(CTesselDoc& doc, Prompter& prompter)
    : m_view(new CTesselView(doc, prompter)),
      m_moveList(new MoveListPanel),
      m_files(new FileCommands(*m_view, prompter, this)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The view lays out the move list beside the board and scales both.
    m_view->AdoptMoveList(m_moveList);
    setCentralWidget(m_view);
    setAcceptDrops(true);

    BuildFileMenu();
    BuildPlayMenu();
    BuildSkillMenu();
    BuildMoveMenu();
    BuildViewMenu();
    BuildHelpMenu();
    ApplyViewSettings(LoadViewSettings());

    connect(m_view, &CTesselView::GameStateChanged, this, &CMainFrame::RefreshFrame);
    // A move shown is already counted as unsaved, also while the computer
    // thinks about its reply.
    connect(m_view, &CTesselView::ShownMovesChanged, this, [this] {
        m_moveList->ShowMoves(m_view->ShownMoves());
        RefreshTitle();
    });
    connect(m_moveList, &MoveListPanel::CopyGameRequested, this, &CMainFrame::CopyGameAsPgn);
    connect(m_moveList, &MoveListPanel::PlyChosen, m_view, &CTesselView::BrowseTo);
    connect(m_moveList, &MoveListPanel::ContinueRequested, this, [this] {
        m_view->OnContinueFromHere();
        UpdateCommandUI();
    });
    connect(m_view, &CTesselView::ShownPlyChanged, m_moveList, &MoveListPanel::SelectPly);
    connect(m_files, &FileCommands::DocumentChanged, this, &CMainFrame::RefreshFrame);
    RefreshFrame();
    // Opens at the size the layout is drawn for; it may be made smaller.
    resize(sizeHint());
    m_view->setFocus();
}

QMenu* CMainFrame::AddMenu(const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    // The rules are applied again each time a menu opens.
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return menu;
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, std::function<void()> handler) {
    const Command& command = FindCommand(id);
    auto* action = new QAction(QString::fromUtf8(command.text), this);
    action->setData(id);
    action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(command.shortcut)));
    action->setStatusTip(QString::fromUtf8(command.prompt));
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        handler();
        UpdateCommandUI();
    });
    if (menu) menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::BuildFileMenu() {
    QMenu* menu = AddMenu(tr("&File"));
    AddCommand(menu, ID_FILE_NEW, [this] { m_files->OnFileNew(); });
    AddCommand(menu, ID_FILE_OPEN, [this] { m_files->OnFileOpen(); });
    AddCommand(menu, ID_FILE_SAVE, [this] { m_files->OnFileSave(); });
    AddCommand(menu, ID_FILE_SAVE_AS, [this] { m_files->OnFileSaveAs(); });
    AddCommand(menu, ID_FILE_EXPORT_PGN, [this] { m_files->OnFileExportPgn(); });
    menu->addSeparator();
    AddCommand(menu, ID_FILE_PRINT, [this] { m_view->OnFilePrint(); });
    menu->addSeparator();
    m_recentMenu = menu->addMenu(tr("Recent &Games"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    menu->addSeparator();
    AddCommand(menu, ID_APP_EXIT, [this] { m_view->OnAppExit(); });
}

void CMainFrame::FillRecentMenu() {
    m_recentMenu->clear();
    const RecentGames& recent = m_files->Recent();
    for (std::size_t index = 0; index < recent.Games().size(); ++index) {
        m_recentMenu->addAction(recent.MenuText(index), this, [this, index] {
            m_files->OpenRecentGame(index);
            UpdateCommandUI();
        });
    }
}

void CMainFrame::BuildPlayMenu() {
    QMenu* menu = AddMenu(tr("&Play"));
    AddCommand(menu, ID_PLAY_HUMANVSHUMAN, [this] {
        ChoosePlayMode(kPlayHumanVsHuman, &CTesselView::OnPlayHumanVsHuman);
    })->setCheckable(true);
    AddCommand(menu, ID_PLAY_BLACK, [this] {
        ChoosePlayMode(kPlayBlack, &CTesselView::OnPlayBlack);
    })->setCheckable(true);
    AddCommand(menu, ID_PLAY_WHITE, [this] {
        ChoosePlayMode(kPlayWhite, &CTesselView::OnPlayWhite);
    })->setCheckable(true);
    AddCommand(menu, ID_PLAY_COMPUTERVSCOMPUTER, [this] {
        ChoosePlayMode(kPlayComputerVsComputer, &CTesselView::OnPlayComputerVsComputer);
    })->setCheckable(true);
    menu->addSeparator();
    BuildTimeControlMenu(menu);
}

QMenu* CMainFrame::AddChoiceMenu(QMenu* menu, const QString& title) {
    QMenu* choices = menu->addMenu(title);
    connect(choices, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return choices;
}

void CMainFrame::BuildTimeControlMenu(QMenu* playMenu) {
    QMenu* menu = AddChoiceMenu(playMenu, tr("&Time Control"));
    auto* choices = new QActionGroup(this);
    for (const TimeControlCommand& command : kTimeControlCommands) {
        choices
            ->addAction(
                AddCommand(menu, command.id,
                           [this, control = command.control] { ChooseTimeControl(control); }))
            ->setCheckable(true);
    }
    menu->addSeparator();
    choices
        ->addAction(AddCommand(menu, ID_TIME_CUSTOM,
                               [this] {
                                   const auto chosen = TimeControlDialog::Ask(
                                       m_view->GetDocument().m_timeControl, this);
                                   if (chosen) ChooseTimeControl(*chosen);
                               }))
        ->setCheckable(true);
}

// Another time control starts a new game, after the question about unsaved
// moves, and is remembered for the next run.
void CMainFrame::ChooseTimeControl(const TimeControl& control) {
    if (m_view->GetDocument().m_timeControl == control) return;
    if (!m_files->SaveModified()) {
        m_view->ResumeStoppedReply();
        return;
    }
    m_view->OnSetTimeControl(control);
    SaveTimeControl(control);
}

// Another play mode starts a new game: unsaved moves are asked about first,
// and Cancel keeps the game and the mode (the menu's marks follow the mode).
void CMainFrame::ChoosePlayMode(int playMode, void (CTesselView::*command)()) {
    if (m_view->GetDocument().m_playMode != playMode && !m_files->SaveModified()) {
        m_view->ResumeStoppedReply();
        return;
    }
    (m_view->*command)();
}

void CMainFrame::BuildSkillMenu() {
    QMenu* menu = AddMenu(tr("&Skill Level"));
    AddCommand(menu, ID_SKILL_NOVICE, [this] { m_view->OnSkillNovice(); })->setCheckable(true);
    AddCommand(menu, ID_SKILL_EXPERT, [this] { m_view->OnSkillExpert(); })->setCheckable(true);
    QMenu* depthMenu = menu->addMenu(tr("Set &Depth"));
    connect(depthMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    // An exclusive group shows the current depth with a radio bullet.
    auto* depths = new QActionGroup(this);
    for (int depth = kMinSearchDepth; depth <= kMaxSearchDepth; ++depth) {
        QAction* action = AddCommand(depthMenu, DepthCommand(depth),
                                     [this, depth] { m_view->OnSetDepth(depth); });
        action->setCheckable(true);
        depths->addAction(action);
    }
    BuildMoveTimeMenu(menu);
}

void CMainFrame::BuildMoveTimeMenu(QMenu* skillMenu) {
    QMenu* menu = AddChoiceMenu(skillMenu, tr("&Time per Move"));
    auto* choices = new QActionGroup(this);
    for (const MoveTimeCommand& command : kMoveTimeCommands) {
        choices
            ->addAction(AddCommand(menu, command.id,
                                   [this, ms = command.ms] { m_view->OnSetMoveTime(ms); }))
            ->setCheckable(true);
    }
}

void CMainFrame::BuildMoveMenu() {
    QMenu* menu = AddMenu(tr("&Move"));
    AddCommand(menu, ID_MOVE_UNDO, [this] { m_view->OnMoveUndo(); });
    AddCommand(menu, ID_MOVE_UNDOALL, [this] { m_view->OnMoveUndoAll(); });
    AddCommand(menu, ID_MOVE_REDO, [this] { m_view->OnMoveRedo(); });
    AddCommand(menu, ID_MOVE_NOW, [this] { m_view->OnMoveNow(); });
    AddCommand(menu, ID_MOVE_RESIGN, [this] { m_view->OnMoveResign(); });
    menu->addSeparator();
    AddCommand(menu, ID_MOVE_HINT, [this] { m_view->OnMoveHint(); });
}

void CMainFrame::BuildViewMenu() {
    QMenu* menu = AddMenu(tr("&View"));
    const auto addToggle = [this, menu](int id, bool ViewSettings::*choice) {
        AddCommand(menu, id, [this, choice] {
            ViewSettings settings = m_view->Settings();
            settings.*choice = !(settings.*choice);
            ApplyViewSettings(settings);
            SaveViewSettings(settings);
        })->setCheckable(true);
    };
    addToggle(ID_VIEW_MOVELIST, &ViewSettings::moveList);
    addToggle(ID_VIEW_LEGALMOVES, &ViewSettings::legalMoves);
    addToggle(ID_VIEW_LASTMOVE, &ViewSettings::lastMove);
    addToggle(ID_VIEW_FLIPBOARD, &ViewSettings::flipBoard);
    addToggle(ID_VIEW_COORDINATES, &ViewSettings::coordinates);
}

void CMainFrame::ApplyViewSettings(const ViewSettings& settings) { m_view->SetSettings(settings); }

// The game is the document's, which a running move owns: the command is
// greyed meanwhile.
void CMainFrame::CopyGameAsPgn() {
    if (m_view->IsBusy()) return;
    const std::string pgn = ExportPgn(m_view->GetDocument(), PgnDateToday());
    QGuiApplication::clipboard()->setText(QString::fromStdString(pgn));
}

void CMainFrame::BuildHelpMenu() {
    QMenu* menu = AddMenu(tr("&Help"));
    AddCommand(menu, ID_APP_ABOUT, [this] { OnAppAbout(); });
}

void CMainFrame::SetCommandState(int id, bool enabled, bool checked) {
    QAction* action = m_actions.value(id);
    action->setEnabled(enabled);
    if (action->isCheckable()) action->setChecked(checked);
}

void CMainFrame::UpdateCommandUI() {
    const CTesselDoc& doc = m_view->GetDocument();
    // New, Open and the play modes stop a move being processed first; the
    // others wait until it is done.
    const bool idle = !m_view->IsBusy();
    SetCommandState(ID_FILE_NEW, true);
    SetCommandState(ID_FILE_OPEN, true);
    SetCommandState(ID_FILE_SAVE, idle);
    SetCommandState(ID_FILE_SAVE_AS, idle);
    SetCommandState(ID_FILE_EXPORT_PGN, idle);
    m_recentMenu->menuAction()->setEnabled(!m_files->Recent().Games().empty());

    const int mode = doc.m_playMode;
    SetCommandState(ID_PLAY_HUMANVSHUMAN, true, mode == kPlayHumanVsHuman);
    SetCommandState(ID_PLAY_BLACK, true, mode == kPlayBlack);
    SetCommandState(ID_PLAY_WHITE, true, mode == kPlayWhite);
    SetCommandState(ID_PLAY_COMPUTERVSCOMPUTER, true, mode == kPlayComputerVsComputer);
    bool preset = false;
    for (const TimeControlCommand& command : kTimeControlCommands) {
        const bool chosen = doc.m_timeControl == command.control;
        preset = preset || chosen;
        SetCommandState(command.id, true, chosen);
    }
    SetCommandState(ID_TIME_CUSTOM, true, !preset);

    const bool againstComputer = mode != kPlayHumanVsHuman;
    SetCommandState(ID_SKILL_NOVICE, againstComputer, m_view->SkillLevel() == kSkillNovice);
    SetCommandState(ID_SKILL_EXPERT, againstComputer, m_view->SkillLevel() == kSkillExpert);
    for (int depth = kMinSearchDepth; depth <= kMaxSearchDepth; ++depth) {
        SetCommandState(DepthCommand(depth), againstComputer, m_view->SearchDepth() == depth);
    }
    for (const MoveTimeCommand& command : kMoveTimeCommands) {
        SetCommandState(command.id, againstComputer, m_view->MoveTimeMs() == command.ms);
    }

    // The move count is the worker's while it runs: read it only when idle.
    const bool canUndo = idle && doc.CanUndo();
    SetCommandState(ID_MOVE_UNDO, canUndo);
    SetCommandState(ID_MOVE_UNDOALL, canUndo);
    SetCommandState(ID_MOVE_REDO, idle && doc.CanRedo());
    SetCommandState(ID_MOVE_RESIGN, m_view->CanResign());
    SetCommandState(ID_MOVE_NOW, m_view->IsThinking());
    SetCommandState(ID_MOVE_HINT, m_view->CanHint());

    const ViewSettings& view = m_view->Settings();
    SetCommandState(ID_VIEW_MOVELIST, true, view.moveList);
    SetCommandState(ID_VIEW_LEGALMOVES, true, view.legalMoves);
    SetCommandState(ID_VIEW_LASTMOVE, true, view.lastMove);
    SetCommandState(ID_VIEW_FLIPBOARD, true, view.flipBoard);
    SetCommandState(ID_VIEW_COORDINATES, true, view.coordinates);
    m_moveList->SetCopyEnabled(idle);
    m_moveList->SetContinueEnabled(m_view->CanContinueFromHere());
}

void CMainFrame::RefreshFrame() {
    RefreshTitle();
    UpdateCommandUI();
}

void CMainFrame::RefreshTitle() {
    const CTesselDoc& doc = m_view->GetDocument();
    setWindowTitle(kWindowTitle.arg(QString::fromStdString(doc.GetTitle())));
    setWindowModified(doc.IsModified());
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::PlaceAtTopLeft() {
    m_placingAtCorner = true;
    move(0, 0);
}

// The window manager frames the window only after it is shown, and until
// then a move places its inside at the corner: once the frame is known the
// window moves again, so that the title bar is on the screen.
bool CMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    const bool framed = geometry().topLeft() != frameGeometry().topLeft();
    if (m_placingAtCorner && framed &&
        (event->type() == QEvent::Move || event->type() == QEvent::WindowActivate)) {
        m_placingAtCorner = false;
        move(0, 0);
    }
    return handled;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_files->SaveModified()) {
        m_view->ResumeStoppedReply();
        event->ignore();
        return;
    }
    // The search must not outlive the game it works on.
    m_view->StopMoveWorker();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    m_files->OpenDroppedFile(path);
}
