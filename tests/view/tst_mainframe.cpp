#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "app/aboutdlg.h"
#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/boardgeometry.h"
#include "view/movelistpanel.h"
#include "view/tesselview.h"

namespace {

// Greyed while a move is processed; New, Open and the play modes stop it.
const QList<int> kWaitingCommands = {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_MOVE_UNDO, ID_MOVE_UNDOALL};
const QList<int> kStoppingCommands = {ID_FILE_NEW, ID_FILE_OPEN, ID_PLAY_HUMANVSHUMAN,
                                      ID_PLAY_BLACK, ID_PLAY_WHITE};
const QList<int> kSettingCommands = {ID_SKILL_NOVICE, ID_SKILL_EXPERT, ID_DEPTH_1, ID_DEPTH_2,
                                     ID_DEPTH_3,      ID_DEPTH_4,      ID_DEPTH_5};

QStringList ActionTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

QMenu* MenuOf(const QMenuBar* bar, int index) { return bar->actions().at(index)->menu(); }

bool SendDrop(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return true;
}

}  // namespace

// The main window: menus and their rules, files, drops, start-up and the
// ways the program ends.
class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void initTestCase();
    void startsWithANewGameAtTheSmallestSize();
    void menusCarryTheirTextsIdsShortcutsAndPrompts();
    void updateRulesFollowThePlayMode_data();
    void updateRulesFollowThePlayMode();
    void greysCommandsThatWaitForTheMoveBeingProcessed();
    void playModeCommandsStartANewGame();
    void aboutBoxShowsTheVersion();

    void savesAndOpensAGame();
    void reportsAFileThatCannotBeRead_data();
    void reportsAFileThatCannotBeRead();
    void asksAboutUnsavedChangesBeforeANewGame();
    void opensDroppedFiles();
    void asksAboutUnsavedChangesOnClosing();
    void opensTheFileNamedOnTheCommandLine();
    void endsWhenTheNamedFileCannotBeRead();

    void exitEndsAtOnceWithoutAsking();
    void answersVersionWithoutADisplay();

    void moveListFollowsTheGameInSan();
    void viewSettingsSurviveARestart();

private:
    void Start(const QStringList& arguments = {});
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    bool Enabled(int id) const { return m_frame->Action(id)->isEnabled(); }
    bool Checked(int id) const { return m_frame->Action(id)->isChecked(); }
    CTesselDoc& Doc() { return m_app->Document(); }
    CTesselView& View() { return m_frame->View(); }
    QString SavedGame(const QStringList& moves);

    QTemporaryDir m_dir;
    // The view settings' store, so that no test touches the user's.
    QTemporaryDir m_settingsDir;
    std::unique_ptr<FakePrompter> m_prompter;
    std::unique_ptr<CTesselApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void MainFrameTest::initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    // The programs these tests start keep theirs there too.
    qputenv("XDG_CONFIG_HOME", m_settingsDir.path().toLocal8Bit());
}

void MainFrameTest::init() {
    QSettings(QStringLiteral("Quillon"), QStringLiteral("Quillon")).clear();
    g_searchDepth = 1;
    m_prompter = std::make_unique<FakePrompter>();
    m_app = std::make_unique<CTesselApp>(*m_prompter);
}

void MainFrameTest::cleanup() {
    if (m_frame) QVERIFY(WaitIdle(View()));
    m_app.reset();
    m_frame = nullptr;
}

