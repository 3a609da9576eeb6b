#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>

#include "computer/intelligence.h"
#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/boardgeometry.h"
#include "view/boardpainter.h"
#include "view/dragimage.h"
#include "view/tesselview.h"
#include "view/viewsettings.h"

namespace {

const QColor kPanel(225, 225, 225);
const QColor kLight(255, 255, 255);
const QColor kDark(139, 185, 254);
const QColor kWhitePieceFill(236, 233, 216);
const QColor kRed(192, 0, 0);

const QStringList kFoolsMate = {"f2f3", "e7e5", "g2g4", "d8h4"};
const QStringList kScholarsMate = {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"};
// Ten moves to a stalemate of Black.
const QStringList kStalemate = {"e2e3", "a7a5", "d1h5", "a8a6", "h5a5", "h7h5", "h2h4",
                                "a6h6", "a5c7", "f7f6", "c7d7", "e8f7", "d7b7", "d8d3",
                                "b7b8", "d3h7", "b8c8", "f7g6", "c8e6"};

int64_t CalendarSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

int CountPixels(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) ++count;
        }
    }
    return count;
}

QRect CellRect(int square) { return QRect(CellOrigin(square), QSize(40, 40)); }

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

    void drawsTheStartingPosition();
    void showsTheSideToMoveAndTheLastMove();
    void showsTheStatusBoxInsideTheView();
    void printsTheBoardLargeOnThePage();
    void textsFitTheirPlaces();
    void clockShowsTheTimeOfTheSideToMove();

    void ignoresPressesOutOfTurn_data();
    void ignoresPressesOutOfTurn();
    void ignoresDropsThatAreNoMove();
    void dragImageFollowsThePointer();
    void reportsAnInvalidMove();
    void reportsACheck();
    void endsTheGameAtCheckmate_data();
    void endsTheGameAtCheckmate();
    void drawsTheGameAtStalemate();
    void drawsTheGameAgainstTheComputerWithoutReply();
    void computerRepliesAtOnceWhileTheViewWaits();
    void appliesSkillAndDepthChosenWhileThinkingToTheNextReply();
    void showsWhyAnOpenedGameIsOver_data();
    void showsWhyAnOpenedGameIsOver();

    void undoesOneMoveInTwoPlayerGame();
    void undoesMovePairsAgainstComputerAsWhite();
    void undoesMovePairsAgainstComputerAsBlack();
    void undoAllStartsAgainInEachMode_data();
    void undoAllStartsAgainInEachMode();
    void refusesUndoInTheComputersTurn();
    void undoReopensAFinishedGame();

    void clicksSelectAndMoveThroughTheDropPath();
    void keyboardSelectsAndMoves();
    void offersTheRulesLegalTargets();
    void flippedBoardTakesMovesAtTurnedCells();
    void largerViewScalesCellsAndDrags();
    void hintSuggestsALegalMoveWithoutChangingTheGame();

private:
    void StartGame(int playMode);
    void OpenGame(int playMode, const QStringList& moves);
    QImage Grab() { return m_view->grab().toImage(); }

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

void TesselViewTest::drawsTheStartingPosition() {
    StartGame(kPlayWhite);
    const QImage image = Grab();
    QVERIFY(image.width() >= 560);
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), kPanel);
    QCOMPARE(image.pixelColor(5, 5), kPanel);
    // Cell corners: a8 and h1 light, a1 and h8 dark.
    QCOMPARE(image.pixelColor(11, 11), kLight);
    QCOMPARE(image.pixelColor(291, 291), kLight);
    QCOMPARE(image.pixelColor(11, 291), kDark);
    QCOMPARE(image.pixelColor(291, 11), kDark);
    // The White king stands on e1, x 170 to 210 of the bottom row: cream
    // body, and the cell's own colour around it.
    QVERIFY(CountPixels(image, QRect(170, 290, 40, 40), kWhitePieceFill) > 50);
    QVERIFY(CountPixels(image, QRect(130, 290, 40, 40), kWhitePieceFill) > 50);
    QCOMPARE(CountPixels(image, QRect(170, 170, 40, 40), kWhitePieceFill), 0);
    // A Black rook on a8: dark pixels in a light cell.
    QVERIFY(CountPixels(image, QRect(10, 10, 40, 40), Qt::black) > 50);
    QCOMPARE(CountPixels(image, QRect(10, 130, 40, 40), Qt::black), 0);
    // "White to play" in red, the clock labels below it.
    QVERIFY(CountPixels(image, QRect(110, 340, 150, 25), kRed) > 50);
    QVERIFY(CountPixels(image, QRect(70, 370, 70, 25), kRed) > 30);
    QVERIFY(CountPixels(image, QRect(220, 370, 70, 25), kRed) > 30);
    QVERIFY(CountPixels(image, QRect(70, 400, 70, 25), Qt::black) > 30);
    // An empty status leaves an empty grey box.
    QCOMPARE(CountPixels(image, kStatusBox, kPanel), kStatusBox.width() * kStatusBox.height());
}

