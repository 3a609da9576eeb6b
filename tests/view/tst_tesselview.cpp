#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>

#include "computer/intelligence.h"
#include "document/tesseldoc.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/boardgeometry.h"
#include "view/chessclock.h"
#include "view/tesselview.h"

namespace {

const QStringList kFoolsMateNames = MoveNames(kFoolsMate);
const QStringList kScholarsMate = {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"};
const QStringList kStalemateNames = MoveNames(kStalemate);

int64_t CalendarSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

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

// The board view: drawing, move entry and the game flow, undo.
class TesselViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ignoresPressesOutOfTurn_data();
    void ignoresPressesOutOfTurn();
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
    void refusesUndoInTheComputersTurn();
    void undoReopensAFinishedGame();

    void clicksSelectAndMoveThroughTheDropPath();
    void offersTheRulesLegalTargets();

private:
    void StartGame(int playMode);
    void OpenGame(int playMode, const QStringList& moves);

    QTemporaryDir m_dir;
    std::unique_ptr<FakePrompter> m_prompter;
    std::unique_ptr<CTesselDoc> m_doc;
    std::unique_ptr<CTesselView> m_view;
};

void TesselViewTest::init() {
    g_searchDepth = 1;
    m_prompter = std::make_unique<FakePrompter>();
    m_doc = std::make_unique<CTesselDoc>();
}

void TesselViewTest::cleanup() {
    g_chessClock.SetTimeSource(CalendarSeconds);
    if (m_view) QVERIFY(WaitIdle(*m_view));
    m_view.reset();
    m_doc.reset();
}

void TesselViewTest::StartGame(int playMode) {
    m_doc->m_playMode = playMode;
    m_doc->OnNewDocument();
    m_view = std::make_unique<CTesselView>(*m_doc, *m_prompter);
    m_view->ShowGameFromDocument();
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TesselViewTest::OpenGame(int playMode, const QStringList& moves) {
    StartGame(playMode);
    const QString path = m_dir.filePath(QStringLiteral("game.qln"));
    QVERIFY(WriteFile(path, GameBytes(moves)));
    QVERIFY(m_doc->OnOpenDocument(path.toStdString()).ok);
    m_view->ShowGameFromDocument();
}

void TesselViewTest::ignoresPressesOutOfTurn_data() {
    QTest::addColumn<int>("playMode");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("tried");
    QTest::newRow("Black to move when the human plays White")
        << kPlayWhite << QStringList{"e2e4"} << QStringLiteral("e7e5");
    QTest::newRow("White to move when the human plays Black")
        << kPlayBlack << QStringList{"e2e4", "e7e5"} << QStringLiteral("d2d4");
}

void TesselViewTest::ignoresPressesOutOfTurn() {
    QFETCH(int, playMode);
    QFETCH(QStringList, moves);
    QFETCH(QString, tried);
    OpenGame(playMode, moves);
    QVERIFY(PlayMoves(*m_view, {tried}));
    QCOMPARE(int(m_doc->m_moveCount), int(moves.size()));
    QVERIFY(m_view->StatusText().isEmpty());
    QVERIFY(!m_doc->IsModified());
}

void TesselViewTest::reportsAnInvalidMove() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(!g_chessClock.running);
    QVERIFY(PlayMoves(*m_view, {"e2e5"}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Invalid Move"));
    QCOMPARE(int(m_doc->m_moveCount), 0);
    QCOMPARE(m_view->ShownPosition().sideToMove, kWhite);
    QVERIFY(m_doc->IsModified());
    // The first release of a game starts the clock, refused or not.
    QVERIFY(g_chessClock.running);
    // A Black piece is picked up but the document refuses it.
    QVERIFY(PlayMoves(*m_view, {"e7e5"}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Invalid Move"));
    QVERIFY(PlayMoves(*m_view, {"e2e4"}));
    QVERIFY(m_view->StatusText().isEmpty());
    QCOMPARE(int(m_doc->m_moveCount), 1);
}

void TesselViewTest::reportsACheck() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, {"e2e4", "f7f5", "d1h5"}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("\n\rKing in Check!"));
    QVERIFY(!m_doc->m_gameOver);
    QVERIFY(PlayMoves(*m_view, {"g7g6"}));
    QVERIFY(m_view->StatusText().isEmpty());
    QVERIFY(m_prompter->messages.isEmpty());
}

void TesselViewTest::endsTheGameAtCheckmate_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("winner");
    QTest::newRow("Black mates") << kFoolsMateNames << QStringLiteral("Black");
    QTest::newRow("White mates") << kScholarsMate << QStringLiteral("White");
}

void TesselViewTest::endsTheGameAtCheckmate() {
    QFETCH(QStringList, moves);
    QFETCH(QString, winner);
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, moves));
    QCOMPARE(m_view->StatusText(),
             QStringLiteral("Checkmate!\n\rGame over\n\r\n\r") + winner + QStringLiteral(" wins!"));
    QCOMPARE(m_prompter->messages.size(), 1);
    const FakePrompter::Message box = m_prompter->messages.constFirst();
    QCOMPARE(box.caption, QStringLiteral("Game Over"));
    QCOMPARE(box.text, QStringLiteral("Checkmate! Game over\n\r\n\r    ") + winner +
                           QStringLiteral(" wins!"));
    QVERIFY(box.icon == Prompter::Icon::Information);
    QVERIFY(m_doc->m_gameOver);
    QVERIFY(!m_doc->IsModified());
    QVERIFY(!g_chessClock.running);
    // Later presses are ignored.
    QVERIFY(PlayMoves(*m_view, {"a2a3", "a7a6"}));
    QCOMPARE(int(m_doc->m_moveCount), int(moves.size()));
}