void MainFrameTest::Start(const QStringList& arguments) {
    QVERIFY(m_app->InitInstance(QStringList{QStringLiteral("quillon")} + arguments));
    m_frame = m_app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

QString MainFrameTest::SavedGame(const QStringList& moves) {
    const QString path = m_dir.filePath(QStringLiteral("saved.qln"));
    return WriteFile(path, GameBytes(moves)) ? path : QString();
}

void MainFrameTest::startsWithANewGameAtTheSmallestSize() {
    Start();
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
    QCOMPARE(m_frame->pos(), QPoint(0, 0));
    QCOMPARE(Doc().m_playMode, kPlayWhite);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QVERIFY(Checked(ID_PLAY_WHITE));
    QVERIFY(Checked(ID_SKILL_EXPERT));
    QVERIFY(Checked(ID_DEPTH_1));
    // At its smallest size, the board at the size it is drawn for, nothing
    // but the menu bar, the view and the move list, the whole status box
    // inside.
    QCOMPARE(m_frame->size(), m_frame->minimumSize());
    QCOMPARE(View().size(), kViewSize);
    QVERIFY(m_frame->MoveList().isVisible());
    QVERIFY(m_frame->findChild<QStatusBar*>() == nullptr);
    QVERIFY(m_frame->findChild<QToolBar*>() == nullptr);
    QVERIFY(View().rect().contains(kStatusBox));
    QVERIFY(m_frame->rect().contains(View().geometry()));
}

void MainFrameTest::menusCarryTheirTextsIdsShortcutsAndPrompts() {
    Start();
    const QMenuBar* bar = m_frame->menuBar();
    QCOMPARE(ActionTexts(bar->actions()),
             QStringList({"&File", "&Play", "&Skill Level", "&Move", "&View", "&Help"}));
    QCOMPARE(ActionTexts(MenuOf(bar, 0)->actions()),
             QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...",
                          "&Export PGN...", "-", "E&xit"}));
    QCOMPARE(ActionTexts(MenuOf(bar, 1)->actions()),
             QStringList({"&Human vs Human", "Play &Black", "Play &White"}));
    QMenu* skill = MenuOf(bar, 2);
    QCOMPARE(ActionTexts(skill->actions()), QStringList({"&Novice", "&Expert", "Set &Depth"}));
    QCOMPARE(ActionTexts(skill->actions().at(2)->menu()->actions()),
             QStringList({"&1", "&2", "&3", "&4", "&5"}));
    QCOMPARE(ActionTexts(MenuOf(bar, 3)->actions()),
             QStringList({"&Undo\tCtrl-Z", "Undo A&ll", "Move &Now\tCtrl+M", "-", "&Hint\tH"}));
    QCOMPARE(
        ActionTexts(MenuOf(bar, 4)->actions()),
        QStringList({"&Move List", "&Legal Moves", "La&st Move", "&Flip Board", "&Coordinates"}));
    QCOMPARE(ActionTexts(MenuOf(bar, 5)->actions()), QStringList({"&About Quillon..."}));

    QCOMPARE(MenuOf(bar, 0)->actions().at(0)->data().toInt(), 57600);
    QCOMPARE(MenuOf(bar, 0)->actions().at(6)->data().toInt(), 57665);
    QCOMPARE(MenuOf(bar, 1)->actions().at(1)->data().toInt(), 32781);
    QCOMPARE(skill->actions().at(2)->menu()->actions().at(4)->data().toInt(), 32790);
    QCOMPARE(MenuOf(bar, 3)->actions().at(1)->data().toInt(), 32777);
    QCOMPARE(MenuOf(bar, 3)->actions().at(2)->data().toInt(), int(ID_MOVE_NOW));
    QCOMPARE(MenuOf(bar, 5)->actions().at(0)->data().toInt(), 57664);

    QCOMPARE(m_frame->Action(ID_FILE_NEW)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(m_frame->Action(ID_FILE_OPEN)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(m_frame->Action(ID_FILE_SAVE)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(m_frame->Action(ID_MOVE_UNDO)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(m_frame->Action(ID_MOVE_NOW)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    QCOMPARE(m_frame->Action(ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(m_frame->Action(ID_MOVE_HINT)->shortcut(), QKeySequence(Qt::Key_H));
    QVERIFY(m_frame->actions().contains(m_frame->Action(ID_FILE_PRINT)));

    QCOMPARE(m_frame->Action(ID_PLAY_HUMANVSHUMAN)->statusTip(),
             QStringLiteral("Play a Two Player Game"));
    QCOMPARE(m_frame->Action(ID_PLAY_BLACK)->statusTip(),
             QStringLiteral("You play Black. Computer plays White."));
    QCOMPARE(m_frame->Action(ID_PLAY_WHITE)->statusTip(),
             QStringLiteral("You play White. Computer plays Black"));
    QCOMPARE(m_frame->Action(ID_SKILL_NOVICE)->statusTip(),
             QStringLiteral("Set Skill level to Novice"));
    QCOMPARE(m_frame->Action(ID_SKILL_EXPERT)->statusTip(),
             QStringLiteral("Set Skill level to Expert"));
    for (int depth = 1; depth <= 5; ++depth) {
        QCOMPARE(m_frame->Action(DepthCommand(depth))->statusTip(),
                 QStringLiteral("Set the depth to which the computer thinks ahead"));
    }
    QCOMPARE(m_frame->Action(ID_MOVE_UNDO)->statusTip(), QStringLiteral("Undo a move"));
    QCOMPARE(m_frame->Action(ID_MOVE_UNDOALL)->statusTip(), QStringLiteral("Undo all moves"));
}

void MainFrameTest::updateRulesFollowThePlayMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("canUndoAtStart");
    QTest::newRow("Human vs Human") << int(ID_PLAY_HUMANVSHUMAN) << false;
    QTest::newRow("Play Black") << int(ID_PLAY_BLACK) << true;
    QTest::newRow("Play White") << int(ID_PLAY_WHITE) << false;
}

void MainFrameTest::updateRulesFollowThePlayMode() {
    QFETCH(int, mode);
    QFETCH(bool, canUndoAtStart);
    Start();
    Trigger(ID_SKILL_NOVICE);
    Trigger(ID_DEPTH_3);
    Trigger(ID_PLAY_BLACK);  // a mode other than the start's, so each row starts a game
    Trigger(mode);
    for (int play : {ID_PLAY_HUMANVSHUMAN, ID_PLAY_BLACK, ID_PLAY_WHITE}) {
        QVERIFY(Enabled(play));
        QCOMPARE(Checked(play), play == mode);
    }
    const bool againstComputer = mode != ID_PLAY_HUMANVSHUMAN;
    for (int setting : kSettingCommands) QCOMPARE(Enabled(setting), againstComputer);
    // Greyed or not, they show the values that apply.
    QVERIFY(Checked(ID_SKILL_NOVICE));
    QVERIFY(!Checked(ID_SKILL_EXPERT));
    QVERIFY(Checked(ID_DEPTH_3));
    QVERIFY(!Checked(ID_DEPTH_1));
    QCOMPARE(Enabled(ID_MOVE_UNDO), canUndoAtStart);
    QCOMPARE(Enabled(ID_MOVE_UNDOALL), canUndoAtStart);
    for (int always :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_APP_ABOUT}) {
        QVERIFY(Enabled(always));
    }
    const char* move = mode == ID_PLAY_BLACK ? "g8f6" : "e2e4";
    QVERIFY(PlayMoves(View(), {QString::fromLatin1(move)}));
    QVERIFY(Enabled(ID_MOVE_UNDO));
    QVERIFY(Enabled(ID_MOVE_UNDOALL));
}

void MainFrameTest::greysCommandsThatWaitForTheMoveBeingProcessed() {
    Start();
    QVERIFY(!Enabled(ID_MOVE_NOW));
    Drag(View(), "e2", "e4");
    QVERIFY(View().IsBusy());
    for (int id : kWaitingCommands) QVERIFY2(!Enabled(id), qPrintable(QString::number(id)));
    for (int id : kStoppingCommands + kSettingCommands) QVERIFY(Enabled(id));
    QVERIFY(Enabled(ID_APP_EXIT));
    QVERIFY(Enabled(ID_APP_ABOUT));
    QVERIFY(WaitIdle(View()));
    for (int id : kWaitingCommands) QVERIFY(Enabled(id));
    QVERIFY(!Enabled(ID_MOVE_NOW));
}

void MainFrameTest::playModeCommandsStartANewGame() {
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    Trigger(ID_PLAY_WHITE);
    QCOMPARE(int(Doc().m_moveCount), 2);
    Trigger(ID_PLAY_BLACK);
    QCOMPARE(Doc().m_playMode, kPlayBlack);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QVERIFY(!Doc().IsModified());
    QVERIFY(m_prompter->questions.isEmpty());
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
}

void MainFrameTest::aboutBoxShowsTheVersion() {
    Start();
    QString title;
    QStringList texts;
    bool iconShown = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) iconShown = true;
            if (!label->text().isEmpty()) texts.append(label->text());
        }
        const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.constFirst()->text(), QStringLiteral("Close"));
        buttons.constFirst()->click();
    });
    Trigger(ID_APP_ABOUT);
    QCOMPARE(title, QStringLiteral("About Tessel"));
    QCOMPARE(texts, QStringList({"Quillon version 1.3"}));
    QVERIFY(iconShown);
}

