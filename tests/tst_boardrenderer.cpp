#include "model/ConversionError.h"
#include "model/Numeric.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QPainter>
#include <QtTest>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

Q_DECLARE_METATYPE(SheetInputs)
Q_DECLARE_METATYPE(TRect)

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// 5 x 6 checkers of 100 x 100 printer pixels, frame 20 pixels away, both
// groups centred, no caption.
SheetInputs exampleInputs() {
    SheetInputs in;
    in.frame = true;
    in.frameDistanceText = QStringLiteral("20");
    in.frameUnit = 2;
    in.vertical = in.horizontal = 1;
    in.dpiX = in.dpiY = 600;
    in.patternWidthPx = 500;
    in.patternHeightPx = 600;
    in.checkerWidthPx = in.checkerHeightPx = 100;
    in.columns = 5;
    in.rows = 6;
    in.sizeCaption = false;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("100");
    in.unitName = QStringLiteral("pixels");
    return in;
}

SheetInputs with(const std::function<void(SheetInputs&)>& change) {
    SheetInputs in = exampleInputs();
    change(in);
    return in;
}

QImage draw(const SheetInputs& in, int w = 1000, int h = 1400, float scale = 1.0f) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter, image, w, h);
    DrawBoard(canvas, scale, w, h, in);
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
    void frameOnTheBoardEdge_data();
    void frameOnTheBoardEdge();
    void boardRect_data();
    void boardRect();
    void cellRounding_data();
    void cellRounding();
    void checkerColours();
    void extremes_data();
    void extremes();
    void captionErrorStopsTheDrawing();
};

void TestBoardRenderer::workedExample_data() {
    QTest::addColumn<int>("vertical");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<QRect>("frame"); // the outline's columns and rows, inclusive
    QTest::addColumn<QPoint>("firstCell");
    QTest::newRow("center") << 1 << 1 << QRect(QPoint(220, 370), QPoint(759, 1009))
                            << QPoint(240, 390);
    QTest::newRow("right/bottom") << 2 << 2 << QRect(QPoint(460, 760), QPoint(999, 1399))
                                  << QPoint(480, 780);
    QTest::newRow("left/top") << 0 << 0 << QRect(QPoint(0, 0), QPoint(539, 639)) << QPoint(20, 20);
}

void TestBoardRenderer::workedExample() {
    QFETCH(int, vertical);
    QFETCH(int, horizontal);
    QFETCH(QRect, frame);
    QFETCH(QPoint, firstCell);
    const SheetInputs in = with([&](SheetInputs& s) {
        s.vertical = vertical;
        s.horizontal = horizontal;
    });
    const QImage image = draw(in);

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
    const TRect board = BoardRect(1.0f, 1000, 1400, in);
    QCOMPARE(QRect(QPoint(board.Left, board.Top), QPoint(board.Right - 1, board.Bottom - 1)),
             QRect(x, y, 500, 600));
}

void TestBoardRenderer::frameOnTheBoardEdge_data() {
    QTest::addColumn<QString>("distance");
    QTest::newRow("0") << "0";
    QTest::newRow("not a number") << "2 cm";
}

// With no distance the outline lies on the board's own edge pixels, over the
// edge cells.
void TestBoardRenderer::frameOnTheBoardEdge() {
    QFETCH(QString, distance);
    const QImage image = draw(with([&](SheetInputs& s) { s.frameDistanceText = distance; }));
    const int left = 250, top = 400, right = 750, bottom = 1000; // centred, no distance
    // Row 5 column 0 and row 0 column 1 are white cells.
    QVERIFY(black(image, left, top + 550) && !black(image, left + 1, top + 550));
    QVERIFY(black(image, left + 150, top) && !black(image, left + 150, top + 1));
    QVERIFY(black(image, left + 50, bottom - 1) && !black(image, left + 50, bottom - 2));
    QVERIFY(!black(image, left + 50, bottom));
    QVERIFY(black(image, right - 1, top + 150) && !black(image, right, top + 150));
}

