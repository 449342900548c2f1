#include "render/Bitmap.h"
#include "render/Canvas.h"

#include <QPicture>
#include <QtTest>
#include <climits>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kGrey = 0xFF808080u;
constexpr qint64 kFar = 1000000000000LL; // 1e12
constexpr int kW = 8;
constexpr int kH = 6;

enum class Op { Fill, Frame, Line };
using Draw = std::function<void(Canvas&)>;

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

QImage drawOnImage(int w, int h, const Draw& draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter, image, w, h);
    draw(canvas);
    return image;
}

// The same drawing recorded as a picture and played back on a white image.
QImage drawThroughPicture(int w, int h, const Draw& draw) {
    QPicture picture;
    {
        QPainter painter(&picture);
        Canvas canvas(painter, picture, w, h);
        draw(canvas);
    }
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    picture.play(&painter);
    return image;
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void shapes_data();
    void shapes();
    void clippedLineMatchesWholeLine_data();
    void clippedLineMatchesWholeLine();
    void copyRect_data();
    void copyRect();
    void bitmapPixelsAndDrawingMix();
    void fontHeight_data();
    void fontHeight();
    void textOut_data();
    void textOut();
};

void TestCanvas::shapes_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<qint64>("x0");
    QTest::addColumn<qint64>("y0");
    QTest::addColumn<qint64>("x1");
    QTest::addColumn<qint64>("y1");
    QTest::addColumn<QString>("expected");
    const qint64 lo = INT64_MIN, hi = INT64_MAX;

    QTest::newRow("fill") << Op::Fill << 1ll << 1ll << 4ll << 3ll << "1-3,1 1-3,2";
    QTest::newRow("fill empty") << Op::Fill << 3ll << 3ll << 3ll << 5ll << "";
    QTest::newRow("fill inverted") << Op::Fill << 5ll << 4ll << 2ll << 1ll << "";
    QTest::newRow("fill clipped") << Op::Fill << -5ll << -5ll << 2ll << 2ll << "0-1,0 0-1,1";
    QTest::newRow("fill huge") << Op::Fill << -kFar << 4ll << kFar << kFar << "0-7,4 0-7,5";
    QTest::newRow("frame") << Op::Frame << 1ll << 1ll << 5ll << 5ll
                           << "1-4,1 1,2 4,2 1,3 4,3 1-4,4";
    QTest::newRow("frame one column") << Op::Frame << 2ll << 1ll << 3ll << 4ll << "2,1 2,2 2,3";
    QTest::newRow("frame one pixel") << Op::Frame << 6ll << 5ll << 7ll << 6ll << "6,5";
    QTest::newRow("frame empty") << Op::Frame << 2ll << 2ll << 2ll << 5ll << "";
    QTest::newRow("frame surface edge") << Op::Frame << 0ll << 0ll << 8ll << 6ll
                                        << "0-7,0 0,1 7,1 0,2 7,2 0,3 7,3 0,4 7,4 0-7,5";
    QTest::newRow("frame mostly off") << Op::Frame << -kFar << -kFar << 6ll << kFar
                                      << "5,0 5,1 5,2 5,3 5,4 5,5";
    QTest::newRow("line E") << Op::Line << 3ll << 2ll << 6ll << 2ll << "3-5,2";
    QTest::newRow("line W") << Op::Line << 3ll << 2ll << 0ll << 2ll << "1-3,2";
    QTest::newRow("line S") << Op::Line << 3ll << 2ll << 3ll << 5ll << "3,2 3,3 3,4";
    QTest::newRow("line N") << Op::Line << 3ll << 2ll << 3ll << 0ll << "3,1 3,2";
    QTest::newRow("line SE") << Op::Line << 3ll << 2ll << 6ll << 5ll << "3,2 4,3 5,4";
    QTest::newRow("line NW") << Op::Line << 3ll << 2ll << 1ll << 0ll << "2,1 3,2";
    QTest::newRow("line NE") << Op::Line << 3ll << 2ll << 5ll << 0ll << "4,1 3,2";
    QTest::newRow("line SW") << Op::Line << 3ll << 2ll << 0ll << 5ll << "3,2 2,3 1,4";
    QTest::newRow("line to itself") << Op::Line << 3ll << 2ll << 3ll << 2ll << "";
    QTest::newRow("line enters, ends inside") << Op::Line << -3ll << 2ll << 2ll << 2ll << "0-1,2";
    QTest::newRow("line huge horizontal") << Op::Line << kFar << 3ll << -kFar << 3ll << "0-7,3";
    QTest::newRow("line huge diagonal") << Op::Line << -kFar << -kFar << kFar << kFar
                                        << "0,0 1,1 2,2 3,3 4,4 5,5";
    QTest::newRow("line huge anti-diagonal") << Op::Line << -kFar << kFar + 5 << kFar << 5 - kFar
                                             << "5,0 4,1 3,2 2,3 1,4 0,5";
    QTest::newRow("line int64 extremes") << Op::Line << lo << lo << hi << hi
                                         << "0,0 1,1 2,2 3,3 4,4 5,5";
    QTest::newRow("line passes by") << Op::Line << -kFar << 10ll << kFar << 10ll << "";
}