void MainFrameTest::savesAndOpensAGame() {
    Start();
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    QVERIFY(Doc().IsModified());
    const QString path = m_dir.filePath(QStringLiteral("game.qln"));
    m_prompter->saveFile = path;
    Trigger(ID_FILE_SAVE);
    QCOMPARE(m_prompter->proposedName, QStringLiteral("Untitled.qln"));
    QCOMPARE(m_prompter->saveCaption, QStringLiteral("Save As"));
    QCOMPARE(m_prompter->offeredFilters,
             QStringList({"Quillon Files (*.qln)", "PGN Files (*.pgn)", "All Files (*.*)"}));
    QCOMPARE(m_prompter->offeredSuffix, QStringLiteral("qln"));
    QCOMPARE(ReadFile(path), QByteArray::fromHex("01000b001b00"));
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - game.qln"));
    QVERIFY(!Doc().IsModified());

    Trigger(ID_FILE_NEW);
    QVERIFY(m_prompter->questions.isEmpty());
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));

    m_prompter->openFile = path;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QCOMPARE(View().ShownPosition().board[Sq("e4")], kPawnValue);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - game.qln"));
    QVERIFY(m_prompter->messages.isEmpty());
}

void MainFrameTest::reportsAFileThatCannotBeRead_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("too short") << QByteArray::fromHex("02000b001b00")
                               << QStringLiteral("Unexpected file format.");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("%1 was not found.");
}