void TesselViewTest::drawsTheGameAtStalemate() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, kStalemateNames));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemateNames.size()));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Game Drawn"));
    QVERIFY(m_doc->m_gameOver);
    QVERIFY(m_prompter->messages.isEmpty());
    // A draw does not stop the clock.
    QVERIFY(g_chessClock.running);
    QVERIFY(PlayMoves(*m_view, {"a2a3"}));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemateNames.size()));
}

void TesselViewTest::drawsTheGameAgainstTheComputerWithoutReply() {
    OpenGame(kPlayWhite, kStalemateNames.mid(0, kStalemateNames.size() - 1));
    QVERIFY(PlayMoves(*m_view, {kStalemateNames.constLast()}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Game Drawn"));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemateNames.size()));
    QVERIFY(m_doc->m_gameOver);
    QVERIFY(!m_view->LastMoveLine().has_value());
    QCOMPARE(m_view->ShownPosition().board[Sq("e6")], kQueenValue);
}

void TesselViewTest::computerRepliesAtOnceWhileTheViewWaits() {
    StartGame(kPlayWhite);
    Drag(*m_view, "e2", "e4");
    QVERIFY(m_view->IsBusy());
    // Until the view has shown the move, presses are ignored.
    Drag(*m_view, "d2", "d4");
    QCOMPARE(int(m_doc->m_fromSquare), Sq("e2"));
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(int(m_doc->m_moveCount), 2);
    QCOMPARE(m_view->ShownPosition().sideToMove, kWhite);
    QCOMPARE(m_view->ShownPosition().board[Sq("e4")], kPawnValue);
    const MoveEntry reply = m_doc->m_moves[1];
    QVERIFY(m_view->ShownPosition().board[reply.to] < 0);
    QCOMPARE(m_view->LastMoveLine()->from, reply.from);
    QCOMPARE(m_view->LastMoveLine()->to, reply.to);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The game goes on.
    QVERIFY(PlayMoves(*m_view, {"d2d3"}));
    QCOMPARE(int(m_doc->m_moveCount), 4);
}

void TesselViewTest::appliesSkillAndDepthChosenWhileThinkingToTheNextReply() {
    StartGame(kPlayWhite);
    Drag(*m_view, "e2", "e4");
    QVERIFY(m_view->IsBusy());
    m_view->OnSetDepth(3);
    m_view->OnSkillNovice();
    QCOMPARE(g_searchDepth, 1);
    QCOMPARE(m_doc->m_skillLevel, kSkillExpert);
    QCOMPARE(m_view->SearchDepth(), 3);
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(g_searchDepth, 3);
    QCOMPARE(m_doc->m_skillLevel, kSkillNovice);
    m_view->OnSkillExpert();
    m_view->OnSetDepth(1);
    QCOMPARE(m_doc->m_skillLevel, kSkillExpert);
    QCOMPARE(g_searchDepth, 1);
}

void TesselViewTest::undoesMovePairsAgainstComputerAsBlack() {
    StartGame(kPlayBlack);
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_view->ShownPosition().sideToMove, kBlack);
    const MoveEntry opening = m_doc->m_moves[0];
    QVERIFY(PlayMoves(*m_view, {"g8f6"}));
    QCOMPARE(int(m_doc->m_moveCount), 3);
    m_view->OnMoveUndo();
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_doc->m_moves[0].from, opening.from);
    QCOMPARE(m_view->ShownPosition().sideToMove, kBlack);
    QCOMPARE(m_view->ShownPosition().board[Sq("g8")], -kKnightValue);
    // Once more: a new game in which the computer opens again.
    m_view->OnMoveUndo();
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_view->ShownPosition().sideToMove, kBlack);
    QVERIFY(m_prompter->messages.isEmpty());
}

void TesselViewTest::undoAllStartsAgainInEachMode_data() {
    QTest::addColumn<int>("playMode");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<int>("movesLeft");
    QTest::newRow("Human vs Human") << kPlayHumanVsHuman << QStringList{"e2e4", "e7e5"} << 0;
    QTest::newRow("Play White") << kPlayWhite << QStringList{"e2e4", "d2d3"} << 0;
    QTest::newRow("Play Black") << kPlayBlack << QStringList{"g8f6"} << 1;
}

