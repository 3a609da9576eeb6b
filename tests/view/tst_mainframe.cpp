// The window driven as a user would: moves dropped on the board and the game's
// course, undo, the commands, files, drops and the command line, the computer
// thinking, PGN games opened and exported.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/pgnfile.h"
#include "app/pgngamedialog.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "document/chessclock.h"
#include "document/pgnexport.h"
#include "tests/support/testgames.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/boardgeometry.h"
#include "view/boardwidget.h"
#include "view/messageboxprompter.h"
#include "view/movelistpanel.h"
#include "view/tesselview.h"

namespace {

// Greyed while a move is processed; New, Open and the play modes stop it.
const QList<int> kWaitingCommands = {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_MOVE_UNDO, ID_MOVE_UNDOALL};
const QList<int> kStoppingCommands = {ID_FILE_NEW, ID_FILE_OPEN, ID_PLAY_HUMANVSHUMAN,
                                      ID_PLAY_BLACK, ID_PLAY_WHITE};
const QList<int> kSettingCommands = {ID_SKILL_NOVICE, ID_SKILL_EXPERT, ID_DEPTH_1, ID_DEPTH_2,
                                     ID_DEPTH_3,      ID_DEPTH_4,      ID_DEPTH_5};

// A middle game with White to move, where either skill at depth 5 thinks long.
const QStringList kMiddleGame = {"d2d4", "g8f6", "c2c4", "g7g6", "b1c3", "f8g7", "e2e4", "d7d6",
                                 "g1f3", "e8g8", "f1e2", "e7e5", "e1g1", "b8c6", "d4d5", "c6e7"};
const QString kHumansMove = QStringLiteral("c1e3");
// A stopped search answers within a fraction of a second; the bound leaves
// room for a busy machine and is still far below the search's own time.
constexpr qint64 kPromptMs = 3000;

const QByteArray kEnPassant = "1. e4 a6 2. e5 d5 3. exd6 *\n";
const QByteArray kFoolsMateMovetext = "\n\n1. f3 e5 2. g4 Qh4# 0-1\n";

QProcess* StartWithoutDisplay(const QStringList& arguments) {
    auto* quillon = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    quillon->setProcessEnvironment(environment);
    quillon->start(QStringLiteral(QUILLON_EXECUTABLE), arguments);
    return quillon;
}

const QStringList kFoolsMateNames = MoveNames(kFoolsMate);
const QStringList kScholarsMate = {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"};
const QStringList kStalemateNames = MoveNames(kStalemate);

std::vector<int> Squares(std::initializer_list<const char*> names) {
    std::vector<int> squares;
    for (const char* name : names) squares.push_back(Sq(name));
    std::sort(squares.begin(), squares.end());
    return squares;
}

std::vector<int> Sorted(std::vector<int> squares) {
    std::sort(squares.begin(), squares.end());
    return squares;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void greysCommandsThatWaitForTheMoveBeingProcessed();
    void playModeCommandsStartANewGame();
    void savesAndOpensAGame();
    void reportsAFileThatCannotBeRead_data();
    void reportsAFileThatCannotBeRead();
    void asksAboutUnsavedChangesBeforeANewGame();
    void asksAboutUnsavedChangesOnClosing();
    void opensTheFileNamedOnTheCommandLine();
    void moveNowPlaysTheBestMoveSoFar_data();
    void moveNowPlaysTheBestMoveSoFar();
    void replacingTheGameStopsTheSearch_data();
    void replacingTheGameStopsTheSearch();
    void closingSavesTheHumansLastMove();
    void refusalLeavesTheGameAsItWas();
    void earlyEndIsToldInTheStatusBox();
    void exportsTheGameToTheChosenFile();
    void saveAsWritesTheFormatOfTheChosenFilter();
    void gamePickerNarrowsTheListAsOneTypes();
    void commandLinePrintsTheGameWithoutADisplay();

    void ignoresPressesAndUndoWhileTheComputerThinks();
    void reportsAnInvalidMove();
    void reportsACheck();
    void endsTheGameAtCheckmate_data();
    void endsTheGameAtCheckmate();
    void drawsTheGameAtStalemate();
    void drawsTheGameAgainstTheComputerWithoutReply();
    void computerRepliesAtOnceWhileTheViewWaits();
    void appliesSkillAndDepthChosenWhileThinkingToTheNextReply();

    void undoesMovePairsAgainstComputerAsBlack();
    void undoAllStartsAgainInEachMode_data();
    void undoAllStartsAgainInEachMode();
    void undoReopensAFinishedGame();
    void timedGameCountsDownAndEndsAtTheFlag();

    void browsesAnOpenedGameAndReturnsToIt();
    void computersReplyReturnsToTheGame();
    void redoesTheMovePairTakenBackAgainstTheComputer();
    void resignationEndsTheGameWithItsResult();
    void recentGamesFollowSavesAndOpens();

    void offersTheRulesLegalTargets();
    void movesByClicksAndByKeys();
    void flippedBoardSurvivesARestartAndTakesMoves();
    void boardFillsTheWindow_data();
    void boardFillsTheWindow();
    void hintEndsLikeTheComputersThinking_data();
    void hintEndsLikeTheComputersThinking();

private:
    void Start(const QStringList& arguments = {});
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    bool Enabled(int id) const { return m_frame->Action(id)->isEnabled(); }
    bool Checked(int id) const { return m_frame->Action(id)->isChecked(); }
    // The title as the window manager shows it, "*" marking unsaved moves.
    QString Title() const { return m_frame->windowHandle()->title(); }
    CTesselDoc& Doc() { return m_app->Document(); }
    CTesselView& View() { return m_frame->View(); }
    QString Write(const QString& name, const QByteArray& bytes);
    // The middle game opened from a file, the human's move dropped, and the
    // computer thinking.
    void StartThinking(int skill = ID_SKILL_EXPERT);
    QString GamePath() const { return m_dir.filePath(QStringLiteral("middle.qln")); }
    void PlayFoolsMate();
    // A new game in the play mode, or the moves opened in it.
    void StartGame(int playMode);
    void OpenGame(int playMode, const QStringList& moves);

    QTemporaryDir m_dir;
    // The real dialogs, for a test that answers them as a user would.
    MessageBoxPrompter m_dialogs;
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

QString MainFrameTest::Write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    if (!WriteFile(path, bytes)) qFatal("cannot write %s", qPrintable(path));
    return path;
}

void MainFrameTest::StartThinking(int skill) {
    Start();
    QVERIFY(m_frame->Files().OpenDocumentFile(
        Write(QStringLiteral("middle.qln"), GameBytes(kMiddleGame))));
    // Past the opening book, so that the reply is searched.
    Doc().m_pEngine->m_outOfBook = true;
    Trigger(skill);
    Trigger(ID_DEPTH_5);
    const QByteArray move = kHumansMove.toLatin1();
    Drag(View(), move.left(2).constData(), move.mid(2).constData());
    QTRY_VERIFY(View().IsThinking());
}

void MainFrameTest::StartGame(int playMode) {
    Start();
    const int commands[] = {ID_PLAY_HUMANVSHUMAN, ID_PLAY_WHITE, ID_PLAY_BLACK};
    Trigger(commands[playMode]);
    QVERIFY(WaitIdle(View()));
}

void MainFrameTest::OpenGame(int playMode, const QStringList& moves) {
    StartGame(playMode);
    QVERIFY(m_frame->Files().OpenDocumentFile(Write(QStringLiteral("game.qln"), GameBytes(moves))));
}

void MainFrameTest::PlayFoolsMate() {
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(View(), MoveNames(kFoolsMate)));
    // The checkmate's own message box.
    m_prompter->messages.clear();
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

// Another mode asks first about unsaved moves; Cancel keeps game and mode.
void MainFrameTest::playModeCommandsStartANewGame() {
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled*"));
    Trigger(ID_PLAY_WHITE);
    QCOMPARE(int(Doc().m_moveCount), 2);
    QVERIFY(m_prompter->questions.isEmpty());
    m_prompter->answer = Prompter::Answer::Cancel;
    Trigger(ID_PLAY_BLACK);
    QCOMPARE(m_prompter->questions, QStringList({"Rovu Dider|Save changes to Untitled?"}));
    QCOMPARE(Doc().m_playMode, kPlayWhite);
    QCOMPARE(int(Doc().m_moveCount), 2);
    QVERIFY(Checked(ID_PLAY_WHITE) && !Checked(ID_PLAY_BLACK));
    m_prompter->answer = Prompter::Answer::No;
    Trigger(ID_PLAY_BLACK);
    QCOMPARE(Doc().m_playMode, kPlayBlack);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QVERIFY(!Doc().IsModified());
    QVERIFY(Checked(ID_PLAY_BLACK) && !Checked(ID_PLAY_WHITE));
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled"));
}

void MainFrameTest::savesAndOpensAGame() {
    Start();
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    QVERIFY(Doc().IsModified());
    const QString path = m_dir.filePath(QStringLiteral("game.qln"));
    m_prompter->saveFile = path;
    Trigger(ID_FILE_SAVE);
    QCOMPARE(ReadFile(path), QByteArray::fromHex("01000b001b00"));
    QCOMPARE(Title(), QStringLiteral("Quillon - game.qln"));
    QVERIFY(!Doc().IsModified());

    Trigger(ID_FILE_NEW);
    QVERIFY(m_prompter->questions.isEmpty());
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled"));

    m_prompter->openFile = path;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QCOMPARE(View().ShownPosition().board[Sq("e4")], kPawnValue);
    QCOMPARE(Title(), QStringLiteral("Quillon - game.qln"));
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
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".qln");
    if (!bytes.isEmpty()) QVERIFY(WriteFile(path, bytes));
    m_prompter->openFile = path;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("Rovu Dider"));
    QCOMPARE(m_prompter->messages[0].text, QString(message).replace(QStringLiteral("%1"), path));
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled*"));
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
}

