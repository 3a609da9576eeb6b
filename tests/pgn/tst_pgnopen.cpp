#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/pgngamedialog.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "tests/support/testgames.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/tesselview.h"

namespace {

const QByteArray kTwoGames =
    "[Event \"Club\"]\n[White \"Anna\"]\n[Black \"Bert\"]\n[Result \"*\"]\n\n"
    "1. e4 e5 2. Nf3 *\n\n"
    "[Event \"Open\"]\n[White \"Cleo\"]\n[Black \"Dan\"]\n[Result \"1-0\"]\n\n1. d4 1-0\n";
const QByteArray kEnPassant = "1. e4 a6 2. e5 d5 3. exd6 *\n";

}  // namespace

// Opening PGN games from the window: through File > Open, the command line
// and the list of a file's games; saving them again.
class PgnOpenTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensTheFirstGameNamedOnTheCommandLine();
    void listsTheGamesOfAFileToPickOne();
    void refusalLeavesTheGameAsItWas();
    void earlyEndIsToldInTheStatusBox();
    void savingAnOpenedPgnGameWritesASavedGameBesideIt();
    void openDialogCompletesANameWithoutExtension();

private:
    void Start(const QStringList& arguments = {});
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    CTesselDoc& Doc() { return m_app->Document(); }
    CTesselView& View() { return m_frame->View(); }
    QString Write(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
    std::unique_ptr<FakePrompter> m_prompter;
    std::unique_ptr<CTesselApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void PgnOpenTest::init() {
    g_searchDepth = 1;
    m_prompter = std::make_unique<FakePrompter>();
    m_app = std::make_unique<CTesselApp>(*m_prompter);
}

void PgnOpenTest::cleanup() {
    if (m_frame) QVERIFY(WaitIdle(View()));
    m_app.reset();
    m_frame = nullptr;
}

void PgnOpenTest::Start(const QStringList& arguments) {
    QVERIFY(m_app->InitInstance(QStringList{QStringLiteral("quillon")} + arguments));
    m_frame = m_app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

QString PgnOpenTest::Write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    if (!WriteFile(path, bytes)) qFatal("cannot write %s", qPrintable(path));
    return path;
}

void PgnOpenTest::opensTheFirstGameNamedOnTheCommandLine() {
    // Without a display of the list, as the command line does: the first game.
    Start({Write(QStringLiteral("club.pgn"), kTwoGames.left(kTwoGames.indexOf("\n\n[") + 1))});
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - club.pgn"));
    QCOMPARE(int(Doc().m_moveCount), 3);
    QCOMPARE(View().ShownPosition().board[Sq("f3")], kKnightValue);
    QCOMPARE(View().ShownPosition().sideToMove, kBlack);
    QVERIFY(!Doc().IsModified());
    QVERIFY(m_prompter->messages.isEmpty());
}

void PgnOpenTest::listsTheGamesOfAFileToPickOne() {
    Start();
    std::vector<PgnGameSummary> offered;
    std::optional<std::size_t> pick = 1;
    m_frame->Files().SetGameChooser([&](const auto& games, QWidget*) {
        offered = games;
        return pick;
    });
    m_prompter->openFile = Write(QStringLiteral("two.pgn"), kTwoGames);
    Trigger(ID_FILE_OPEN);
    QCOMPARE(offered.size(), std::size_t(2));
    QCOMPARE(int(Doc().m_moveCount), 1);
    QCOMPARE(View().ShownPosition().board[Sq("d4")], kPawnValue);

    // Cancelling the list opens nothing and says nothing.
    pick.reset();
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 1);
    QVERIFY(m_prompter->messages.isEmpty());

    PgnGameDialog dialog(offered);
    QTableWidget* table = dialog.Table();
    QCOMPARE(table->rowCount(), 2);
    QStringList secondRow;
    for (int column = 0; column < table->columnCount(); ++column) {
        secondRow << table->item(1, column)->text();
    }
    QCOMPARE(secondRow, QStringList({"2", "Cleo", "Dan", "1-0", "Open"}));
}

void PgnOpenTest::refusalLeavesTheGameAsItWas() {
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
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
    QVERIFY(Doc().IsModified());
}

void PgnOpenTest::earlyEndIsToldInTheStatusBox() {
    Start();
    m_prompter->openFile = Write(QStringLiteral("long.pgn"), kKingOnlyDrawPgn);
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 81);
    QCOMPARE(View().StatusText(),
             QStringLiteral("Game Drawn\n\r\n\rThe game ends at move 41; the file's later moves "
                            "are left out."));
}

void PgnOpenTest::savingAnOpenedPgnGameWritesASavedGameBesideIt() {
    Start();
    Trigger(ID_PLAY_HUMANVSHUMAN);
    const QString pgnPath = Write(QStringLiteral("club.pgn"), kTwoGames);
    m_frame->Files().SetGameChooser(
        [](const auto&, QWidget*) { return std::optional<std::size_t>(0); });
    m_prompter->openFile = pgnPath;
    Trigger(ID_FILE_OPEN);
    QVERIFY(PlayMoves(View(), {"b8c6"}));

    const QString savedPath = m_dir.filePath(QStringLiteral("club.qln"));
    m_prompter->saveFile = savedPath;
    Trigger(ID_FILE_SAVE);
    QCOMPARE(m_prompter->saveCaption, QStringLiteral("Save As"));
    QCOMPARE(m_prompter->proposedName, savedPath);
    QCOMPARE(ReadFile(pgnPath), kTwoGames);
    QCOMPARE(ReadFile(savedPath), GameBytes({"e2e4", "e7e5", "g1f3", "b8c6"}));
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - club.qln"));

    // Save As with a PGN name writes PGN, which reads back as the same game.
    const QString exported = m_dir.filePath(QStringLiteral("again.pgn"));
    m_prompter->saveFile = exported;
    Trigger(ID_FILE_SAVE_AS);
    QVERIFY(ReadFile(exported).endsWith("\n\n1. e4 e5 2. Nf3 Nc6 *\n"));
    QVERIFY(Doc().IsImported());
    m_prompter->openFile = exported;
    Trigger(ID_FILE_OPEN);
    QCOMPARE(int(Doc().m_moveCount), 4);
    QVERIFY(m_prompter->messages.isEmpty());
}

void PgnOpenTest::openDialogCompletesANameWithoutExtension() {
    Start();
    QCOMPARE(m_prompter->offeredFilters, QStringList());
    Write(QStringLiteral("fool2.qln"), GameBytes({"f2f3"}));
    Write(QStringLiteral("fool2.pgn"), "1. e4 e5 *\n");
    Write(QStringLiteral("study.pgn"), "1. d4 *\n");

    m_prompter->openFile = m_dir.filePath(QStringLiteral("fool2"));
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_prompter->offeredFilters,
             QStringList({"Chess games (*.qln *.pgn)", "Quillon Files (*.qln)", "PGN Files (*.pgn)",
                          "All Files (*.*)"}));
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - fool2.qln"));

    m_prompter->openFile = m_dir.filePath(QStringLiteral("study"));
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - study.pgn"));

    m_prompter->openFile = m_dir.filePath(QStringLiteral("absent"));
    Trigger(ID_FILE_OPEN);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].text,
             m_prompter->openFile + QStringLiteral(" was not found."));
}

QTEST_MAIN(PgnOpenTest)
#include "tst_pgnopen.moc"
