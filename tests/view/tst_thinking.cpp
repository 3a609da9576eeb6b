#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/tesselview.h"

namespace {

// A middle game with White to move, where Expert at depth 5 thinks long.
const QStringList kMiddleGame = {"d2d4", "g8f6", "c2c4", "g7g6", "b1c3", "f8g7", "e2e4", "d7d6",
                                 "g1f3", "e8g8", "f1e2", "e7e5", "e1g1", "b8c6", "d4d5", "c6e7"};
const QString kHumansMove = QStringLiteral("c1e3");
// A stopped search answers within a fraction of a second; the bound leaves
// room for a busy machine and is still far below the search's own time.
constexpr qint64 kPromptMs = 3000;

}  // namespace

// The window while the computer thinks: its progress, Move Now, and the
// commands that stop the search.
class ThinkingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void moveNowPlaysTheBestMoveSoFar();
    void replacingTheGameStopsTheSearch_data();
    void replacingTheGameStopsTheSearch();
    void closingSavesTheHumansLastMove();
    void aFailedSaveOnClosingLetsTheComputerThinkOn();

private:
    // The middle game opened from the file, the human's move dropped, and the
    // computer thinking.
    void StartThinking(const QString& path);
    QString GamePath() const { return m_dir.filePath(QStringLiteral("middle.qln")); }
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    bool Enabled(int id) const { return m_frame->Action(id)->isEnabled(); }
    CTesselDoc& Doc() { return m_app->Document(); }
    CTesselView& View() { return m_frame->View(); }

    QTemporaryDir m_dir;
    std::unique_ptr<FakePrompter> m_prompter;
    std::unique_ptr<CTesselApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void ThinkingTest::init() {
    g_searchDepth = 1;
    m_prompter = std::make_unique<FakePrompter>();
    m_app = std::make_unique<CTesselApp>(*m_prompter);
    QVERIFY(m_app->InitInstance({QStringLiteral("quillon")}));
    m_frame = m_app->MainFrame();
}

void ThinkingTest::cleanup() {
    m_app.reset();
    m_frame = nullptr;
}

void ThinkingTest::StartThinking(const QString& path) {
    QVERIFY(WriteFile(path, GameBytes(kMiddleGame)));
    QVERIFY(m_frame->Files().OpenDocumentFile(path));
    // Past the opening book, so that the reply is searched.
    Doc().m_pEngine->m_outOfBook = true;
    Trigger(ID_SKILL_EXPERT);
    Trigger(ID_DEPTH_5);
    const QByteArray move = kHumansMove.toLatin1();
    Drag(View(), move.left(2).constData(), move.mid(2).constData());
    QTRY_VERIFY(View().IsThinking());
}

void ThinkingTest::moveNowPlaysTheBestMoveSoFar() {
    StartThinking(GamePath());
    QVERIFY(Enabled(ID_MOVE_NOW));
    const QRegularExpression progress(QStringLiteral("^Thinking\\.\\.\\. \\d+/\\d+$"));
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

void ThinkingTest::replacingTheGameStopsTheSearch_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("movesAfter");
    QTest::addColumn<int>("sideToMove");
    QTest::newRow("New") << int(ID_FILE_NEW) << 0 << kWhite;
    QTest::newRow("Human vs Human") << int(ID_PLAY_HUMANVSHUMAN) << 0 << kWhite;
    QTest::newRow("Play Black") << int(ID_PLAY_BLACK) << 1 << kBlack;
}

void ThinkingTest::replacingTheGameStopsTheSearch() {
    QFETCH(int, command);
    QFETCH(int, movesAfter);
    QFETCH(int, sideToMove);
    StartThinking(GamePath());
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
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Quillon - Untitled"));
}

void ThinkingTest::closingSavesTheHumansLastMove() {
    StartThinking(GamePath());
    m_prompter->answer = Prompter::Answer::Yes;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_frame->close());
    QVERIFY(timer.elapsed() < kPromptMs);
    QCOMPARE(ReadFile(GamePath()), GameBytes(kMiddleGame + QStringList{kHumansMove}));
}

void ThinkingTest::aFailedSaveOnClosingLetsTheComputerThinkOn() {
    const QString folder = m_dir.filePath(QStringLiteral("gone"));
    QVERIFY(QDir().mkpath(folder));
    StartThinking(folder + QStringLiteral("/middle.qln"));
    QVERIFY(QDir(folder).removeRecursively());
    m_prompter->answer = Prompter::Answer::Yes;
    QVERIFY(!m_frame->close());
    QCOMPARE(m_prompter->messages.size(), 1);
    // The window stays with the game as it was, and the reply still comes.
    QTRY_VERIFY(View().IsThinking());
    Trigger(ID_MOVE_NOW);
    QVERIFY(WaitIdle(View()));
    QCOMPARE(int(Doc().m_moveCount), int(kMiddleGame.size()) + 2);
    QVERIFY(Doc().RebuildPosition());
}

QTEST_MAIN(ThinkingTest)
#include "tst_thinking.moc"