// Exact coverage on an image, and the same through a recorded picture (the
// path that printing and PDF output take).
void TestCanvas::shapes() {
    QFETCH(Op, op);
    QFETCH(qint64, x0);
    QFETCH(qint64, y0);
    QFETCH(qint64, x1);
    QFETCH(qint64, y1);
    QFETCH(QString, expected);
    const Draw draw = [&](Canvas& canvas) {
        canvas.setBrushColor(kBlack);
        canvas.setPenColor(kBlack);
        switch (op) {
        case Op::Fill:
            canvas.FillRect(Rect(x0, y0, x1, y1));
            break;
        case Op::Frame:
            canvas.FrameRect(Rect(x0, y0, x1, y1));
            break;
        case Op::Line:
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
            break;
        }
    };
    QCOMPARE(blackRuns(drawOnImage(kW, kH, draw)), expected);
    QCOMPARE(blackRuns(drawThroughPicture(kW, kH, draw)), expected);
}

void TestCanvas::clippedLineMatchesWholeLine_data() {
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("y0");
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y1");
    QTest::newRow("shallow right-down") << -300 << -100 << 390 << 250;
    QTest::newRow("shallow left-up") << 390 << 250 << -300 << -100;
    QTest::newRow("steep down-left") << 170 << -350 << -40 << 380;
    QTest::newRow("steep up-right") << -40 << 380 << 170 << -350;
    QTest::newRow("3 in 7") << -333 << 120 << 366 << -180;
    QTest::newRow("ends inside") << -250 << -90 << 55 << 47;
}

// A line crossing a small surface covers exactly the pixels that the whole
// line, drawn on a surface large enough to hold it, has there.
void TestCanvas::clippedLineMatchesWholeLine() {
    QFETCH(int, x0);
    QFETCH(int, y0);
    QFETCH(int, x1);
    QFETCH(int, y1);
    const int shift = 400;
    const QImage whole = drawOnImage(1000, 1000, [&](Canvas& c) {
        c.setPenColor(kBlack);
        c.MoveTo(x0 + shift, y0 + shift);
        c.LineTo(x1 + shift, y1 + shift);
    });
    const QImage clipped = drawOnImage(100, 100, [&](Canvas& c) {
        c.setPenColor(kBlack);
        c.MoveTo(x0, y0);
        c.LineTo(x1, y1);
    });
    QCOMPARE(blackRuns(clipped), blackRuns(whole.copy(shift, shift, 100, 100)));
    // One pixel per step along the longer axis, the end point left out.
    int painted = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            painted += whole.pixel(x, y) == kBlack;
    QCOMPARE(painted, std::max(std::abs(x1 - x0), std::abs(y1 - y0)));
    QCOMPARE(whole.pixel(x0 + shift, y0 + shift), kBlack);
    QCOMPARE(whole.pixel(x1 + shift, y1 + shift), kWhite);
}

