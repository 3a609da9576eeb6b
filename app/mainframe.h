#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class CTesselDoc;
struct TimeControl;
class CTesselView;
class FileCommands;
class MoveListPanel;
struct ViewSettings;
class Prompter;
class QAction;
class QMenu;

// The main window: the menu bar over the board view and the move list, no
// toolbar and no status bar. Game files can be dropped on it.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CTesselDoc& doc, Prompter& prompter);

    CTesselView& View() const { return *m_view; }
    MoveListPanel& MoveList() const { return *m_moveList; }
    FileCommands& Files() const { return *m_files; }
    QMenu& RecentMenu() const { return *m_recentMenu; }
    QAction* Action(int id) const { return m_actions.value(id); }

    // Enables, checks and marks every command by the game's state.
    void UpdateCommandUI();
    // The whole window, its frame included, at the screen's top-left corner.
    void PlaceAtTopLeft();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, int id, std::function<void()> handler);
    void BuildFileMenu();
    void FillRecentMenu();
    void BuildPlayMenu();
    void BuildSkillMenu();
    void BuildMoveMenu();
    void BuildViewMenu();
    void ApplyViewSettings(const ViewSettings& settings);
    void CopyGameAsPgn();
    void BuildHelpMenu();
    QMenu* AddMenu(const QString& title);
    void SetCommandState(int id, bool enabled, bool checked = false);
    void RefreshFrame();
    void RefreshTitle();
    void ChoosePlayMode(int playMode, void (CTesselView::*command)());
    void BuildTimeControlMenu(QMenu* playMenu);
    void ChooseTimeControl(const TimeControl& control);
    void BuildMoveTimeMenu(QMenu* skillMenu);
    // A submenu whose items show one choice of several with a radio bullet.
    QMenu* AddChoiceMenu(QMenu* menu, const QString& title);
    void OnAppAbout();

    // First, so that it is set before the children below are made: adding
    // each one sends this window an event.
    bool m_placingAtCorner = false;
    CTesselView* m_view;
    MoveListPanel* m_moveList;
    FileCommands* m_files;
    QHash<int, QAction*> m_actions;
    QMenu* m_recentMenu = nullptr;
};