void TesselViewTest::showsTheSideToMoveAndTheLastMove() {
    StartGame(kPlayHumanVsHuman);
    const QRect sideLine(110, 340, 200, 25);
    const QImage whiteToPlay = Grab().copy(sideLine);
    QVERIFY(PlayMoves(*m_view, {"e2e4"}));
    QImage image = Grab();
    QVERIFY(image.copy(sideLine) != whiteToPlay);
    QCOMPARE(m_view->ShownPosition().sideToMove, kBlack);
    // The line runs from the centre of e2 through the empty e3 to e4, and
    // stays on later repaints.
    QCOMPARE(image.pixelColor(190, 230), QColor(Qt::black));
    m_view->repaint();
    QCOMPARE(Grab().pixelColor(190, 230), QColor(Qt::black));
    QVERIFY(m_view->LastMoveLine().has_value());
    // The board's next change removes it.
    m_view->OnMoveUndo();
    image = Grab();
    QCOMPARE(image.pixelColor(190, 230), kDark);
    QCOMPARE(image.copy(sideLine), whiteToPlay);
}

void TesselViewTest::showsTheStatusBoxInsideTheView() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, {"e2e5"}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Invalid Move"));
    const QImage image = Grab();
    QVERIFY(image.rect().contains(kStatusBox));
    QVERIFY(CountPixels(image, kStatusBox, kRed) > 50);
    // Centred: red both left and right of the box's middle.
    QVERIFY(CountPixels(image, QRect(370, 170, 95, 40), kRed) > 10);
    QVERIFY(CountPixels(image, QRect(465, 170, 95, 40), kRed) > 10);
}