void TestCanvas::copyRect_data() {
    QTest::addColumn<QRect>("dest");
    QTest::addColumn<QRect>("src");
    QTest::addColumn<QString>("expected");
    // Source 4 x 3 with black at (0,0), (3,0), (1,1), (2,2).
    QTest::newRow("whole") << QRect(QPoint(2, 1), QPoint(5, 3)) << QRect(0, 0, 4, 3)
                           << "2,1 5,1 3,2 4,3";
    QTest::newRow("dest off top-left") << QRect(QPoint(-1, -1), QPoint(2, 1)) << QRect(0, 0, 4, 3)
                                       << "0,0 1,1";
    QTest::newRow("src off the source") << QRect(0, 0, 4, 3) << QRect(QPoint(-1, 0), QPoint(2, 2))
                                        << "1,0 2,1 3,2";
    QTest::newRow("dest off bottom-right") << QRect(6, 4, 4, 3) << QRect(0, 0, 4, 3) << "6,4 7,5";
    QTest::newRow("empty") << QRect(1, 1, 0, 3) << QRect(0, 0, 0, 3) << "";
}

void TestCanvas::copyRect() {
    QFETCH(QRect, dest);
    QFETCH(QRect, src);
    QFETCH(QString, expected);
    Bitmap source(4, 3);
    for (QPoint p : {QPoint(0, 0), QPoint(3, 0), QPoint(1, 1), QPoint(2, 2)})
        source.SetPixel(p.x(), p.y(), 0x000000);
    const auto toRect = [](const QRect& r) {
        return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    };
    const QImage result = drawOnImage(kW, kH, [&](Canvas& c) {
        c.CopyRect(toRect(dest), source, toRect(src));
    });
    QCOMPARE(blackRuns(result), expected);
}

void TestCanvas::bitmapPixelsAndDrawingMix() {
    Bitmap bitmap(5, 4);
    Canvas& canvas = bitmap.canvas();
    QCOMPARE(bitmap.Pixel(4, 3), QRgb(0xFFFFFF));

    canvas.setBrushColor(kBlack);
    canvas.FillRect(Rect(1, 1, 3, 3));
    QCOMPARE(bitmap.Pixel(2, 2), QRgb(0x000000));
    QCOMPARE(bitmap.Pixel(3, 3), QRgb(0xFFFFFF));

    // Direct writes and drawing after them both land.
    bitmap.SetPixel(0, 0, 0x123456);
    QCOMPARE(bitmap.Pixel(0, 0), QRgb(0x123456));
    canvas.setBrushColor(kWhite);
    canvas.FillRect(Rect(2, 2, 3, 3));
    QCOMPARE(bitmap.Pixel(2, 2), QRgb(0xFFFFFF));
    QCOMPARE(bitmap.Pixel(0, 0), QRgb(0x123456));

    // A copy taken of the pixels is not drawn on afterwards.
    const QImage snapshot = bitmap.image();
    canvas.setBrushColor(kBlack);
    canvas.FillRect(Rect(0, 0, 5, 4));
    QCOMPARE(snapshot.pixel(4, 0), kWhite);
    QCOMPARE(bitmap.Pixel(4, 0), QRgb(0x000000));
    bitmap.SetPixel(4, 0, 0xFFFFFF);
    QCOMPARE(snapshot.pixel(0, 0), 0xFF123456u);

    // Copying within the same bitmap.
    canvas.CopyRect(Rect(0, 1, 2, 2), bitmap, Rect(3, 0, 5, 1));
    QCOMPARE(bitmap.Pixel(1, 1), QRgb(0xFFFFFF));
    QCOMPARE(bitmap.Pixel(0, 1), QRgb(0x000000));

    // Outside: reads white, writes nothing.
    QCOMPARE(bitmap.Pixel(-1, 0), QRgb(0xFFFFFF));
    QCOMPARE(bitmap.Pixel(5, 0), QRgb(0xFFFFFF));
    bitmap.SetPixel(0, 4, 0x000000);

    // Empty bitmaps draw nothing; an absurd one is refused.
    Bitmap empty(0, -3);
    QCOMPARE(empty.width(), 0);
    empty.canvas().FillRect(Rect(0, 0, 10, 10));
    empty.canvas().TextOut(0, 0, QStringLiteral("x"));
    QCOMPARE(empty.Pixel(0, 0), QRgb(0xFFFFFF));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Bitmap(100000, 100000));
}

