#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QPainter>
#include <QtTest>
#include <climits>

Q_DECLARE_METATYPE(SheetInputs)

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

// columns x rows checkers of checker x checker printer pixels, no caption;
// align is both alignments (0 top/left, 1 centre, 2 bottom/right) and the
// frame stands frameDistance pixels away (no frame for a null text).
SheetInputs sheet(int align = 1, const QString& frameDistance = "20", float checker = 100,
                  int columns = 5, int rows = 6) {
    SheetInputs in;
    in.frame = !frameDistance.isNull();
    in.frameDistanceText = frameDistance;
    in.frameUnit = 2;
    in.vertical = in.horizontal = align;
    in.checkerWidthPx = in.checkerHeightPx = checker;
    in.patternWidthPx = checker * columns;
    in.patternHeightPx = checker * rows;
    in.columns = columns;
    in.rows = rows;
    in.sizeCaption = false;
    return in;
}

// The sheet drawn on a white 1000 x 1400 image; brush gets the canvas brush after.
QImage draw(const SheetInputs& in, float scale = 1.0f, QRgb* brush = nullptr) {
    QImage image(1000, 1400, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter, image, 1000, 1400);
    DrawBoard(canvas, scale, 1000, 1400, in);
    if (brush)
        *brush = canvas.brushColor();
    return image;
}

bool black(const QImage& image, int x, int y) {
    return image.pixel(x, y) == kBlack;
}

} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT

private slots:
    void workedExample_data();
    void workedExample();
    void frameOnTheBoardEdge();
    void cells_data();
    void cells();
    void extremes_data();
    void extremes();
};

// 5 x 6 checkers of 100 pixels, the frame 20 pixels away, on a 1000 x 1400 page.
void TestBoardRenderer::workedExample_data() {
    QTest::addColumn<int>("align");
    QTest::addColumn<QRect>("frame"); // the outline's columns and rows, inclusive
    QTest::addColumn<QPoint>("firstCell");
    QTest::newRow("center") << 1 << QRect(QPoint(220, 370), QPoint(759, 1009)) << QPoint(240, 390);
    QTest::newRow("right/bottom") << 2 << QRect(QPoint(460, 760), QPoint(999, 1399))
                                  << QPoint(480, 780);
    QTest::newRow("left/top") << 0 << QRect(QPoint(0, 0), QPoint(539, 639)) << QPoint(20, 20);
}

void TestBoardRenderer::workedExample() {
    QFETCH(int, align);
    QFETCH(QRect, frame);
    QFETCH(QPoint, firstCell);
    const QImage image = draw(sheet(align));
    for (int x = frame.left(); x <= frame.right(); ++x)
        QVERIFY(black(image, x, frame.top()) && black(image, x, frame.bottom()));
    for (int y = frame.top(); y <= frame.bottom(); ++y)
        QVERIFY(black(image, frame.left(), y) && black(image, frame.right(), y));
    QVERIFY(!black(image, frame.left() + 1, frame.top() + 1)); // the gap up to the board
    QVERIFY(!black(image, frame.right() - 1, frame.bottom() - 1));
    if (frame.left() > 0)
        QVERIFY(!black(image, frame.left() - 1, frame.top()));

    const int x = firstCell.x(), y = firstCell.y();
    QVERIFY(black(image, x, y) && black(image, x + 99, y + 99));
    QVERIFY(!black(image, x + 100, y) && !black(image, x, y + 100));
    QVERIFY(!black(image, x - 1, y) && !black(image, x, y - 1));
    const TRect board = BoardRect(1.0f, 1000, 1400, sheet(align));
    QCOMPARE(QRect(QPoint(board.Left, board.Top), QPoint(board.Right - 1, board.Bottom - 1)),
             QRect(x, y, 500, 600));
}

// With no distance the outline lies on the board's own edge pixels, over the
// edge cells (row 5 column 0 and row 0 column 1 are white cells).
void TestBoardRenderer::frameOnTheBoardEdge() {
    const QImage image = draw(sheet(1, "0"));
    const int left = 250, top = 400, right = 750, bottom = 1000;
    QVERIFY(black(image, left, top + 550) && !black(image, left + 1, top + 550));
    QVERIFY(black(image, left + 150, top) && !black(image, left + 150, top + 1));
    QVERIFY(black(image, left + 50, bottom - 1) && !black(image, left + 50, bottom - 2));
    QVERIFY(!black(image, left + 50, bottom));
    QVERIFY(black(image, right - 1, top + 150) && !black(image, right, top + 150));
}

void TestBoardRenderer::cells_data() {
    QTest::addColumn<float>("checker");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("cell");
    QTest::newRow("100") << 100.0f << 1.0f << 100;
    QTest::newRow("12.5 goes down") << 12.5f << 1.0f << 12;
    QTest::newRow("12.51 goes up") << 12.51f << 1.0f << 13;
    QTest::newRow("scaled to 12.5") << 25.0f << 0.5f << 12;
    QTest::newRow("below half") << 0.4f << 1.0f << 0;
}

// A 5 x 6 board at the top-left: cells of the rounded size, the top-left one
// black, alternating, nothing beyond the last row and column.
void TestBoardRenderer::cells() {
    QFETCH(float, checker);
    QFETCH(float, scale);
    QFETCH(int, cell);
    const QImage image = draw(sheet(0, QString(), checker), scale);
    const int last = std::max(cell - 1, 0);
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 5; ++j) {
            const bool dark = cell > 0 && (i + j) % 2 == 0;
            QCOMPARE(black(image, j * cell, i * cell), dark);
            QCOMPARE(black(image, j * cell + last, i * cell + last), dark);
        }
    QVERIFY(!black(image, 5 * cell, 0) && !black(image, 0, 6 * cell));
}

void TestBoardRenderer::extremes_data() {
    QTest::addColumn<SheetInputs>("in");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("blackThere");
    QTest::newRow("checker 1e30") << sheet(0, QString(), 1e30f) << 1.0f << QPoint(999, 1399)
                                  << true;
    QTest::newRow("distance -1e20") << sheet(0, "-1e20") << 1.0f << QPoint(0, 0) << false;
    QTest::newRow("NaN scale") << sheet() << float(qQNaN()) << QPoint(500, 700) << false;
    // Every length infinite: the board's corner is far up-left, and its second
    // diagonal cell covers the page.
    QTest::newRow("infinite scale") << sheet() << float(qInf()) << QPoint(0, 0) << true;
    // INT_MAX one-pixel checkers, centred: only the cells on the page are
    // visited, with their parity kept.
    QTest::newRow("count INT_MAX")
        << sheet(1, QString(), 1, INT_MAX, INT_MAX) << 1.0f << QPoint(0, 0) << true;
}

void TestBoardRenderer::extremes() {
    QFETCH(SheetInputs, in);
    QFETCH(float, scale);
    QFETCH(QPoint, at);
    QFETCH(bool, blackThere);
    QRgb brush = 0;
    const QImage image = draw(in, scale, &brush);
    QCOMPARE(brush, kBlack);
    QCOMPARE(black(image, at.x(), at.y()), blackThere);
    const TRect board = BoardRect(scale, 1000, 1400, in);
    for (int y = 0; in.columns == INT_MAX && y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            QCOMPARE(black(image, x, y), (x - board.Left + y - board.Top) % 2 == 0);
}

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