void TesselViewTest::printsTheBoardLargeOnThePage() {
    StartGame(kPlayWhite);
    QImage page(1000, 1400, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QRect printable(50, 50, 900, 1300);
    {
        QPainter painter(&page);
        m_view->PrintView(painter, printable);
    }
    // The printed panel spans most of the page's width.
    const int panelPixels = CountPixels(page, QRect(0, 0, 1000, 1400), kPanel);
    QVERIFY(panelPixels > 0);
    int left = page.width();
    int right = 0;
    for (int x = 0; x < page.width(); ++x) {
        if (page.pixelColor(x, 60) == kPanel) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    QVERIFY(right - left > printable.width() * 3 / 4);
    // a3 is an empty dark cell, a4 a light one.
    const double scale = double(right - left + 1) / kPrintedRect.width();
    const QPoint a3(left + qRound(30 * scale), 50 + qRound(230 * scale));
    const QPoint a4(left + qRound(30 * scale), 50 + qRound(190 * scale));
    QCOMPARE(page.pixelColor(a3), kDark);
    QCOMPARE(page.pixelColor(a4), kLight);
}

void TesselViewTest::textsFitTheirPlaces() {
    const QFont font = ViewFont();
    QVERIFY(font.bold());
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
    const QFontMetrics metrics(font);
    // One line of text must fit between the rows at 340, 370 and 400.
    QVERIFY(metrics.height() <= 30);
    QVERIFY(kSideToMovePos.x() + metrics.horizontalAdvance("Black to play") < 350);
    QVERIFY(kWhiteLabelPos.x() + metrics.horizontalAdvance("White") < kBlackLabelPos.x());
    QVERIFY(kWhiteTimePos.x() + metrics.horizontalAdvance("59:59") < kBlackTimePos.x());
    QVERIFY(kBlackTimePos.y() + metrics.height() <= kViewSize.height());
    for (const char* line : {"King in Check!", "Checkmate!", "Game over", "White wins!",
                             "Invalid Move", "Game Drawn"}) {
        QVERIFY2(metrics.horizontalAdvance(line) <= kStatusBox.width(), line);
    }
}

void TesselViewTest::clockShowsTheTimeOfTheSideToMove() {
    int64_t now = 1'000'000;
    g_chessClock.SetTimeSource([&now] { return now; });
    StartGame(kPlayHumanVsHuman);
    const QRect times(kWhiteTimePos, QSize(kBlackTimePos.x() - kWhiteTimePos.x() + 100, 30));
    const auto shownTimes = [this, &times](int64_t white, int64_t black) {
        QImage expected(m_view->size(), QImage::Format_RGB32);
        {
            QPainter painter(&expected);
            painter.fillRect(expected.rect(), kPanel);
            BoardPainter(painter, {}).DrawClockTimes(white, black);
        }
        const QImage wanted = expected.copy(times);
        return QTest::qWaitFor(
            [&] { return Grab().copy(times).convertToFormat(wanted.format()) == wanted; }, 2000);
    };
    // A change of turn is noticed at the next tick.
    QVERIFY(PlayMoves(*m_view, {"e2e4"}));
    QTRY_COMPARE(g_chessClock.currentSide, kBlack);
    now += 65;
    QVERIFY(shownTimes(0, 65));
    QVERIFY(PlayMoves(*m_view, {"e7e5"}));
    QTRY_COMPARE(g_chessClock.currentSide, kWhite);
    now += 3 * 60 + 2;
    QVERIFY(shownTimes(182, 65));
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

void TesselViewTest::ignoresDropsThatAreNoMove() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, {"e2e2", "e5e6", "e8e8"}));
    QCOMPARE(int(m_doc->m_moveCount), 0);
    QVERIFY(m_view->StatusText().isEmpty());
    QVERIFY(!m_doc->IsModified());
}

void TesselViewTest::dragImageFollowsThePointer() {
    StartGame(kPlayHumanVsHuman);
    const auto* image = m_view->findChild<DragImage*>();
    QVERIFY(image);
    QVERIFY(!image->isVisible());
    const QPoint pointer(203, 151);
    SendMouse(*m_view, QEvent::MouseButtonPress, SquareCentre(Sq("e2")), Qt::LeftButton);
    SendMouse(*m_view, QEvent::MouseMove, pointer, Qt::LeftButton);
    QVERIFY(image->isVisible());
    // The hot spot is the image's centre.
    QCOMPARE(image->geometry(), QRect(pointer - QPoint(20, 20), QSize(40, 40)));
    // The piece stays drawn on its square meanwhile.
    QVERIFY(CountPixels(m_view->grab(CellRect(Sq("e2"))).toImage(), QRect(0, 0, 40, 40),
                        kWhitePieceFill) > 50);
    // Released off the board: no move, no message.
    SendMouse(*m_view, QEvent::MouseButtonRelease, QPoint(400, 100), Qt::NoButton);
    QVERIFY(!image->isVisible());
    QVERIFY(!m_view->IsBusy());
    QCOMPARE(int(m_doc->m_moveCount), 0);
    QVERIFY(m_view->StatusText().isEmpty());
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
    QTest::newRow("Black mates") << kFoolsMate << QStringLiteral("Black");
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
    QVERIFY(PlayMoves(*m_view, kStalemate));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemate.size()));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Game Drawn"));
    QVERIFY(m_doc->m_gameOver);
    QVERIFY(m_prompter->messages.isEmpty());
    // A draw does not stop the clock.
    QVERIFY(g_chessClock.running);
    QVERIFY(PlayMoves(*m_view, {"a2a3"}));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemate.size()));
}

