// SPDX-License-Identifier: MIT
// The drawing surface's exact pixel coverage, and the page as drawn: board placement, frame,
// checkers and size caption at exact pixels, in every unit at full and preview scale, their drawing
// order, and the preview bitmap. Expected pixels come from the layout formulas worked out by hand
// (frame distance from the mean resolution, caption distance per axis, cells rounded with halves
// down), not from the renderer.
#include "model/Units.h"
#include "render/Bitmap.h"
#include "render/BoardRenderer.h"
#include "render/PreviewGeometry.h"
#include "render/SizeCaption.h"
#include "render/TestPage.h"

#include <QLocale>
#include <QtTest>

Q_DECLARE_METATYPE(SheetInputs)

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 1400;
constexpr QRgb kBlack = 0xFF000000u;

// cols x rows checkers of w x h printer pixels; frame and caption distances as
// texts in their units (a null text turns the part off); align is vertical,
// horizontal (0 top/left, 1 centre, 2 bottom/right).
SheetInputs Sheet(int dpiX, int dpiY, float w, float h, int cols, int rows, int frameUnit,
                  const char* frame, int captionUnit, const char* caption, int v, int hAlign) {
    SheetInputs in;
    in.dpiX = float(dpiX);
    in.dpiY = float(dpiY);
    in.checkerWidthPx = w;
    in.checkerHeightPx = h;
    in.patternWidthPx = float(cols * double(w));
    in.patternHeightPx = float(rows * double(h));
    in.columns = cols;
    in.rows = rows;
    in.frame = frame != nullptr;
    in.frameDistanceText = QString::fromLatin1(frame);
    in.frameUnit = frameUnit;
    in.sizeCaption = caption != nullptr;
    in.sizeDistanceText = QString::fromLatin1(caption);
    in.sizeUnit = captionUnit;
    in.vertical = v;
    in.horizontal = hAlign;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("3");
    in.unitName = QStringLiteral("cm");
    return in;
}

bool Dark(const QImage& image, int x, int y) {
    return image.pixel(x, y) == kBlack;
}

// Every pixel of r that lies on the image is black.
bool AllDark(const QImage& image, const QRect& r) {
    const QRect on = r & image.rect();
    for (int y = on.top(); y <= on.bottom(); ++y)
        for (int x = on.left(); x <= on.right(); ++x)
            if (!Dark(image, x, y))
                return false;
    return true;
}

enum class Op { Fill, Frame, Line };

// The image as rows of '#' (black) and '.' (any other colour), joined by '|'.
QString Ink(const QImage& image) {
    QString rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x <= image.width(); ++x)
            rows += x == image.width() ? '|' : Dark(image, x, y) ? '#' : '.';
    return rows.chopped(1);
}

const float kCm300 = float(300 * double(k)); // one centimetre at 300 dpi
const float kCm600 = float(600 * double(k));

} // namespace