void MainFrameTest::asksAboutUnsavedChangesOnClosing() {
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    // File > Exit asks as the close box does.
    m_prompter->answer = Prompter::Answer::Cancel;
    Trigger(ID_APP_EXIT);
    QVERIFY(m_frame->isVisible());
    QVERIFY(!m_frame->close());
    m_prompter->answer = Prompter::Answer::No;
    Trigger(ID_APP_EXIT);
    QVERIFY(!m_frame->isVisible());
    QCOMPARE(m_prompter->questions.size(), 3);
}

// Black is to move in the file, and the computer plays Black: it replies at
// once rather than leave the board dead.
void MainFrameTest::opensTheFileNamedOnTheCommandLine() {
    Start({Write(QStringLiteral("saved.qln"), GameBytes({"e2e4"}))});
    QVERIFY(WaitIdle(View()));
    QCOMPARE(Title(), QStringLiteral("Quillon - saved.qln*"));
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
}

// Each skill's root shares its work among the threads in its own way.
void MainFrameTest::moveNowPlaysTheBestMoveSoFar_data() {
    QTest::addColumn<int>("skill");
    QTest::newRow("Expert") << int(ID_SKILL_EXPERT);
    QTest::newRow("Novice") << int(ID_SKILL_NOVICE);
}

void MainFrameTest::moveNowPlaysTheBestMoveSoFar() {
    QFETCH(int, skill);
    StartThinking(skill);
    QVERIFY(Enabled(ID_MOVE_NOW));
    const QRegularExpression progress(QStringLiteral("^Thinking\\.\\.\\. \\d+:\\d\\d\n\\d+/\\d+"));
    QTRY_VERIFY(progress.match(View().Progress().Text()).hasMatch());
    QElapsedTimer timer;
    timer.start();
    Trigger(ID_MOVE_NOW);
    QVERIFY(QTest::qWaitFor([this] { return !View().IsBusy(); }, kPromptMs));
    QVERIFY(timer.elapsed() < kPromptMs);

    QCOMPARE(int(Doc().m_moveCount), int(kMiddleGame.size()) + 2);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QCOMPARE(View().ShownPosition().board, Doc().Published().board);
    QVERIFY(!View().IsThinking());
    QVERIFY(!Enabled(ID_MOVE_NOW));
    QVERIFY(!Doc().m_searchControl.StopRequested());
    // Every move of the game, the reply included, replays as legal.
    QVERIFY(Doc().RebuildPosition());
}