void TestCanvas::fontHeight_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected"); // FontHeight() after the request
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("7") << 7 << 7;
    QTest::newRow("19") << 19 << 19;
    QTest::newRow("64") << 64 << 64;
    QTest::newRow("501") << 501 << 501;
    QTest::newRow("3000") << 3000 << 3000;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -40 << 1;
    QTest::newRow("beyond the cap") << INT_MAX << Canvas::kMaxFontHeight;
}

// The cell is the tallest that does not exceed the height asked for (exactly
// it whenever the face has such a size), measured on the canvas's device.
void TestCanvas::fontHeight() {
    QFETCH(int, requested);
    QFETCH(int, expected);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    Canvas canvas(painter, image, 10, 10);
    canvas.SetFontHeight(requested);
    QCOMPARE(canvas.FontHeight(), expected);

    QFont font = canvas.font();
    const int pixelSize = font.pixelSize();
    const int cell = canvas.TextHeight(QStringLiteral("x"));
    QCOMPARE(cell, QFontMetrics(font, &image).height());
    QVERIFY2(cell > 0 && cell <= expected, qPrintable(QString::number(cell)));
    font.setPixelSize(pixelSize + 1);
    QVERIFY(QFontMetrics(font, &image).height() > expected);
    const int width = canvas.TextWidth(QStringLiteral(" 12.70 inches "));
    QVERIFY(width > 0 && width < 20 * expected + 20);
    if (requested == 19 && QFontInfo(font).family() == QLatin1String("DejaVu Sans"))
        QCOMPARE(pixelSize, 16);

    Canvas other(painter, image, 10, 10);
    other.AssignFont(canvas);
    QCOMPARE(other.FontHeight(), expected);
    QCOMPARE(other.TextHeight(QStringLiteral("x")), cell);
}

void TestCanvas::textOut_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("small") << 9 << 10 << 10;
    QTest::newRow("medium") << 40 << 20 << 30;
    QTest::newRow("off the left") << 60 << -70 << 10;
    QTest::newRow("taller than the surface") << 700 << 5 << -300;
    QTest::newRow("tallest") << Canvas::kMaxFontHeight << -2000 << -9000;
}

// The cell is painted in the brush colour and the text in black, with no
// shade in between; nothing outside the cell changes.
void TestCanvas::textOut() {
    QFETCH(int, height);
    QFETCH(int, x);
    QFETCH(int, y);
    const QString text = QStringLiteral(" 12.70 cm ");
    QRect cell;
    const QImage image = drawOnImage(300, 120, [&](Canvas& c) {
        c.setBrushColor(kGrey);
        c.FillRect(Rect(0, 0, 300, 120));
        c.SetFontHeight(height);
        c.setBrushColor(kWhite);
        c.TextOut(x, y, text);
        cell = QRect(x, y, c.TextWidth(text), c.TextHeight(text));
    });
    int black = 0;
    for (int py = 0; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px) {
            const QRgb p = image.pixel(px, py);
            if (cell.contains(px, py))
                QVERIFY2(p == kBlack || p == kWhite, qPrintable(QString::number(p, 16)));
            else
                QCOMPARE(p, kGrey);
            black += p == kBlack;
        }
    if (height < 100)
        QVERIFY(black > 0);
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