void TesselViewTest::drawsTheGameAgainstTheComputerWithoutReply() {
    OpenGame(kPlayWhite, kStalemate.mid(0, kStalemate.size() - 1));
    QVERIFY(PlayMoves(*m_view, {kStalemate.constLast()}));
    QCOMPARE(m_view->StatusText(), QStringLiteral("Game Drawn"));
    QCOMPARE(int(m_doc->m_moveCount), int(kStalemate.size()));
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

void TesselViewTest::showsWhyAnOpenedGameIsOver_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("status");
    QTest::newRow("checkmate") << kFoolsMate
                               << QStringLiteral("Checkmate!\n\rGame over\n\r\n\rBlack wins!");
    QTest::newRow("stalemate") << kStalemate << QStringLiteral("Game Drawn");
}

void TesselViewTest::showsWhyAnOpenedGameIsOver() {
    QFETCH(QStringList, moves);
    QFETCH(QString, status);
    OpenGame(kPlayHumanVsHuman, moves);
    QCOMPARE(m_view->StatusText(), status);
    QVERIFY(m_doc->m_gameOver);
    QVERIFY(PlayMoves(*m_view, {"a2a3", "a7a6"}));
    QCOMPARE(int(m_doc->m_moveCount), int(moves.size()));
}

void TesselViewTest::undoesOneMoveInTwoPlayerGame() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(PlayMoves(*m_view, {"e2e4"}));
    m_view->OnMoveUndo();
    QCOMPARE(int(m_doc->m_moveCount), 0);
    QCOMPARE(m_view->ShownPosition().sideToMove, kWhite);
    QCOMPARE(m_view->ShownPosition().board[Sq("e2")], kPawnValue);
    QCOMPARE(m_view->ShownPosition().board[Sq("e4")], 0);
    QVERIFY(g_chessClock.running);
}

void TesselViewTest::undoesMovePairsAgainstComputerAsWhite() {
    StartGame(kPlayWhite);
    QVERIFY(PlayMoves(*m_view, {"e2e4", "d2d3"}));
    QCOMPARE(int(m_doc->m_moveCount), 4);
    const MoveEntry reply = m_doc->m_moves[1];
    m_view->OnMoveUndo();
    QCOMPARE(int(m_doc->m_moveCount), 2);
    QCOMPARE(m_view->ShownPosition().sideToMove, kWhite);
    QCOMPARE(m_view->ShownPosition().board[Sq("d2")], kPawnValue);
    QVERIFY(m_view->ShownPosition().board[reply.to] < 0);
    QVERIFY(g_chessClock.running);
    m_view->OnMoveUndo();
    QCOMPARE(int(m_doc->m_moveCount), 0);
    QCOMPARE(m_view->ShownPosition().board[Sq("e2")], kPawnValue);
    // A new game whose clock runs at once, from zero.
    QVERIFY(g_chessClock.running);
    QCOMPARE(g_chessClock.elapsed[SideIndex(kWhite)], 0);
    QVERIFY(m_prompter->messages.isEmpty());
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
    QVERIFY(PlayMoves(*m_view, kFoolsMate));
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

void TesselViewTest::keyboardSelectsAndMoves() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(!m_view->Marks().cursor);
    // The first key only shows the cursor, on e2.
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    QCOMPARE(m_view->Marks().cursor.value_or(-1), Sq("e2"));
    QTest::keyClick(m_view.get(), Qt::Key_Left);
    QCOMPARE(m_view->Marks().cursor.value_or(-1), Sq("d2"));
    QTest::keyClick(m_view.get(), Qt::Key_Right);
    QTest::keyClick(m_view.get(), Qt::Key_Space);
    QCOMPARE(m_view->SelectedSquare().value_or(-1), Sq("e2"));
    QTest::keyClick(m_view.get(), Qt::Key_Escape);
    QVERIFY(!m_view->SelectedSquare());
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_doc->m_moves[0], (MoveEntry{Sq("e2"), Sq("e4")}));
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

