#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class CTesselDoc;
class CTesselView;
class FileCommands;
class Prompter;
class QAction;
class QMenu;

// The fixed-size main window: the menu bar over the board view, no toolbar
// and no status bar. Game files can be dropped on it.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CTesselDoc& doc, Prompter& prompter);

    CTesselView& View() const { return *m_view; }
    FileCommands& Files() const { return *m_files; }
    QAction* Action(int id) const { return m_actions.value(id); }

    // Enables, checks and marks every command by the game's state.
    void UpdateCommandUI();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, int id, std::function<void()> handler);
    void BuildFileMenu();
    void BuildPlayMenu();
    void BuildSkillMenu();
    void BuildMoveMenu();
    void BuildHelpMenu();
    void AddPrintShortcut();
    QMenu* AddMenu(const QString& title);
    void SetCommandState(int id, bool enabled, bool checked = false);
    void RefreshFrame();
    void OnAppAbout();

    CTesselView* m_view;
    FileCommands* m_files;
    QHash<int, QAction*> m_actions;
};