void TestBoardRenderer::boardRect_data() {
    QTest::addColumn<SheetInputs>("in");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QSize>("surface");
    QTest::addColumn<TRect>("expected");
    const QSize page(1000, 1400);
    const auto leftTop = [](SheetInputs& s) { s.vertical = s.horizontal = 0; };

    QTest::newRow("frame off, left/top") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frame = false;
    }) << 1.0f << page << Rect(0, 0, 500, 600);
    QTest::newRow("right edge one short") << with([](SheetInputs& s) {
        s.frame = false;
        s.horizontal = 2;
        s.patternWidthPx = 500.7f;
    }) << 1.0f << page << Rect(499, 400, 999, 1000);
    QTest::newRow("cm, mean resolution") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frameDistanceText = QStringLiteral("1");
        s.frameUnit = 0;
        s.dpiX = 600;
        s.dpiY = 300;
    }) << 1.0f << page << Rect(177, 177, 677, 777);
    QTest::newRow("inches") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frameDistanceText = QStringLiteral("0.5");
        s.frameUnit = 1;
        s.dpiX = 600;
        s.dpiY = 300;
    }) << 1.0f << page << Rect(225, 225, 725, 825);
    QTest::newRow("negative distance") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frameDistanceText = QStringLiteral("-20");
    }) << 1.0f << page << Rect(-20, -20, 480, 580);
    QTest::newRow("no unit") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frameUnit = -1;
    }) << 1.0f << page << Rect(0, 0, 500, 600);
    QTest::newRow("scaled, centred with frame")
        << exampleInputs() << 0.25f << QSize(250, 350) << Rect(60, 97, 185, 247);
    QTest::newRow("larger than the page") << with([](SheetInputs& s) {
        s.frame = false;
        s.patternWidthPx = 301;
        s.patternHeightPx = 303;
    }) << 1.0f << QSize(100, 100) << Rect(-100, -101, 201, 202);
    QTest::newRow("alignment out of range") << with([](SheetInputs& s) {
        s.vertical = 7;
        s.horizontal = -1;
    }) << 1.0f << page << Rect(240, 390, 740, 990);
    QTest::newRow("distance -1e20") << with([&](SheetInputs& s) {
        leftTop(s);
        s.frameDistanceText = QStringLiteral("-1e20");
    }) << 1.0f << page << Rect(-kCoordLimit, -kCoordLimit, 500 - kCoordLimit, 600 - kCoordLimit);
}

void TestBoardRenderer::boardRect() {
    QFETCH(SheetInputs, in);
    QFETCH(float, scale);
    QFETCH(QSize, surface);
    QFETCH(TRect, expected);
    const TRect r = BoardRect(scale, surface.width(), surface.height(), in);
    QCOMPARE(QList<Coord>({r.Left, r.Top, r.Right, r.Bottom}),
             QList<Coord>({expected.Left, expected.Top, expected.Right, expected.Bottom}));
}

void TestBoardRenderer::cellRounding_data() {
    QTest::addColumn<float>("checker");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("cell");
    QTest::newRow("12.5 goes down") << 12.5f << 1.0f << 12;
    QTest::newRow("12.51 goes up") << 12.51f << 1.0f << 13;
    QTest::newRow("scaled to 12.5") << 25.0f << 0.5f << 12;
    QTest::newRow("12.49") << 12.49f << 1.0f << 12;
    QTest::newRow("half a pixel") << 0.5f << 1.0f << 0;
    QTest::newRow("below half") << 0.4f << 1.0f << 0;
}

void TestBoardRenderer::cellRounding() {
    QFETCH(float, checker);
    QFETCH(float, scale);
    QFETCH(int, cell);
    const QImage image = draw(with([&](SheetInputs& s) {
                                  s.frame = false;
                                  s.vertical = s.horizontal = 0;
                                  s.checkerWidthPx = s.checkerHeightPx = checker;
                                  s.columns = s.rows = 2;
                              }),
                              60, 60, scale);
    if (cell == 0) {
        QCOMPARE(image.pixel(0, 0), kWhite);
        return;
    }
    QVERIFY(black(image, cell - 1, 0) && !black(image, cell, 0));
    QVERIFY(black(image, cell, cell) && black(image, 2 * cell - 1, 2 * cell - 1));
    QVERIFY(!black(image, 2 * cell, 2 * cell) && !black(image, 0, cell));
}