void MainFrameTest::replacingTheGameStopsTheSearch_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("movesAfter");
    QTest::addColumn<int>("sideToMove");
    QTest::newRow("New") << int(ID_FILE_NEW) << 0 << kWhite;
    QTest::newRow("Human vs Human") << int(ID_PLAY_HUMANVSHUMAN) << 0 << kWhite;
    QTest::newRow("Play Black") << int(ID_PLAY_BLACK) << 1 << kBlack;
}

void MainFrameTest::replacingTheGameStopsTheSearch() {
    QFETCH(int, command);
    QFETCH(int, movesAfter);
    QFETCH(int, sideToMove);
    StartThinking();
    QVERIFY(Enabled(command));
    QElapsedTimer timer;
    timer.start();
    Trigger(command);
    QVERIFY(timer.elapsed() < kPromptMs);

    QVERIFY(!View().IsBusy());
    QVERIFY(!View().IsThinking());
    QCOMPARE(int(Doc().m_moveCount), movesAfter);
    QCOMPARE(View().ShownPosition().sideToMove, sideToMove);
    QCOMPARE(View().ShownPosition().board, Doc().Published().board);
    QVERIFY(!Doc().m_searchControl.StopRequested());
    QVERIFY(!Doc().IsModified());
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled"));
}

void MainFrameTest::closingSavesTheHumansLastMove() {
    StartThinking();
    m_prompter->answer = Prompter::Answer::Yes;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_frame->close());
    QVERIFY(timer.elapsed() < kPromptMs);
    QCOMPARE(ReadFile(GamePath()), GameBytes(kMiddleGame + QStringList{kHumansMove}));
}

void MainFrameTest::refusalLeavesTheGameAsItWas() {
    Start();
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    m_prompter->openFile = Write(QStringLiteral("passant.pgn"), kEnPassant);
    m_prompter->answer = Prompter::Answer::No;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(
        m_prompter->messages[0].text,
        QStringLiteral("Move 3 (exd6) is an en-passant capture, which Quillon does not play."));
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().board[Sq("e4")], kPawnValue);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled*"));
}

void MainFrameTest::earlyEndIsToldInTheStatusBox() {
    Start();
    m_prompter->openFile = Write(QStringLiteral("long.pgn"), kKingOnlyDrawPgn);
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 81);
    QCOMPARE(View().StatusText(),
             QStringLiteral("Game Drawn\n\r\n\rThe game ends at move 41; the file's later moves "
                            "are left out."));
}

void MainFrameTest::exportsTheGameToTheChosenFile() {
    Start();
    PlayFoolsMate();
    const QString path = m_dir.filePath(QStringLiteral("mate.pgn"));
    m_prompter->saveFile = path;
    Trigger(ID_FILE_EXPORT_PGN);

    QVERIFY(m_prompter->messages.isEmpty());
    const QByteArray pgn = ReadFile(path);
    QCOMPARE(pgn, QByteArray::fromStdString(ExportPgn(Doc(), PgnDateToday())));
    QVERIFY(pgn.contains("[White \"Player 1\"]\n[Black \"Player 2\"]\n[Result \"0-1\"]"));
    QVERIFY(pgn.endsWith(kFoolsMateMovetext));
    // An export is not a save: the game keeps its name and stays unsaved.
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled*"));
    // Opened from that file, the game is never exported over it.
    QVERIFY(m_frame->Files().OpenDocumentFile(path));
    QCOMPARE(ProposedPgnName(Doc()), m_dir.filePath(QStringLiteral("mate-1.pgn")));
}