void MainFrameTest::reportsAFileThatCannotBeRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    Doc().SetModifiedFlag(false);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".qln");
    if (!bytes.isEmpty()) QVERIFY(WriteFile(path, bytes));
    m_prompter->openFile = path;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("Rovu Dider"));
    QCOMPARE(m_prompter->messages[0].text, QString(message).replace(QStringLiteral("%1"), path));
    QVERIFY(m_prompter->messages[0].icon == Prompter::Icon::Warning);
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
}

void MainFrameTest::asksAboutUnsavedChangesBeforeANewGame() {
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    m_prompter->answer = Prompter::Answer::Cancel;
    Trigger(ID_FILE_NEW);
    QCOMPARE(m_prompter->questions, QStringList({"Rovu Dider|Save changes to Untitled?"}));
    QCOMPARE(int(Doc().m_moveCount), 2);

    // Yes saves first; a cancelled save keeps the game.
    m_prompter->answer = Prompter::Answer::Yes;
    Trigger(ID_FILE_NEW);
    QCOMPARE(int(Doc().m_moveCount), 2);
    const QString path = m_dir.filePath(QStringLiteral("kept.qln"));
    m_prompter->saveFile = path;
    Trigger(ID_FILE_NEW);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(ReadFile(path).size(), 2 + 4 * 2);

    QVERIFY(PlayMoves(View(), {"d2d4"}));
    m_prompter->answer = Prompter::Answer::No;
    Trigger(ID_FILE_NEW);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(m_prompter->questions.size(), 4);
}

void MainFrameTest::opensDroppedFiles() {
    Start();
    const QString path = SavedGame({"e2e4", "e7e5", "g1f3"});
    QVERIFY(PlayMoves(View(), {"d2d4"}));
    m_prompter->answer = Prompter::Answer::Cancel;
    QVERIFY(SendDrop(*m_frame, path));
    QCOMPARE(m_prompter->questions.size(), 1);
    QCOMPARE(int(Doc().m_moveCount), 2);
    m_prompter->answer = Prompter::Answer::No;
    QVERIFY(SendDrop(*m_frame, path));
    QCOMPARE(int(Doc().m_moveCount), 3);
    QCOMPARE(View().ShownPosition().board[Sq("f3")], kKnightValue);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - saved.qln"));
}

void MainFrameTest::asksAboutUnsavedChangesOnClosing() {
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    m_prompter->answer = Prompter::Answer::Cancel;
    QVERIFY(!m_frame->close());
    QVERIFY(m_frame->isVisible());
    m_prompter->answer = Prompter::Answer::No;
    QVERIFY(m_frame->close());
    QCOMPARE(m_prompter->questions.size(), 2);
}