void TestBoardRenderer::checkerColours() {
    SheetInputs in = exampleInputs();
    in.frame = false;
    const QImage image = draw(in); // board at (250, 400)
    for (int i = 0; i < in.rows; ++i)
        for (int j = 0; j < in.columns; ++j)
            QCOMPARE(black(image, 250 + j * 100 + 50, 400 + i * 100 + 50), (i + j) % 2 == 0);
    QVERIFY(!black(image, 250 + 5 * 100, 400) && !black(image, 250, 400 + 6 * 100));
}

void TestBoardRenderer::extremes_data() {
    QTest::addColumn<SheetInputs>("in");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("blackThere");
    QTest::newRow("checker 1e30") << with([](SheetInputs& s) {
        s.vertical = s.horizontal = 0;
        s.frame = false;
        s.checkerWidthPx = s.checkerHeightPx = 1e30f;
        s.patternWidthPx = s.patternHeightPx = 5e30f;
    }) << 1.0f << QPoint(999, 1399)
                                  << true;
    QTest::newRow("distance -1e20") << with([](SheetInputs& s) {
        s.vertical = s.horizontal = 0;
        s.frameDistanceText = QStringLiteral("-1e20");
    }) << 1.0f << QPoint(0, 0) << false;
    QTest::newRow("NaN scale") << exampleInputs() << kNaN << QPoint(500, 700) << false;
    // Every length infinite: the board's corner is far up-left, and its second
    // diagonal cell covers the page.
    QTest::newRow("infinite scale") << exampleInputs() << kInf << QPoint(0, 0) << true;
    QTest::newRow("infinite pattern")
        << with([](SheetInputs& s) { s.patternWidthPx = s.patternHeightPx = kInf; }) << 1.0f
        << QPoint(0, 0) << false;
    // A board of INT_MAX one-pixel checkers, centred: only the cells on the
    // page are visited, with their parity kept.
    QTest::newRow("count INT_MAX") << with([](SheetInputs& s) {
        s.frame = false;
        s.checkerWidthPx = s.checkerHeightPx = 1;
        s.patternWidthPx = s.patternHeightPx = float(INT_MAX);
        s.columns = s.rows = INT_MAX;
    }) << 1.0f << QPoint(0, 0) << true;
}

void TestBoardRenderer::extremes() {
    QFETCH(SheetInputs, in);
    QFETCH(float, scale);
    QFETCH(QPoint, at);
    QFETCH(bool, blackThere);
    QImage image(1000, 1400, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter, image, 1000, 1400);
    DrawBoard(canvas, scale, 1000, 1400, in);
    QCOMPARE(canvas.brushColor() & 0xFFFFFFu, 0u);
    QCOMPARE(black(image, at.x(), at.y()), blackThere);
    if (in.columns == INT_MAX) {
        const TRect board = BoardRect(scale, 1000, 1400, in);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                QCOMPARE(black(image, x, y), (x - board.Left + y - board.Top) % 2 == 0);
    }
}

// The caption parses the checker texts strictly; its error leaves the drawing
// before the frame and the checkers.
void TestBoardRenderer::captionErrorStopsTheDrawing() {
    const SheetInputs in = with([](SheetInputs& s) {
        s.sizeCaption = true;
        s.checkerWidthText.clear();
    });
    QImage image(1000, 1400, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter, image, 1000, 1400);
    QVERIFY_THROWS_EXCEPTION(ConversionError, DrawBoard(canvas, 1.0f, 1000, 1400, in));
    QVERIFY(!black(image, 290, 440)); // the first checker
    QVERIFY(!black(image, 220, 700)); // the frame's left side
}

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