// "saveas" typed with the PGN filter chosen in the real dialog.
void MainFrameTest::saveAsWritesTheFormatOfTheChosenFilter() {
#if defined(__SANITIZE_THREAD__)
    // The real dialog fills its list on a Qt thread whose locks, Qt not being
    // built with the thread sanitizer, it cannot see; it reports Qt's own
    // handovers as races. The other builds run this test.
    QSKIP("Qt's file dialog thread is not instrumented");
#endif
    m_app = std::make_unique<CTesselApp>(m_dialogs);
    Start();
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    const QString typed = m_dir.filePath(QStringLiteral("saveas"));
    QTimer::singleShot(0, [typed] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")),
                        Qt::Key_Down);
        QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("PGN Files (*.pgn)"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    Trigger(ID_FILE_SAVE_AS);
    QVERIFY(ReadFile(typed + ".pgn").startsWith("[Event \"Quillon game\"]"));
    QVERIFY(!QFileInfo::exists(typed + ".qln"));
    QCOMPARE(Title(), QStringLiteral("Quillon - saveas.pgn"));
}

// The list shows the columns some game fills; the filter keeps the rows
// holding the text, and the pick is the game's place in the file.
void MainFrameTest::gamePickerNarrowsTheListAsOneTypes() {
    const std::vector<PgnGameSummary> games = {
        {"", "", "*", "", "B20", "Sicilian defence", "1. e4 c5"},
        {"", "", "*", "", "C20", "King's pawn game", "1. e4 e5"},
        {"", "", "*", "", "B90", "Sicilian, Najdorf", "1. e4 c5 2. Nf3 d6 ..."}};
    PgnGameDialog dialog(games);
    QVERIFY(dialog.Table()->isColumnHidden(1));
    QVERIFY(!dialog.Table()->isColumnHidden(6));
    QTest::keyClicks(dialog.FilterBox(), QStringLiteral("najd"));
    QCOMPARE(dialog.Table()->model()->rowCount(), 1);
    QCOMPARE(dialog.SelectedGame(), std::optional<std::size_t>(2));
    dialog.FilterBox()->setText(QStringLiteral("1. e4 c5"));
    QCOMPARE(dialog.Table()->model()->rowCount(), 2);
    dialog.FilterBox()->setText(QStringLiteral("no such game"));
    QCOMPARE(dialog.SelectedGame(), std::nullopt);
}

void MainFrameTest::commandLinePrintsTheGameWithoutADisplay() {
    const QString game = m_dir.filePath(QStringLiteral("mate.qln"));
    QVERIFY(WriteFile(game, GameBytes(MoveNames(kFoolsMate))));
    std::unique_ptr<QProcess> quillon(StartWithoutDisplay({QStringLiteral("--export-pgn"), game}));
    QVERIFY(quillon->waitForFinished(30000));
    QCOMPARE(quillon->exitStatus(), QProcess::NormalExit);
    QCOMPARE(quillon->exitCode(), 0);
    const QByteArray pgn = quillon->readAllStandardOutput();
    QVERIFY(pgn.startsWith("[Event \"Quillon game\"]\n"));
    // A saved game does not say who played.
    QVERIFY(pgn.contains("[White \"?\"]\n[Black \"?\"]\n[Result \"0-1\"]"));
    QVERIFY(pgn.endsWith(kFoolsMateMovetext));
    QVERIFY(quillon->readAllStandardError().isEmpty());
}

void MainFrameTest::ignoresPressesAndUndoWhileTheComputerThinks() {
    StartThinking();
    const int moves = Doc().m_moveCount;
    Drag(View(), "a2", "a3");
    View().OnMoveUndo();
    View().OnMoveUndoAll();
    QCOMPARE(int(Doc().m_moveCount), moves);
    QVERIFY(View().IsThinking());
    Trigger(ID_MOVE_NOW);
    QVERIFY(WaitIdle(View()));
}

void MainFrameTest::reportsAnInvalidMove() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(!g_chessClock.running);
    QVERIFY(PlayMoves(View(), {"e2e5"}));
    QCOMPARE(View().StatusText(), QStringLiteral("Invalid Move"));
    QCOMPARE(int(Doc().m_moveCount), 0);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QVERIFY(Doc().IsModified());
    // The first release of a game starts the clock, refused or not.
    QVERIFY(g_chessClock.running);
    // A Black piece is picked up but the document refuses it.
    QVERIFY(PlayMoves(View(), {"e7e5"}));
    QCOMPARE(View().StatusText(), QStringLiteral("Invalid Move"));
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    QVERIFY(View().StatusText().isEmpty());
    QCOMPARE(int(Doc().m_moveCount), 1);
}

void MainFrameTest::reportsACheck() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(View(), {"e2e4", "f7f5", "d1h5"}));
    QCOMPARE(View().StatusText(), QStringLiteral("\n\rKing in Check!"));
    QVERIFY(!Doc().m_gameOver);
    QVERIFY(PlayMoves(View(), {"g7g6"}));
    QVERIFY(View().StatusText().isEmpty());
    QVERIFY(m_prompter->messages.isEmpty());
}

