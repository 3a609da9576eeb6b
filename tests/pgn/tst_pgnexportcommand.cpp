#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/pgnfile.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "document/pgnexport.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/tesselview.h"

namespace {

const QStringList kFoolsMate = {"f2f3", "e7e5", "g2g4", "d8h4"};
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

}  // namespace

// File > Export PGN... and quillon --export-pgn.
class PgnExportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuItemFollowsSaveAs();
    void exportsTheGameToTheChosenFile();
    void proposesTheGameFilesNameWithThePgnSuffix();
    void cancellingWritesNothing();
    void reportsAFileThatCannotBeWritten();
    void isGreyedWhileAMoveIsProcessed();

    void commandLinePrintsTheGameWithoutADisplay();
    void commandLineReportsAnUnreadableGame();
    void commandLineNormalisesTheChosenGameOfAPgnFile();
    void commandLineNotUnderstoodPrintsTheUsage_data();
    void commandLineNotUnderstoodPrintsTheUsage();

private:
    void Start();
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    CTesselDoc& Doc() { return m_app->Document(); }
    CTesselView& View() { return m_frame->View(); }
    void PlayFoolsMate();

    QTemporaryDir m_dir;
    std::unique_ptr<FakePrompter> m_prompter;
    std::unique_ptr<CTesselApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void PgnExportCommandTest::init() {
    g_searchDepth = 1;
    m_prompter = std::make_unique<FakePrompter>();
    m_app = std::make_unique<CTesselApp>(*m_prompter);
}

void PgnExportCommandTest::cleanup() {
    if (m_frame) QVERIFY(WaitIdle(View()));
    m_app.reset();
    m_frame = nullptr;
}

void PgnExportCommandTest::Start() {
    QVERIFY(m_app->InitInstance({QStringLiteral("quillon")}));
    m_frame = m_app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void PgnExportCommandTest::PlayFoolsMate() {
    Trigger(ID_PLAY_HUMANVSHUMAN);
    QVERIFY(PlayMoves(View(), kFoolsMate));
    // The checkmate's own message box.
    m_prompter->messages.clear();
}

void PgnExportCommandTest::menuItemFollowsSaveAs() {
    Start();
    const QList<QAction*> actions = m_frame->menuBar()->actions().at(0)->menu()->actions();
    const qsizetype saveAs = actions.indexOf(m_frame->Action(ID_FILE_SAVE_AS));
    QVERIFY(saveAs >= 0 && saveAs + 1 < actions.size());
    QCOMPARE(actions.at(saveAs + 1), m_frame->Action(ID_FILE_EXPORT_PGN));
    QCOMPARE(actions.at(saveAs + 1)->text(), QStringLiteral("&Export PGN..."));
}

void PgnExportCommandTest::exportsTheGameToTheChosenFile() {
    Start();
    PlayFoolsMate();
    const QString path = m_dir.filePath(QStringLiteral("mate.pgn"));
    m_prompter->saveFile = path;
    Trigger(ID_FILE_EXPORT_PGN);

    QCOMPARE(m_prompter->saveCaption, QStringLiteral("Export PGN"));
    QCOMPARE(m_prompter->offeredFilters, QStringList({"PGN Files (*.pgn)", "All Files (*.*)"}));
    QCOMPARE(m_prompter->offeredSuffix, QStringLiteral("pgn"));
    QVERIFY(m_prompter->messages.isEmpty());
    const QByteArray pgn = ReadFile(path);
    QCOMPARE(pgn, QByteArray::fromStdString(ExportPgn(Doc(), PgnDateToday())));
    QVERIFY(pgn.contains("[White \"Player 1\"]\n[Black \"Player 2\"]\n[Result \"0-1\"]"));
    QVERIFY(pgn.endsWith(kFoolsMateMovetext));
    // An export is not a save: the game keeps its name.
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
}

void PgnExportCommandTest::proposesTheGameFilesNameWithThePgnSuffix() {
    Start();
    Trigger(ID_FILE_EXPORT_PGN);
    QCOMPARE(m_prompter->proposedName, QStringLiteral("Untitled.pgn"));

    const QString game = m_dir.filePath(QStringLiteral("opening.qln"));
    QVERIFY(WriteFile(game, GameBytes({"e2e4"})));
    QVERIFY(m_frame->Files().OpenDocumentFile(game));
    Trigger(ID_FILE_EXPORT_PGN);
    QCOMPARE(m_prompter->proposedName, m_dir.filePath(QStringLiteral("opening.pgn")));
}

void PgnExportCommandTest::cancellingWritesNothing() {
    Start();
    PlayFoolsMate();
    const QStringList filesBefore = QDir(m_dir.path()).entryList(QDir::Files);
    m_prompter->saveFile.clear();
    Trigger(ID_FILE_EXPORT_PGN);
    QVERIFY(m_prompter->messages.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), filesBefore);
}