void TesselViewTest::undoAllStartsAgainInEachMode() {
    QFETCH(int, playMode);
    QFETCH(QStringList, moves);
    QFETCH(int, movesLeft);
    StartGame(playMode);
    QVERIFY(PlayMoves(*m_view, moves));
    QVERIFY(m_doc->m_moveCount > movesLeft);
    m_view->OnMoveUndoAll();
    QCOMPARE(int(m_doc->m_moveCount), movesLeft);
    QVERIFY(!m_doc->IsModified());
    QCOMPARE(g_chessClock.elapsed[SideIndex(kWhite)], 0);
    QCOMPARE(g_chessClock.elapsed[SideIndex(kBlack)], 0);
}

void TesselViewTest::refusesUndoInTheComputersTurn() {
    OpenGame(kPlayWhite, {"e2e4"});
    m_view->OnMoveUndo();
    m_view->OnMoveUndoAll();
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_prompter->messages.size(), 2);
    for (const FakePrompter::Message& message : m_prompter->messages) {
        QCOMPARE(message.caption, QStringLiteral("Please co-operate"));
        QCOMPARE(message.text, QStringLiteral("Please undo only when it is your turn"));
        QVERIFY(message.icon == Prompter::Icon::Information);
    }
}

void TesselViewTest::undoReopensAFinishedGame() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, kFoolsMateNames));
    QVERIFY(m_doc->m_gameOver);
    m_view->OnMoveUndo();
    QVERIFY(!m_doc->m_gameOver);
    QCOMPARE(int(m_doc->m_moveCount), 3);
    // The reopened game is reported, not the end that was taken back.
    QVERIFY(m_view->StatusText().isEmpty());
    QCOMPARE(m_view->ShownPosition().sideToMove, kBlack);
    QVERIFY(PlayMoves(*m_view, {"d8e7"}));
    QCOMPARE(int(m_doc->m_moveCount), 4);
    QVERIFY(!m_doc->m_gameOver);
}

void TesselViewTest::clicksSelectAndMoveThroughTheDropPath() {
    StartGame(kPlayHumanVsHuman);
    Click(*m_view, SquareCentre(Sq("e2")));
    QCOMPARE(m_view->SelectedSquare().value_or(-1), Sq("e2"));
    QCOMPARE(Sorted(m_view->Targets()), Squares({"e3", "e4"}));
    // Another own piece takes the selection, an empty square that is no
    // target clears it, an opponent's piece is never selected.
    Click(*m_view, SquareCentre(Sq("g1")));
    QCOMPARE(Sorted(m_view->Targets()), Squares({"f3", "h3"}));
    Click(*m_view, SquareCentre(Sq("g4")));
    QVERIFY(!m_view->SelectedSquare());
    Click(*m_view, SquareCentre(Sq("e7")));
    QVERIFY(!m_view->SelectedSquare());
    QCOMPARE(int(m_doc->m_moveCount), 0);

    Click(*m_view, SquareCentre(Sq("g1")));
    Click(*m_view, SquareCentre(Sq("f3")));
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_doc->m_moves[0], (MoveEntry{Sq("g1"), Sq("f3")}));
    QVERIFY(!m_view->SelectedSquare());
    QCOMPARE(m_view->ShownPosition().board[Sq("f3")], kKnightValue);
    QVERIFY(g_chessClock.running);
}

// Every square of a middle game with both sides castled, then a check that
// leaves one way out.
void TesselViewTest::offersTheRulesLegalTargets() {
    OpenGame(kPlayHumanVsHuman,
             {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "g8f6", "e1g1", "d7d6", "b5c6", "b7c6",
              "d2d4", "c8g4", "h2h3", "g4f3", "d1f3", "f8e7", "f3f6", "e8g8", "f6e7", "d8e7"});
    QCOMPARE(m_view->Marks().lastMove.value_or(MoveEntry{}), (MoveEntry{Sq("d8"), Sq("e7")}));
    for (int from = 0; from < kSquareCount; ++from) {
        Click(*m_view, SquareCentre(from));
        std::vector<int> legal;
        for (int to = 0; to < kSquareCount; ++to) {
            if (to != from && m_doc->m_pEngine->IsMoveLegal(from, to, kWhite, 1)) {
                legal.push_back(to);
            }
        }
        QCOMPARE(Sorted(m_view->Targets()), legal);
        Click(*m_view, QPoint(0, 0));
    }
    // A king in check is marked.
    OpenGame(kPlayHumanVsHuman, {"e2e4", "f7f6", "d1h5"});
    QCOMPARE(m_view->Marks().checkedKing.value_or(-1), Sq("e8"));
    Click(*m_view, SquareCentre(Sq("g7")));
    QCOMPARE(Sorted(m_view->Targets()), Squares({"g6"}));
}

QTEST_MAIN(TesselViewTest)
#include "tst_tesselview.moc"