void TesselViewTest::flippedBoardTakesMovesAtTurnedCells() {
    StartGame(kPlayHumanVsHuman);
    ViewSettings settings;
    settings.flipBoard = true;
    m_view->SetSettings(settings);
    // Black at the bottom: h1 at the top-left, a8 at the bottom-right.
    QCOMPARE(m_view->CellRect(Sq("h1")).topLeft(), QPoint(10, 10));
    QCOMPARE(m_view->CellRect(Sq("a8")).topLeft(), QPoint(290, 290));
    DragBetween(*m_view, m_view->CellRect(Sq("e2")).center(), m_view->CellRect(Sq("e4")).center());
    QVERIFY(WaitIdle(*m_view));
    Click(*m_view, m_view->CellRect(Sq("b8")).center());
    QCOMPARE(Sorted(m_view->Targets()), Squares({"a6", "c6"}));
    Click(*m_view, m_view->CellRect(Sq("c6")).center());
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(int(m_doc->m_moveCount), 2);
    QCOMPARE(m_doc->m_moves[0], (MoveEntry{Sq("e2"), Sq("e4")}));
    QCOMPARE(m_doc->m_moves[1], (MoveEntry{Sq("b8"), Sq("c6")}));
}

void TesselViewTest::largerViewScalesCellsAndDrags() {
    StartGame(kPlayHumanVsHuman);
    m_view->resize(kViewSize * 2);
    QCOMPARE(m_view->CellRect(Sq("a8")), QRect(20, 20, 80, 80));
    QCOMPARE(m_view->CellRect(Sq("h1")), QRect(580, 580, 80, 80));
    const QPoint from = m_view->CellRect(Sq("g1")).center();
    SendMouse(*m_view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    const auto* image = m_view->findChild<DragImage*>();
    QCOMPARE(image->size(), QSize(80, 80));
    SendMouse(*m_view, QEvent::MouseMove, from + QPoint(-50, -160), Qt::LeftButton);
    QCOMPARE(image->pos() + QPoint(40, 40), from + QPoint(-50, -160));
    SendMouse(*m_view, QEvent::MouseButtonRelease, m_view->CellRect(Sq("f3")).topLeft(),
              Qt::NoButton);
    QVERIFY(WaitIdle(*m_view));
    QCOMPARE(int(m_doc->m_moveCount), 1);
    QCOMPARE(m_doc->m_moves[0], (MoveEntry{Sq("g1"), Sq("f3")}));
}

void TesselViewTest::hintSuggestsALegalMoveWithoutChangingTheGame() {
    StartGame(kPlayHumanVsHuman);
    QVERIFY(!m_view->CanHint());
    m_view.reset();
    StartGame(kPlayWhite);
    QVERIFY(PlayMoves(*m_view, {"e2e4", "d2d4"}));
    const std::vector<MoveEntry> moves(m_doc->m_moves.begin(),
                                       m_doc->m_moves.begin() + m_doc->m_moveCount);
    const PublishedPosition before = m_doc->Published();
    const bool modified = m_doc->IsModified();
    QVERIFY(m_view->CanHint());
    m_view->OnMoveHint();
    QVERIFY(m_view->IsBusy());
    QVERIFY(WaitIdle(*m_view));
    const MoveEntry hint = m_view->HintMove().value_or(MoveEntry{});
    QVERIFY(m_doc->m_pEngine->IsMoveLegal(hint.from, hint.to, kWhite, 1));
    QCOMPARE(
        std::vector<MoveEntry>(m_doc->m_moves.begin(), m_doc->m_moves.begin() + m_doc->m_moveCount),
        moves);
    QCOMPARE(m_doc->Published().board, before.board);
    QCOMPARE(int(g_sideToMove), kWhite);
    QCOMPARE(m_doc->IsModified(), modified);
    // The suggestion is shown until the next move.
    QVERIFY(PlayMoves(*m_view, {"a2a3"}));
    QVERIFY(!m_view->HintMove());
}

QTEST_MAIN(TesselViewTest)
#include "tst_tesselview.moc"