void PgnExportCommandTest::reportsAFileThatCannotBeWritten() {
    Start();
    PlayFoolsMate();
    m_prompter->saveFile = m_dir.filePath(QStringLiteral("no such folder/mate.pgn"));
    Trigger(ID_FILE_EXPORT_PGN);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("Rovu Dider"));
    QVERIFY(!m_prompter->messages[0].text.isEmpty());
    QVERIFY(m_prompter->messages[0].icon == Prompter::Icon::Warning);
}

void PgnExportCommandTest::isGreyedWhileAMoveIsProcessed() {
    Start();
    Drag(View(), "e2", "e4");
    QVERIFY(View().IsBusy());
    QVERIFY(!m_frame->Action(ID_FILE_EXPORT_PGN)->isEnabled());
    QVERIFY(WaitIdle(View()));
    QVERIFY(m_frame->Action(ID_FILE_EXPORT_PGN)->isEnabled());
}

void PgnExportCommandTest::commandLinePrintsTheGameWithoutADisplay() {
    const QString game = m_dir.filePath(QStringLiteral("mate.qln"));
    QVERIFY(WriteFile(game, GameBytes(kFoolsMate)));
    std::unique_ptr<QProcess> quillon(StartWithoutDisplay({QStringLiteral("--export-pgn"), game}));
    QVERIFY(quillon->waitForFinished(30000));
    QCOMPARE(quillon->exitStatus(), QProcess::NormalExit);
    QCOMPARE(quillon->exitCode(), 0);
    const QByteArray pgn = quillon->readAllStandardOutput();
    QVERIFY(pgn.startsWith("[Event \"Quillon game\"]\n"));
    QVERIFY(pgn.contains("[Result \"0-1\"]"));
    QVERIFY(pgn.endsWith(kFoolsMateMovetext));
    QVERIFY(quillon->readAllStandardError().isEmpty());
}

void PgnExportCommandTest::commandLineReportsAnUnreadableGame() {
    const QString missing = m_dir.filePath(QStringLiteral("absent.qln"));
    std::unique_ptr<QProcess> quillon(
        StartWithoutDisplay({QStringLiteral("--export-pgn"), missing}));
    QVERIFY(quillon->waitForFinished(30000));
    QCOMPARE(quillon->exitStatus(), QProcess::NormalExit);
    QVERIFY(quillon->exitCode() != 0);
    QVERIFY(quillon->readAllStandardOutput().isEmpty());
    QVERIFY(quillon->readAllStandardError().contains(missing.toUtf8()));
}

void PgnExportCommandTest::commandLineNormalisesTheChosenGameOfAPgnFile() {
    const QString games = m_dir.filePath(QStringLiteral("games.pgn"));
    QVERIFY(
        WriteFile(games, "[White \"A\"]\n\n1. e4 * [White \"B\"]\n\n1.f3 {x} e5 2.g4 Qh4 0-1\n"));
    std::unique_ptr<QProcess> quillon(StartWithoutDisplay(
        {QStringLiteral("--export-pgn"), games, QStringLiteral("--game"), QStringLiteral("2")}));
    QVERIFY(quillon->waitForFinished(30000));
    QCOMPARE(quillon->exitCode(), 0);
    QVERIFY(quillon->readAllStandardOutput().endsWith(kFoolsMateMovetext));
}

void PgnExportCommandTest::commandLineNotUnderstoodPrintsTheUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList({"--bogus"});
    QTest::newRow("export without a file") << QStringList({"--export-pgn"});
    QTest::newRow("game number not a number")
        << QStringList({"--export-pgn", "x.pgn", "--game", "two"});
}

void PgnExportCommandTest::commandLineNotUnderstoodPrintsTheUsage() {
    QFETCH(QStringList, arguments);
    std::unique_ptr<QProcess> quillon(StartWithoutDisplay(arguments));
    QVERIFY(quillon->waitForFinished(30000));
    QCOMPARE(quillon->exitStatus(), QProcess::NormalExit);
    QCOMPARE(quillon->exitCode(), 2);
    QVERIFY(quillon->readAllStandardError().contains("Usage: "));
}

QTEST_MAIN(PgnExportCommandTest)
#include "tst_pgnexportcommand.moc"