void MainFrameTest::endsTheGameAtCheckmate_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("winner");
    QTest::newRow("Black mates") << kFoolsMateNames << QStringLiteral("Black");
    QTest::newRow("White mates") << kScholarsMate << QStringLiteral("White");
}

void MainFrameTest::endsTheGameAtCheckmate() {
    QFETCH(QStringList, moves);
    QFETCH(QString, winner);
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(View(), moves));
    QCOMPARE(View().StatusText(),
             QStringLiteral("Checkmate!\n\rGame over\n\r\n\r") + winner + QStringLiteral(" wins!"));
    QCOMPARE(m_prompter->messages.size(), 1);
    const FakePrompter::Message box = m_prompter->messages.constFirst();
    QCOMPARE(box.caption, QStringLiteral("Game Over"));
    QCOMPARE(box.text, QStringLiteral("Checkmate! Game over\n\r\n\r    ") + winner +
                           QStringLiteral(" wins!"));
    QVERIFY(box.icon == Prompter::Icon::Information);
    QVERIFY(Doc().m_gameOver);
    QVERIFY(!g_chessClock.running);
    // Later presses are ignored.
    QVERIFY(PlayMoves(View(), {"a2a3", "a7a6"}));
    QCOMPARE(int(Doc().m_moveCount), int(moves.size()));
    // The mated game is not saved yet: closing asks.
    QCOMPARE(Title(), QStringLiteral("Quillon - Untitled*"));
    m_prompter->answer = Prompter::Answer::Cancel;
    QVERIFY(!m_frame->close());
    QCOMPARE(m_prompter->questions, QStringList({"Rovu Dider|Save changes to Untitled?"}));
}

void MainFrameTest::drawsTheGameAtStalemate() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(View(), kStalemateNames));
    QCOMPARE(int(Doc().m_moveCount), int(kStalemateNames.size()));
    QCOMPARE(View().StatusText(), QStringLiteral("Game Drawn"));
    QVERIFY(Doc().m_gameOver);
    QVERIFY(m_prompter->messages.isEmpty());
    // A draw does not stop the clock.
    QVERIFY(g_chessClock.running);
    QVERIFY(PlayMoves(View(), {"a2a3"}));
    QCOMPARE(int(Doc().m_moveCount), int(kStalemateNames.size()));
}

void MainFrameTest::drawsTheGameAgainstTheComputerWithoutReply() {
    OpenGame(kPlayWhite, kStalemateNames.mid(0, kStalemateNames.size() - 1));
    QVERIFY(PlayMoves(View(), {kStalemateNames.constLast()}));
    QCOMPARE(View().StatusText(), QStringLiteral("Game Drawn"));
    QCOMPARE(int(Doc().m_moveCount), int(kStalemateNames.size()));
    QVERIFY(Doc().m_gameOver);
    QVERIFY(!View().LastMoveLine().has_value());
    QCOMPARE(View().ShownPosition().board[Sq("e6")], kQueenValue);
}

void MainFrameTest::computerRepliesAtOnceWhileTheViewWaits() {
    StartGame(kPlayWhite);
    Drag(View(), "e2", "e4");
    QVERIFY(View().IsBusy());
    // Until the view has shown the move, presses are ignored.
    Drag(View(), "d2", "d4");
    QCOMPARE(int(Doc().m_fromSquare), Sq("e2"));
    QVERIFY(WaitIdle(View()));
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(View().ShownPosition().sideToMove, kWhite);
    QCOMPARE(View().ShownPosition().board[Sq("e4")], kPawnValue);
    const MoveEntry reply = Doc().m_moves[1];
    QVERIFY(View().ShownPosition().board[reply.to] < 0);
    QCOMPARE(View().LastMoveLine()->from, reply.from);
    QCOMPARE(View().LastMoveLine()->to, reply.to);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The game goes on.
    QVERIFY(PlayMoves(View(), {"d2d3"}));
    QCOMPARE(int(Doc().m_moveCount), 4);
}

void MainFrameTest::appliesSkillAndDepthChosenWhileThinkingToTheNextReply() {
    StartGame(kPlayWhite);
    Drag(View(), "e2", "e4");
    QVERIFY(View().IsBusy());
    View().OnSetDepth(3);
    View().OnSkillNovice();
    QCOMPARE(g_searchDepth, 1);
    QCOMPARE(Doc().m_skillLevel, kSkillExpert);
    QCOMPARE(View().SearchDepth(), 3);
    QVERIFY(WaitIdle(View()));
    QCOMPARE(g_searchDepth, 3);
    QCOMPARE(Doc().m_skillLevel, kSkillNovice);
    View().OnSkillExpert();
    View().OnSetDepth(1);
    QCOMPARE(Doc().m_skillLevel, kSkillExpert);
    QCOMPARE(g_searchDepth, 1);
}

void MainFrameTest::undoesMovePairsAgainstComputerAsBlack() {
    StartGame(kPlayBlack);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    const MoveEntry opening = Doc().m_moves[0];
    QVERIFY(PlayMoves(View(), {"g8f6"}));
    QCOMPARE(int(Doc().m_moveCount), 3);
    View().OnMoveUndo();
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(Doc().m_moves[0].from, opening.from);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QCOMPARE(View().ShownPosition().board[Sq("g8")], -kKnightValue);
    // Once more: a new game in which the computer opens again.
    View().OnMoveUndo();
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QVERIFY(m_prompter->messages.isEmpty());
}

