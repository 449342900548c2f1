#include "render/Canvas.h"

#include <QPainter>
#include <QPicture>
#include <QtTest>
#include <climits>
#include <cstdint>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kGrey = 0xFF808080u;
constexpr qint64 kFar = 1000000000000LL; // 1e12

enum class Op { Fill, Frame, Line };

// The black pixels of an image, row by row, as runs "x0-x1,y" (or "x,y").
QString blackRuns(const QImage& image) {
    QStringList runs;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kBlack)
                continue;
            int end = x;
            while (end + 1 < image.width() && image.pixel(end + 1, y) == kBlack)
                ++end;
            runs << (end == x ? QStringLiteral("%1,%2").arg(x).arg(y)
                              : QStringLiteral("%1-%2,%3").arg(x).arg(end).arg(y));
            x = end;
        }
    return runs.join(' ');
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void shapes_data();
    void shapes();
    void text_data();
    void text();
};

void TestCanvas::shapes_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<QList<qint64>>("xy"); // x0, y0, x1, y1
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, Op op, qint64 x0, qint64 y0, qint64 x1, qint64 y1,
                        const char* expected) {
        QTest::newRow(name) << op << QList<qint64>{x0, y0, x1, y1} << QString(expected);
    };
    const Op F = Op::Fill, R = Op::Frame, L = Op::Line;
    row("fill", F, 1, 1, 4, 3, "1-3,1 1-3,2");
    row("fill inverted", F, 5, 4, 2, 1, "");
    row("fill clipped", F, -5, -5, 2, 2, "0-1,0 0-1,1");
    row("fill huge", F, -kFar, 4, kFar, kFar, "0-7,4 0-7,5");
    row("frame", R, 1, 1, 5, 5, "1-4,1 1,2 4,2 1,3 4,3 1-4,4");
    row("frame empty", R, 2, 2, 2, 5, "");
    row("frame surface edge", R, 0, 0, 8, 6, "0-7,0 0,1 7,1 0,2 7,2 0,3 7,3 0,4 7,4 0-7,5");
    row("frame mostly off", R, -kFar, -kFar, 6, kFar, "5,0 5,1 5,2 5,3 5,4 5,5");
    // From (3, 2) in the eight directions: the end point is never painted.
    row("line E", L, 3, 2, 6, 2, "3-5,2");
    row("line W", L, 3, 2, 0, 2, "1-3,2");
    row("line S", L, 3, 2, 3, 5, "3,2 3,3 3,4");
    row("line N", L, 3, 2, 3, 0, "3,1 3,2");
    row("line SE", L, 3, 2, 6, 5, "3,2 4,3 5,4");
    row("line NW", L, 3, 2, 1, 0, "2,1 3,2");
    row("line NE", L, 3, 2, 5, 0, "4,1 3,2");
    row("line SW", L, 3, 2, 0, 5, "3,2 2,3 1,4");
    row("line to itself", L, 3, 2, 3, 2, "");
    // One step in four moves down, rounded half up; the start is off the surface.
    row("line shallow, clipped", L, -6, 0, 10, 4, "0-3,2 4-7,3");
    row("line huge horizontal", L, kFar, 3, -kFar, 3, "0-7,3");
    row("line huge diagonal", L, -kFar, -kFar, kFar, kFar, "0,0 1,1 2,2 3,3 4,4 5,5");
    row("line huge anti-diagonal", L, -kFar, kFar + 5, kFar, 5 - kFar, "5,0 4,1 3,2 2,3 1,4 0,5");
    row("line int64 extremes", L, INT64_MIN, INT64_MIN, INT64_MAX, INT64_MAX,
        "0,0 1,1 2,2 3,3 4,4 5,5");
    row("line passes by", L, -kFar, 10, kFar, 10, "");
}

// Exact coverage on an 8 x 6 image, and the same through a recorded picture
// (the path that printing takes).
void TestCanvas::shapes() {
    QFETCH(Op, op);
    QFETCH(QList<qint64>, xy);
    QFETCH(QString, expected);
    QImage image(8, 6, QImage::Format_RGB32);
    QPicture picture;
    for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&image, &picture}) {
        image.fill(kWhite);
        QPainter painter(device);
        Canvas canvas(painter, *device, 8, 6);
        canvas.setBrushColor(kBlack);
        canvas.setPenColor(kBlack);
        if (op == Op::Fill)
            canvas.FillRect(Rect(xy[0], xy[1], xy[2], xy[3]));
        else if (op == Op::Frame)
            canvas.FrameRect(Rect(xy[0], xy[1], xy[2], xy[3]));
        else {
            canvas.MoveTo(xy[0], xy[1]);
            canvas.LineTo(xy[2], xy[3]);
        }
        painter.end();
        if (device == &picture) {
            painter.begin(&image);
            picture.play(&painter);
            painter.end();
        }
        QCOMPARE(blackRuns(image), expected);
    }
}

void TestCanvas::text_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("height"); // FontHeight() after the request
    QTest::addColumn<QPoint>("at");
    QTest::newRow("small") << 9 << 9 << QPoint(10, 10);
    QTest::newRow("medium") << 41 << 41 << QPoint(20, 30);
    QTest::newRow("off the left") << 60 << 60 << QPoint(-70, 10);
    QTest::newRow("zero, off the surface") << 0 << 1 << QPoint(-1000, -1000);
    QTest::newRow("taller than the surface") << 700 << 700 << QPoint(5, -300);
    QTest::newRow("beyond the cap") << INT_MAX << Canvas::kMaxFontHeight << QPoint(-2000, -9000);
}

// The cell is the tallest the face has within the height asked for, measured
// on the canvas's device; it is painted in the brush colour and the text in
// black, with no shade in between, and nothing outside it changes.
void TestCanvas::text() {
    QFETCH(int, requested);
    QFETCH(int, height);
    QFETCH(QPoint, at);
    const QString text = QStringLiteral(" 12.70 cm ");
    QImage image(300, 120, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter painter(&image);
    Canvas canvas(painter, image, 300, 120);
    canvas.SetFontHeight(requested);
    QCOMPARE(canvas.FontHeight(), height);
    QFont font = canvas.font();
    const QRect cell(at, QSize(canvas.TextWidth(text), canvas.TextHeight(text)));
    QCOMPARE(cell.height(), QFontMetrics(font, &image).height());
    QVERIFY(cell.height() > 0 && cell.height() <= height);
    font.setPixelSize(font.pixelSize() + 1);
    QVERIFY(QFontMetrics(font, &image).height() > height);

    canvas.setBrushColor(kWhite);
    canvas.TextOut(at.x(), at.y(), text);
    painter.end();
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QVERIFY(cell.contains(x, y) ? p == kBlack || p == kWhite : p == kGrey);
            black += p == kBlack;
        }
    if (height >= 9 && height < 100)
        QVERIFY(black > 0);
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