class TestRenderer : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void shapes_data() {
        QTest::addColumn<Op>("op");
        QTest::addColumn<QList<qint64>>("xy"); // x0, y0, x1, y1
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, Op op, qint64 x0, qint64 y0, qint64 x1, qint64 y1,
                            const char* expected) {
            QTest::newRow(name) << op << QList<qint64>{x0, y0, x1, y1} << QString(expected);
        };
        const Op F = Op::Fill, R = Op::Frame, L = Op::Line;
        row("fill", F, 1, 1, 4, 3, "........|.###....|.###....|........|........|........");
        row("fill clipped", F, -5, -5, 2, 2,
            "##......|##......|........|........|........|........");
        row("frame", R, 1, 1, 5, 5, "........|.####...|.#..#...|.#..#...|.####...|........");
        // One step in four moves down, rounded half up; the start is off the surface, and
        // the end point is never painted.
        row("line shallow, clipped", L, -6, 0, 10, 4,
            "........|........|####....|....####|........|........");
    }
    // Exact coverage on an 8 x 6 surface.
    void shapes() {
        QFETCH(Op, op);
        QFETCH(QList<qint64>, xy);
        QFETCH(QString, expected);
        Bitmap bitmap(8, 6);
        Canvas& canvas = bitmap.canvas();
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
        QCOMPARE(Ink(bitmap.image()), expected);
    }
    void placement_data() {
        QTest::addColumn<SheetInputs>("in");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QRect>(
            "frame"); // the outline's first and last columns and rows; null: none
        QTest::addColumn<QRect>("cell");  // the first (black) checker
        QTest::addColumn<QPoint>("hTip"); // left tip of the horizontal dimension line; null: none
        QTest::addColumn<QPoint>("vTip"); // upper tip of the vertical dimension line
        const auto outline = [](int l, int t, int r, int b) {
            return QRect(QPoint(l, t), QPoint(r, b));
        };
        // clang-format off
        QTest::newRow("pixels, centre")
            << Sheet(600, 600, 100, 100, 5, 6, kUnitPixels, "20", kUnitPixels, nullptr, 1, 1) << 1.0f
            << outline(220, 370, 759, 1009) << QRect(240, 390, 100, 100) << QPoint() << QPoint();
        QTest::newRow("pixels, bottom right: the frame on the last row and column")
            << Sheet(600, 600, 100, 100, 5, 6, kUnitPixels, "20", kUnitPixels, nullptr, 2, 2) << 1.0f
            << outline(460, 760, 999, 1399) << QRect(480, 780, 100, 100) << QPoint() << QPoint();
        QTest::newRow("cm, 300 x 600 dpi")
            << Sheet(300, 600, kCm300, kCm600, 4, 3, kUnitCm, "0.5", kUnitCm, "0.2", 1, 1) << 1.0f
            << outline(130, 212, 778, 1096) << QRect(219, 301, 118, 236) << QPoint(219, 253) << QPoint(195, 301);
        QTest::newRow("cm, 300 x 600 dpi, preview scale")
            << Sheet(300, 600, kCm300, kCm600, 4, 3, kUnitCm, "0.5", kUnitCm, "0.2", 1, 1) << 0.25f
            << outline(406, 577, 568, 798) << QRect(429, 600, 30, 59) << QPoint(429, 588) << QPoint(423, 600);
        SheetInputs corrected = Sheet(300, 600, kCm300, kCm600, 4, 3, kUnitCm, "1", kUnitCm, "1", 1, 1);
        corrected.correction = {1.01, 0.99}; // the frame by the mean, the caption per axis
        QTest::newRow("cm, corrected 101 % x 99 %") << corrected << 1.0f
            << outline(-1, 80, 822, 1140) << QRect(175, 257, 118, 236) << QPoint(175, 23) << QPoint(55, 257);
        QTest::newRow("inches, 400 x 200 dpi, top right")
            << Sheet(400, 200, 200, 100, 2, 3, kUnitInches, "0.1", kUnitInches, "0.05", 0, 2) << 1.0f
            << outline(540, 0, 999, 359) << QRect(570, 30, 200, 100) << QPoint(570, 20) << QPoint(550, 30);
        QTest::newRow("inches, preview scale, frame cut at the top")
            << Sheet(400, 200, 200, 100, 5, 6, kUnitInches, "0.1", kUnitInches, "0.05", 0, 2) << 0.25f
            << outline(734, 0, 998, 163) << QRect(742, 7, 50, 25) << QPoint(742, 4) << QPoint(737, 7);
        // The labels lie over the first checker, which is drawn after them.
        QTest::newRow("caption distance 0: checkers over the labels")
            << Sheet(600, 600, 150, 120, 3, 3, kUnitPixels, nullptr, kUnitPixels, "0", 1, 1) << 1.0f
            << QRect() << QRect(275, 520, 150, 120) << QPoint(275, 520) << QPoint(275, 520);
        // The frame runs through both labels and is drawn after them.
        QTest::newRow("frame through the labels")
            << Sheet(600, 600, 150, 150, 3, 3, kUnitPixels, "10", kUnitPixels, "10", 1, 1) << 1.0f
            << outline(260, 460, 729, 929) << QRect(270, 470, 150, 150) << QPoint(270, 460) << QPoint(260, 470);
        // 5 inches over 8 columns at 300 dpi: checkers of 187.5 pixels are drawn 187 wide.
        QTest::newRow("a tie at the printer's pixel rounds down")
            << Sheet(300, 300, 187.5, 187.5, 8, 4, kUnitPixels, nullptr, kUnitPixels, nullptr, 0, 0)
            << 1.0f << QRect() << QRect(0, 0, 187, 187) << QPoint() << QPoint();
        // Checkers of 50.5 pixels are drawn 50 wide; the board is 252.5 x 303.
        QTest::newRow("no unit selected: no distances; halves round down")
            << Sheet(600, 600, 101, 101, 5, 6, -1, "20", -1, "30", 2, 0) << 0.5f
            << outline(0, 1097, 251, 1399) << QRect(0, 1097, 50, 50) << QPoint(0, 1097) << QPoint(0, 1097);
        // clang-format on
    }
    void placement() {
        QFETCH(SheetInputs, in);
        QFETCH(float, scale);
        QFETCH(QRect, frame);
        QFETCH(QRect, cell);
        QFETCH(QPoint, hTip);
        QFETCH(QPoint, vTip);
        Bitmap bitmap(kWidth, kHeight);
        DrawBoard(bitmap.canvas(), scale, kWidth, kHeight, in);
        QCOMPARE(bitmap.canvas().brushColor(), kBlack);
        const QImage& image = bitmap.image();

        if (!frame.isNull()) {
            QVERIFY(AllDark(image, QRect(frame.topLeft(), QSize(frame.width(), 1))));
            QVERIFY(AllDark(image, QRect(frame.bottomLeft(), QSize(frame.width(), 1))));
            QVERIFY(AllDark(image, QRect(frame.topLeft(), QSize(1, frame.height()))));
            QVERIFY(AllDark(image, QRect(frame.topRight(), QSize(1, frame.height()))));
            if (hTip.isNull()) // one pixel wide
                QVERIFY(!Dark(image, frame.right() - 1, frame.center().y()));
        }
        // The whole first checker is black, caption or not; its neighbours
        // across and down are white.
        QVERIFY(AllDark(image, cell));
        QVERIFY(!Dark(image, cell.right() + 1, cell.center().y()));
        QVERIFY(!Dark(image, cell.center().x(), cell.bottom() + 1));
        QVERIFY(Dark(image, cell.right() + 1, cell.bottom() + 1)); // the next black one

        if (hTip.isNull())
            return;
        // Each dimension line runs from its tip along the first checker; a label
        // on white hides its middle where it is not on the board.
        QVERIFY(Dark(image, hTip.x() + 1, hTip.y()) && Dark(image, hTip.x() + 2, hTip.y()));
        QVERIFY(Dark(image, vTip.x(), vTip.y() + 1) && Dark(image, vTip.x(), vTip.y() + 2));
        const double a = std::min(in.checkerWidthPx, in.checkerHeightPx) * double(scale) / 15;
        if (a >= 3 && hTip.y() < cell.top()) { // arrowheads open outwards
            QVERIFY(Dark(image, hTip.x() + 1, hTip.y() - 1) &&
                    Dark(image, hTip.x() + 1, hTip.y() + 1));
            QVERIFY(Dark(image, vTip.x() - 1, vTip.y() + 1) &&
                    Dark(image, vTip.x() + 1, vTip.y() + 1));
            QVERIFY(!Dark(image, hTip.x() - 1, hTip.y() - 1) &&
                    !Dark(image, vTip.x() - 1, vTip.y() - 1));
            const auto hidden = [&](int x, int y) {
                return !Dark(image, x, y) || !Dark(image, x + 1, y);
            };
            if (frame.isNull() || hTip.y() != frame.top())
                QVERIFY(hidden(cell.center().x(), hTip.y()));
        }
    }
    void labels_data() {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QStringList>("v"); // width, height, unit; the two labels
        QTest::newRow("whole") << false << QStringList{"3", "3", "cm", " 3 cm ", " 3 cm "};
        QTest::newRow("one fraction switches both")
            << false << QStringList{"3", "2.5", "cm", " 3.00 cm ", " 2.50 cm "};
        QTest::newRow("pixels truncate")
            << false << QStringList{"12.7", "-0.5", "pixels", " 12 pixels ", " 0 pixels "};
        QTest::newRow("comma locale writes a point")
            << true << QStringList{"2,5", "3", "cm", " 2.50 cm ", " 3.00 cm "};
    }
    // The labels' texts as drawn: the width label written as text is, the height
    // label the same turned a quarter turn counter-clockwise (compared with Qt's own
    // rotation of the expected text), each centred on its line and along the first
    // checker, with a cell of int(2a).
    void labels() {
        QFETCH(bool, comma);
        QFETCH(QStringList, v);
        QLocale::setDefault(comma ? QLocale(QLocale::German) : QLocale::c());
        SheetInputs in =
            Sheet(300, 300, 150, 120, 3, 3, kUnitPixels, nullptr, kUnitPixels, "30", 0, 0);
        in.checkerWidthText = v[0];
        in.checkerHeightText = v[1];
        in.unitName = v[2];
        Bitmap t(600, 600);
        DrawSizeCaption(t.canvas(), 1.0f, Rect(200, 300, 0, 0), in);
        QCOMPARE(t.canvas().FontHeight(), 16); // a = 120 / 15
        for (int turned = 0; turned < 2; ++turned) {
            const QString& text = v[3 + turned];
            const int w = t.canvas().TextWidth(text), h = t.canvas().TextHeight(text);
            const QRect cell = turned ? QRect(170 - h / 2, 300 + (120 - w) / 2, h, w)
                                      : QRect(200 + (150 - w) / 2, 270 - h / 2, w, h);
            Bitmap ref(w, h);
            ref.canvas().AssignFont(t.canvas());
            ref.canvas().setBrushColor(0xFFFFFFFFu);
            ref.canvas().TextOut(0, 0, text);
            const QImage want =
                turned ? ref.image().transformed(QTransform().rotate(-90)) : ref.image();
            QCOMPARE(t.image().copy(cell), want);
            QImage blank(want.size(), want.format());
            blank.fill(Qt::white);
            QVERIFY(want != blank); // some ink
        }
    }
    void testPage_data() {
        QTest::addColumn<bool>("inches");
        QTest::addColumn<double>("across"); // correction
        QTest::addColumn<double>("down");
        QTest::addColumn<QSize>("units"); // the bars' nominal lengths
        QTest::newRow("cm") << false << 1.0 << 1.0 << QSize(19, 22);
        QTest::newRow("cm, corrected") << false << 1.01 << 0.99 << QSize(19, 23);
        QTest::newRow("inches") << true << 1.0 << 1.0 << QSize(7, 8);
    }
    // On a US-letter page at 100 x 200 dpi each bar is as long as the page allows
    // in whole units, and measures that length times the correction, to the pixel;
    // so do its ticks.
    void testPage() {
        QFETCH(bool, inches);
        QFETCH(double, across);
        QFETCH(double, down);
        QFETCH(QSize, units);
        const TestPageInputs in{850, 2200, 100, 200, inches, {across, down}};
        const TestPageLayout l = LayOutTestPage(in);
        QCOMPARE(QSize(l.unitsAcross, l.unitsDown), units);
        Bitmap bitmap(850, 2200);
        DrawTestPage(bitmap.canvas(), in);
        const QImage& image = bitmap.image();
        const double perUnit = inches ? 1.0 : 1 / 2.54, step = inches ? 0.5 : 1;
        for (const bool isDown : {false, true}) {
            const TRect& bar = isDown ? l.down : l.across;
            const double unit = (isDown ? 200 * down : 100 * across) * perUnit; // pixels
            const int length = isDown ? units.height() : units.width();
            const int from = int(isDown ? bar.Top : bar.Left);
            // The dark pixels along the bar, off pixels out from its outer edge, and their runs.
            const auto along = [&](int off) {
                std::pair<int, QList<int>> dark{0, {}};
                for (int i = from, last = -2; i < (isDown ? image.height() : image.width()); ++i)
                    if (isDown ? Dark(image, int(bar.Right) + off - 1, i)
                               : Dark(image, i, int(bar.Top) - off)) {
                        if (++dark.first && i != last + 1)
                            dark.second << i;
                        last = i;
                    }
                return dark;
            };
            QVERIFY(qAbs(along(-4).first - length * unit) <= 0.5);
            // A tick every unit (half inch), the last at the bar's end; every fifth
            // is long (reaches past 0.45 cm).
            for (const int every : {1, 5}) {
                const QList<int> starts =
                    along(every == 1 ? 1 : int(0.45 * (isDown ? 100 : 200) / 2.54) + 1).second;
                QCOMPARE(starts.size(), int(length / step) / every + 1);
                for (int i = 0; i < starts.size(); ++i)
                    QVERIFY(qAbs(starts[i] - from - i * every * step * unit) < 3);
            }
        }
    }
    void preview_data() {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QSize>("bitmap");
        QTest::addColumn<QRect>("cell");
        QTest::newRow("portrait") << QSize(4800, 6600) << QSize(1029, 1416)
                                  << QRect(119, 236, 152, 152);
        QTest::newRow("landscape")
            << QSize(6600, 4800) << QSize(1212, 881) << QRect(267, 37, 130, 130);
        QTest::newRow("no page") << QSize(0, 6600) << QSize(0, 0) << QRect();
    }
    // A 303 x 354 control: the page at the scale that fits it four times over,
    // cleared white and drawn (5 x 6 checkers of 3 cm at 600 dpi, frame 0.6 cm,
    // caption 0.3 cm), whatever the bitmap held before.
    void preview() {
        QFETCH(QSize, page);
        QFETCH(QSize, bitmap);
        QFETCH(QRect, cell);
        const float c3 = float(3 * 600 * double(k));
        const SheetInputs in = Sheet(600, 600, c3, c3, 5, 6, kUnitCm, "0.6", kUnitCm, "0.3", 1, 1);
        QImage preview(bitmap.isEmpty() ? QSize(5, 5) : bitmap, QImage::Format_RGB32);
        preview.fill(Qt::black);
        RebuildPreview(preview, 303, 354, page.width(), page.height(), in);
        QCOMPARE(preview.size(), bitmap);
        if (bitmap.isEmpty())
            return;
        QVERIFY(!Dark(preview, 0, 0) && !Dark(preview, bitmap.width() - 1, bitmap.height() - 1));
        QVERIFY(AllDark(preview, cell));
        QVERIFY(!Dark(preview, cell.right() + 1, cell.top()));
    }
};

QTEST_MAIN(TestRenderer)
#include "tst_renderer.moc"