void MainFrameTest::undoAllStartsAgainInEachMode_data() {
    QTest::addColumn<int>("playMode");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<int>("movesLeft");
    QTest::newRow("Human vs Human") << kPlayHumanVsHuman << QStringList{"e2e4", "e7e5"} << 0;
    QTest::newRow("Play White") << kPlayWhite << QStringList{"e2e4", "d2d3"} << 0;
    QTest::newRow("Play Black") << kPlayBlack << QStringList{"g8f6"} << 1;
}

void MainFrameTest::undoAllStartsAgainInEachMode() {
    QFETCH(int, playMode);
    QFETCH(QStringList, moves);
    QFETCH(int, movesLeft);
    StartGame(playMode);
    QVERIFY(PlayMoves(View(), moves));
    QVERIFY(Doc().m_moveCount > movesLeft);
    View().OnMoveUndoAll();
    QCOMPARE(int(Doc().m_moveCount), movesLeft);
    QVERIFY(!Doc().IsModified());
    QCOMPARE(g_chessClock.elapsed[SideIndex(kWhite)], 0);
    QCOMPARE(g_chessClock.elapsed[SideIndex(kBlack)], 0);
}

void MainFrameTest::undoReopensAFinishedGame() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(View(), kFoolsMateNames));
    QVERIFY(Doc().m_gameOver);
    View().OnMoveUndo();
    QVERIFY(!Doc().m_gameOver);
    QCOMPARE(int(Doc().m_moveCount), 3);
    // The reopened game is reported, not the end that was taken back.
    QVERIFY(View().StatusText().isEmpty());
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QVERIFY(PlayMoves(View(), {"d8e7"}));
    QCOMPARE(int(Doc().m_moveCount), 4);
    QVERIFY(!Doc().m_gameOver);
}

void MainFrameTest::timedGameCountsDownAndEndsAtTheFlag() {
    StartGame(kPlayHumanVsHuman);
    // Shared, since the clock outlives this function until cleanup.
    const auto now = std::make_shared<int64_t>(0);
    Doc().m_countdown.SetTimeSource([now] { return *now; });
    Trigger(ID_TIME_1_MIN);
    QVERIFY(Checked(ID_TIME_1_MIN));
    QCOMPARE(QSettings(QStringLiteral("Quillon"), QStringLiteral("Quillon"))
                 .value(QStringLiteral("Game/TimeControl")),
             QVariant(QStringLiteral("60")));
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    *now += 51'500;
    QTRY_COMPARE(View().BlackClock(), (ClockFace{QStringLiteral("0:08.5"), true, true}));
    QCOMPARE(View().WhiteClock(), (ClockFace{QStringLiteral("1:00"), false, false}));

    *now += 8'500;
    QTRY_COMPARE(View().StatusText(), QStringLiteral("Black lost on time"));
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("Game Over"));
    QVERIFY(Doc().m_gameOver);
    QCOMPARE(View().BlackClock().text, QStringLiteral("0:00.0"));
    Drag(View(), "e7", "e5");
    QVERIFY(!View().IsBusy());
}

// An opened game shows its last position; browsing changes the board only.
void MainFrameTest::browsesAnOpenedGameAndReturnsToIt() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(m_frame->Files().OpenDocumentFile(
        Write(QStringLiteral("mate.pgn"), "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n")));
    const PublishedPosition game = View().BoardPosition();
    QCOMPARE(game.board[Sq("f7")], kQueenValue);
    MoveListPanel& list = m_frame->MoveList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0, 2)).center());
    QCOMPARE(View().ViewingText(), QStringLiteral("Viewing move 1 of 4 - End returns to the game"));
    QCOMPARE(View().BoardPosition().board[Sq("e5")], -kPawnValue);
    QCOMPARE(View().BoardPosition().board[Sq("f1")], kBishopValue);
    QCOMPARE(View().Marks().lastMove, (MoveEntry{int16_t(Sq("e7")), int16_t(Sq("e5"))}));
    QTest::keyClick(&list, Qt::Key_Left);
    QCOMPARE(View().ShownPly(), 1);
    QTest::keyClick(&View().Board(), Qt::Key_Home);
    QCOMPARE(View().BoardPosition().board[Sq("e2")], kPawnValue);
    QTest::keyClick(&View().Board(), Qt::Key_End);
    QVERIFY(!View().IsBrowsing());
    QCOMPARE(View().BoardPosition().board, game.board);

    // A press while browsing only returns to the game.
    Trigger(ID_MOVE_UNDO);
    View().BrowseTo(3);
    ClickSquare(View(), Sq("h5"));
    QVERIFY(!View().IsBrowsing());
    QVERIFY(!View().SelectedSquare());
    QCOMPARE(int(Doc().m_moveCount), 6);
    QVERIFY(!Doc().IsModified());
}

void MainFrameTest::computersReplyReturnsToTheGame() {
    StartThinking();
    View().BrowseTo(2);
    QVERIFY(View().IsBrowsing());
    Trigger(ID_MOVE_NOW);
    QVERIFY(WaitIdle(View()));
    QVERIFY(!View().IsBrowsing());
    QCOMPARE(View().BoardPosition().board, Doc().Published().board);
}

