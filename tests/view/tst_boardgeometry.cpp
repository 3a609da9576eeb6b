#include <QTest>

#include "engine/chessgame.h"
#include "view/boardgeometry.h"

// Hit-testing, the square-to-cell mapping and the piece image index.
class BoardGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void hitTestingAtTheEdges_data();
    void hitTestingAtTheEdges();
    void everySquareIsHitAtItsOwnCell();
    void cellsPutWhiteAtTheBottom();
    void imageIndexFollowsKindAndColour();
};

void BoardGeometryTest::hitTestingAtTheEdges_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("square");  // -1: off the board
    QTest::newRow("left of the board") << QPoint(9, 200) << -1;
    QTest::newRow("above the board") << QPoint(200, 9) << -1;
    QTest::newRow("top-left pixel is a8") << QPoint(10, 10) << 63;
    QTest::newRow("bottom-right pixel is h1") << QPoint(329, 329) << 0;
    QTest::newRow("right of the board") << QPoint(330, 100) << -1;
    QTest::newRow("below the board") << QPoint(100, 330) << -1;
    QTest::newRow("bottom-left cell is a1") << QPoint(12, 320) << 7;
    QTest::newRow("top-right cell is h8") << QPoint(320, 12) << 56;
    QTest::newRow("last pixel of a8") << QPoint(49, 49) << 63;
    QTest::newRow("first pixel of b7") << QPoint(50, 50) << 54;
    QTest::newRow("far outside") << QPoint(-500, 5000) << -1;
}

void BoardGeometryTest::hitTestingAtTheEdges() {
    QFETCH(QPoint, point);
    QFETCH(int, square);
    const std::optional<int> hit = SquareAt(point);
    QCOMPARE(hit.value_or(-1), square);
}

void BoardGeometryTest::everySquareIsHitAtItsOwnCell() {
    for (int square = 0; square < kSquareCount; ++square) {
        const QPoint origin = CellOrigin(square);
        QCOMPARE(SquareAt(origin).value_or(-1), square);
        QCOMPARE(SquareAt(origin + QPoint(kCellSize - 1, kCellSize - 1)).value_or(-1), square);
        QCOMPARE(SquareAt(SquareCentre(square)).value_or(-1), square);
    }
}

void BoardGeometryTest::cellsPutWhiteAtTheBottom() {
    QCOMPARE(CellOrigin(0), QPoint(290, 290));     // h1
    QCOMPARE(CellOrigin(7), QPoint(10, 290));      // a1
    QCOMPARE(CellOrigin(63), QPoint(10, 10));      // a8
    QCOMPARE(CellOrigin(3), QPoint(170, 290));     // e1
    QCOMPARE(SquareCentre(11), QPoint(190, 270));  // e2
}

void BoardGeometryTest::imageIndexFollowsKindAndColour() {
    QCOMPARE(PieceImageIndex(kPawnValue), 0);
    QCOMPARE(PieceImageIndex(-kPawnValue), 1);
    QCOMPARE(PieceImageIndex(kKnightValue), 2);
    QCOMPARE(PieceImageIndex(-kBishopValue), 5);
    QCOMPARE(PieceImageIndex(kRookValue), 6);
    QCOMPARE(PieceImageIndex(-kRookValue), 7);
    QCOMPARE(PieceImageIndex(kQueenValue), 8);
    QCOMPARE(PieceImageIndex(kKingValue), 10);
    QCOMPARE(PieceImageIndex(-kKingValue), 11);
    QVERIFY(PieceImageIndex(0) < 0);
    QVERIFY(PieceImageIndex(201) < 0);
    QVERIFY(PieceImageIndex(-1) < 0);
}

QTEST_GUILESS_MAIN(BoardGeometryTest)
#include "tst_boardgeometry.moc"