void MainFrameTest::opensTheFileNamedOnTheCommandLine() {
    Start({SavedGame({"e2e4"})});
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - saved.qln"));
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
}

void MainFrameTest::endsWhenTheNamedFileCannotBeRead() {
    const QString path = m_dir.filePath(QStringLiteral("absent.qln"));
    QVERIFY(!m_app->InitInstance({QStringLiteral("quillon"), path}));
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("Rovu Dider"));
    QVERIFY(m_prompter->messages[0].text.contains(path));
}

void MainFrameTest::exitEndsAtOnceWithoutAsking() {
    QProcess probe;
    probe.start(QStringLiteral(APP_PROBE), {QStringLiteral("exit")});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QVERIFY(!probe.readAllStandardOutput().contains("asked"));
}

void MainFrameTest::answersVersionWithoutADisplay() {
    QProcess quillon;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    quillon.setProcessEnvironment(environment);
    quillon.start(QStringLiteral(QUILLON_EXECUTABLE), {QStringLiteral("--version")});
    QVERIFY(quillon.waitForFinished(30000));
    QCOMPARE(quillon.exitCode(), 0);
    QCOMPARE(quillon.readAllStandardOutput().trimmed(), QByteArray("quillon 1.3"));
}

// Captures, castling, a promotion and a check, then an undo.
void MainFrameTest::moveListFollowsTheGameInSan() {
    Start();
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(
        View(), {"e2e4", "f7f5", "e4f5", "g7g6", "f5g6", "g8f6", "g6h7", "h8g8", "h7g8", "f6g8",
                 "g1f3", "d7d6", "f1c4", "c8g4", "e1g1", "e7e5", "c4f7", "e8d7"}));
    const MoveListPanel& list = m_frame->MoveList();
    QCOMPARE(list.MoveText(), QStringLiteral("1. e4 f5 2. exf5 g6 3. fxg6 Nf6 4. gxh7 Rg8 "
                                             "5. hxg8=Q Nxg8 6. Nf3 d6 7. Bc4 Bg4 8. O-O e5 "
                                             "9. Bf7+ Kd7"));
    // The last move is the current one.
    QCOMPARE(list.currentRow(), 8);
    QCOMPARE(list.currentColumn(), 2);
    emit m_frame->MoveList().CopyGameRequested();
    QVERIFY(
        QGuiApplication::clipboard()->text().contains(QStringLiteral("8. O-O e5 9. Bf7+ Kd7 *")));
    Trigger(ID_MOVE_UNDO);
    QVERIFY(list.MoveText().endsWith(QStringLiteral("9. Bf7+")));
    QCOMPARE(list.currentColumn(), 1);
    Trigger(ID_FILE_NEW);
    QVERIFY(list.MoveText().isEmpty());
}

void MainFrameTest::viewSettingsSurviveARestart() {
    Start();
    QVERIFY(Checked(ID_VIEW_MOVELIST));
    QVERIFY(Checked(ID_VIEW_LEGALMOVES));
    QVERIFY(Checked(ID_VIEW_LASTMOVE));
    QVERIFY(!Checked(ID_VIEW_FLIPBOARD));
    QVERIFY(!Checked(ID_VIEW_COORDINATES));
    Trigger(ID_VIEW_MOVELIST);
    Trigger(ID_VIEW_FLIPBOARD);
    Trigger(ID_VIEW_COORDINATES);
    Trigger(ID_SKILL_NOVICE);

    m_app = std::make_unique<CTesselApp>(*m_prompter);
    Start();
    QVERIFY(!Checked(ID_VIEW_MOVELIST));
    QVERIFY(!m_frame->MoveList().isVisible());
    QVERIFY(Checked(ID_VIEW_LEGALMOVES));
    QVERIFY(Checked(ID_VIEW_FLIPBOARD));
    QVERIFY(View().Settings().flipBoard);
    QVERIFY(View().Settings().coordinates);
    // The game settings start afresh.
    QVERIFY(Checked(ID_PLAY_WHITE));
    QVERIFY(Checked(ID_SKILL_EXPERT));
}

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