void MainFrameTest::redoesTheMovePairTakenBackAgainstTheComputer() {
    StartGame(kPlayWhite);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    const PublishedPosition afterReply = View().ShownPosition();
    QVERIFY(!Enabled(ID_MOVE_REDO));
    Trigger(ID_MOVE_UNDO);
    QCOMPARE(int(Doc().m_moveCount), 0);
    QVERIFY(Enabled(ID_MOVE_REDO));
    Trigger(ID_MOVE_REDO);
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(View().ShownPosition().board, afterReply.board);
    QCOMPARE(View().ShownMoves().size(), std::size_t(2));
    QVERIFY(!View().IsBusy());
    QVERIFY(!Enabled(ID_MOVE_REDO));
}

void MainFrameTest::resignationEndsTheGameWithItsResult() {
    StartGame(kPlayWhite);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    Trigger(ID_MOVE_RESIGN);  // answered No
    QVERIFY(!Doc().m_gameOver);
    m_prompter->answer = Prompter::Answer::Yes;
    Trigger(ID_MOVE_RESIGN);
    QCOMPARE(View().StatusText(), QStringLiteral("White resigns"));
    QVERIFY(!g_chessClock.running);
    QVERIFY(!Enabled(ID_MOVE_RESIGN));
    QVERIFY(Title().endsWith('*'));
    QVERIFY(ExportPgn(Doc(), PgnDateToday()).find("[Result \"0-1\"]") != std::string::npos);
    Trigger(ID_MOVE_UNDO);
    QVERIFY(View().StatusText().isEmpty());
    QVERIFY(Enabled(ID_MOVE_RESIGN));
    QCOMPARE(int(Doc().m_moveCount), 2);
}

void MainFrameTest::recentGamesFollowSavesAndOpens() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(View(), {"e2e4"}));
    const QString saved = m_dir.filePath(QStringLiteral("saved.qln"));
    m_prompter->saveFile = saved;
    Trigger(ID_FILE_SAVE);
    const QString pgn = Write(QStringLiteral("two.pgn"), "1. d4 *\n\n1. c4 e5 *\n");
    m_frame->Files().SetGameChooser(
        [](const auto&, QWidget*) { return std::optional<std::size_t>(1); });
    QVERIFY(m_frame->Files().OpenDocumentFile(pgn));
    QMenu& menu = m_frame->RecentMenu();
    emit menu.aboutToShow();
    QCOMPARE(menu.actions().size(), 2);
    QCOMPARE(menu.actions()[0]->text(), QStringLiteral("&1 two.pgn, game 2"));
    QCOMPARE(menu.actions()[1]->text(), QStringLiteral("&2 saved.qln"));

    QVERIFY(QFile::remove(saved));
    menu.actions()[1]->trigger();
    QCOMPARE(m_prompter->messages.size(), 1);
    Trigger(ID_FILE_NEW);
    emit menu.aboutToShow();
    QCOMPARE(menu.actions().size(), 1);
    menu.actions()[0]->trigger();
    QCOMPARE(int(Doc().m_moveCount), 2);
    QCOMPARE(Title(), QStringLiteral("Quillon - two.pgn"));
}

// Every square of a middle game with both sides castled, then a check that
// leaves one way out.
void MainFrameTest::offersTheRulesLegalTargets() {
    OpenGame(kPlayHumanVsHuman,
             {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "g8f6", "e1g1", "d7d6", "b5c6", "b7c6",
              "d2d4", "c8g4", "h2h3", "g4f3", "d1f3", "f8e7", "f3f6", "e8g8", "f6e7", "d8e7"});
    QCOMPARE(View().Marks().lastMove.value_or(MoveEntry{}), (MoveEntry{Sq("d8"), Sq("e7")}));
    for (int from = 0; from < kSquareCount; ++from) {
        ClickSquare(View(), from);
        std::vector<int> legal;
        for (int to = 0; to < kSquareCount; ++to) {
            if (to != from && Doc().m_pEngine->IsMoveLegal(from, to, kWhite, 1)) {
                legal.push_back(to);
            }
        }
        QCOMPARE(Sorted(View().Targets()), legal);
        Click(View().Board(), QPoint(0, 0));
    }
    // A king in check is marked.
    OpenGame(kPlayHumanVsHuman, {"e2e4", "f7f6", "d1h5"});
    QCOMPARE(View().Marks().checkedKing.value_or(-1), Sq("e8"));
    ClickSquare(View(), Sq("g7"));
    QCOMPARE(Sorted(View().Targets()), Squares({"g6"}));
}

void MainFrameTest::movesByClicksAndByKeys() {
    StartGame(kPlayHumanVsHuman);
    ClickSquare(View(), Sq("e2"));
    ClickSquare(View(), Sq("e4"));
    QVERIFY(WaitIdle(View()));
    // The first key shows the cursor on e2; up five to Black's e-pawn.
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Up,    Qt::Key_Up,    Qt::Key_Up,
                            Qt::Key_Up,     Qt::Key_Up,    Qt::Key_Space, Qt::Key_Down,
                            Qt::Key_Down,   Qt::Key_Return};
    for (Qt::Key key : keys) QTest::keyClick(&View().Board(), key);
    QVERIFY(WaitIdle(View()));
    QCOMPARE(Doc().m_moveCount, 2);
    QCOMPARE(Doc().m_moves[0], (MoveEntry{Sq("e2"), Sq("e4")}));
    QCOMPARE(Doc().m_moves[1], (MoveEntry{Sq("e7"), Sq("e5")}));
}

void MainFrameTest::flippedBoardSurvivesARestartAndTakesMoves() {
    StartGame(kPlayHumanVsHuman);
    Trigger(ID_VIEW_FLIPBOARD);
    // A restart keeps the settings store.
    cleanup();
    m_app = std::make_unique<CTesselApp>(*m_prompter);
    StartGame(kPlayHumanVsHuman);
    QVERIFY(m_frame->Action(ID_VIEW_FLIPBOARD)->isChecked());
    QVERIFY(View().CellRect(Sq("e2")).top() < View().CellRect(Sq("e7")).top());
    DragBetween(View().Board(), View().CellRect(Sq("e2")).center(),
                View().CellRect(Sq("e4")).center());
    QVERIFY(WaitIdle(View()));
    QCOMPARE(Doc().m_moveCount, 1);
    QCOMPARE(Doc().m_moves[0], (MoveEntry{Sq("e2"), Sq("e4")}));
}

// The board's width against its width at the start-up size.
void MainFrameTest::boardFillsTheWindow_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<double>("least");
    QTest::addColumn<double>("most");
    QTest::newRow("900 x 900") << QSize(900, 900) << 1.6 << 1.8;
    QTest::newRow("1600 x 1200") << QSize(1600, 1200) << 2.5 << 3.1;
    QTest::newRow("smallest") << QSize(100, 100) << 0.7 << 0.8;
}

void MainFrameTest::boardFillsTheWindow() {
    QFETCH(QSize, window);
    QFETCH(double, least);
    QFETCH(double, most);
    Start();
    const int startWidth = View().CellRect(Sq("h1")).right() - View().CellRect(Sq("a1")).left();
    m_frame->resize(window);
    QTRY_VERIFY(m_frame->size() != m_frame->sizeHint());
    const QRect a8 = View().CellRect(Sq("a8"));
    const QRect h1 = View().CellRect(Sq("h1"));
    const double ratio = double(h1.right() - a8.left()) / startWidth;
    QVERIFY2(ratio >= least && ratio <= most, qPrintable(QString::number(ratio)));
    // Square cells, the whole board inside its widget and beside the list.
    QCOMPARE(h1.bottom() - a8.top(), h1.right() - a8.left());
    QVERIFY(View().Board().rect().contains(QRect(a8.topLeft(), h1.bottomRight())));
    const QRect list = m_frame->MoveList().geometry();
    QVERIFY(View().Board().geometry().right() < list.left());
    QVERIFY(list.right() < View().width());
}

// A hint searched at depth 5 ends at once, by Move Now or Escape with the
// best move so far framed, by a move made with nothing framed.
void MainFrameTest::hintEndsLikeTheComputersThinking_data() {
    QTest::addColumn<QString>("end");
    QTest::newRow("Move Now") << QStringLiteral("now");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("move") << kHumansMove;
}

void MainFrameTest::hintEndsLikeTheComputersThinking() {
    QFETCH(QString, end);
    Start();
    QVERIFY(m_frame->Files().OpenDocumentFile(
        Write(QStringLiteral("middle.qln"), GameBytes(kMiddleGame))));
    Doc().m_pEngine->m_outOfBook = true;
    Trigger(ID_DEPTH_5);
    Trigger(ID_MOVE_HINT);
    QVERIFY(View().IsThinking());
    QVERIFY(Enabled(ID_MOVE_NOW));
    QVERIFY(Enabled(ID_MOVE_UNDO));
    QVERIFY(Enabled(ID_FILE_SAVE));
    QTRY_VERIFY(View().Progress().Text().startsWith(QStringLiteral("Thinking...")));
    QElapsedTimer timer;
    timer.start();
    if (end == QLatin1String("now")) {
        Trigger(ID_MOVE_NOW);
    } else if (end == QLatin1String("escape")) {
        QTest::keyClick(&View().Board(), Qt::Key_Escape);
    } else {
        const QByteArray move = end.toLatin1();
        Drag(View(), move.left(2).constData(), move.mid(2).constData());
        QVERIFY(!View().HintMove());
        QTRY_COMPARE(View().ShownMoves().size(), kMiddleGame.size() + 1);
        // The computer thinks about its reply at once.
        QTRY_VERIFY(View().IsThinking());
        Trigger(ID_MOVE_NOW);
        QVERIFY(QTest::qWaitFor([this] { return !View().IsBusy(); }, kPromptMs));
        QCOMPARE(int(Doc().m_moveCount), int(kMiddleGame.size()) + 2);
        return;
    }
    QVERIFY(QTest::qWaitFor([this] { return !View().IsThinking(); }, kPromptMs));
    QVERIFY(timer.elapsed() < kPromptMs);
    QVERIFY(View().HintMove().has_value());
    const MoveEntry hint = *View().HintMove();
    QVERIFY(Doc().m_pEngine->IsMoveLegal(hint.from, hint.to, kWhite, 1));
    QCOMPARE(int(Doc().m_moveCount), int(kMiddleGame.size()));
}

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
