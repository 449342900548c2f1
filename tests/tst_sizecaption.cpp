#include "model/ConversionError.h"
#include "model/Units.h"
#include "render/Bitmap.h"
#include "render/SizeCaption.h"

#include <QLocale>
#include <QtTest>
#include <cmath>

namespace {

constexpr QRgb kBlack = 0x000000u; // as Bitmap::Pixel reads them
constexpr QRgb kWhite = 0xFFFFFFu;

// A caption distance in pixels, a checker of w x h pixels labelled " 3 cm ".
SheetInputs Inputs(const QString& distance, float w = 150, float h = 120) {
    SheetInputs in;
    in.sizeDistanceText = distance;
    in.sizeUnit = kUnitPixels;
    in.dpiX = in.dpiY = 300;
    in.checkerWidthPx = w;
    in.checkerHeightPx = h;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("3");
    in.unitName = QStringLiteral("cm");
    return in;
}

// The two label cells on the target (scale 1), from the font the caption left set.
QVector<QRect> LabelCells(Canvas& c, const TRect& board, const SheetInputs& in,
                          const CaptionLabels& labels) {
    const CaptionMetrics m = ComputeCaptionMetrics(1.0f, in);
    const int w1 = c.TextWidth(labels.width), h1 = c.TextHeight(labels.width);
    const int w2 = c.TextWidth(labels.height), h2 = c.TextHeight(labels.height);
    const double l = double(board.Left), t = double(board.Top);
    const int x1 = int(std::trunc(l + (in.checkerWidthPx - w1) * 0.5));
    const int y1 = int(std::trunc((t - m.distanceY) - h1 / 2));
    const int x2 = int(std::trunc((l - m.distanceX) - h2 / 2));
    const int y2 = int(std::trunc(t + (in.checkerHeightPx - w2) * 0.5));
    return {QRect(x1, y1, w1, h1), QRect(x2, y2, h2, w2)};
}

} // namespace

class TestSizeCaption : public QObject {
    Q_OBJECT
private slots:
    // Line pixels are black unless a label cell covers them; the width
    // label's cell holds the label as written horizontally, the height
    // label's the same turned a quarter turn counter-clockwise. At the board
    // (200, 300) with 150 x 120 checkers a = 8; ends lists the ten strokes'
    // x0 y0 x1 y1: the vertical line and its arrowheads, then the horizontal.
    void caption_data() {
        QTest::addColumn<TRect>("board");
        QTest::addColumn<QSizeF>("checker");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("ends"); // empty: not checked
        const TRect b = Rect(200, 300, 0, 0);
        const QSizeF c(150, 120);
        QTest::newRow("outside")
            << b << c << "30"
            << "170 300 170 420,170 300 162 308,170 300 178 308,170 420 162 412,170 420 178 412,"
               "200 270 350 270,200 270 208 278,200 270 208 262,350 270 342 262,350 270 342 278";
        QTest::newRow("negative: inside")
            << b << c << "-20"
            << "220 300 220 420,220 300 212 308,220 300 228 308,220 420 212 412,220 420 228 412,"
               "200 320 350 320,200 320 208 328,200 320 208 312,350 320 342 312,350 320 342 328";
        QTest::newRow("zero: on the edges")
            << b << c << "0"
            << "200 300 200 420,200 300 192 308,200 300 208 308,200 420 192 412,200 420 208 412,"
               "200 300 350 300,200 300 208 308,200 300 208 292,350 300 342 292,350 300 342 308";
        QTest::newRow("label cut at the left")
            << Rect(5, 100, 0, 0) << QSizeF(150, 150) << "10" << QString();
        QTest::newRow("label in several pieces, cut")
            << Rect(810, -3050, 0, 0) << QSizeF(7700, 7700) << "10" << QString();
    }
    void caption() {
        QFETCH(TRect, board);
        QFETCH(QSizeF, checker);
        QFETCH(QString, distance);
        QFETCH(QString, ends);
        SheetInputs in = Inputs(distance, checker.width(), checker.height());
        in.checkerHeightText = "12.5";
        const auto strokes = CaptionStrokes(1.0f, board, in, ComputeCaptionMetrics(1.0f, in));
        if (!ends.isEmpty()) {
            QStringList got;
            for (const CaptionStroke& s : strokes)
                got << QString("%1 %2 %3 %4").arg(s.x0).arg(s.y0).arg(s.x1).arg(s.y1);
            QCOMPARE(got.join(","), ends);
        }
        Bitmap t(1600, 1600); // room for a label of several pieces
        DrawSizeCaption(t.canvas(), 1.0f, board, in);
        const CaptionLabels labels =
            BuildCaptionLabels(in.checkerWidthText, in.checkerHeightText, in.unitName);
        const QVector<QRect> cells = LabelCells(t.canvas(), board, in, labels);

        for (const CaptionStroke& s : strokes) {
            const Coord dx = s.x1 - s.x0, dy = s.y1 - s.y0;
            const Coord steps = std::max(std::abs(dx), std::abs(dy));
            if (dx && dy && std::abs(dx) != std::abs(dy))
                continue; // only straight and 45-degree lines have unambiguous pixels
            for (Coord i = 0; i < steps; ++i) { // from the start up to the end
                const QPoint p(int(s.x0 + i * dx / steps), int(s.y0 + i * dy / steps));
                if (t.image().rect().contains(p) && !cells[0].contains(p) && !cells[1].contains(p))
                    QVERIFY2(t.Pixel(p.x(), p.y()) == kBlack,
                             qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
            }
        }

        bool ink = false;
        for (int turned = 0; turned < 2; ++turned) {
            const QRect seen = cells[turned] & t.image().rect();
            if (seen.isEmpty())
                continue;
            const QString& text = turned ? labels.height : labels.width;
            Bitmap ref(t.canvas().TextWidth(text), t.canvas().TextHeight(text));
            ref.canvas().AssignFont(t.canvas());
            ref.canvas().setBrushColor(kWhite);
            ref.canvas().TextOut(0, 0, text);
            const QImage want =
                turned ? ref.image().transformed(QTransform().rotate(-90)) : ref.image();
            const QImage part = t.image().copy(seen);
            QCOMPARE(part, want.copy(seen.translated(-cells[turned].topLeft())));
            QImage blank(part.size(), part.format());
            blank.fill(Qt::white);
            ink |= part != blank;
        }
        QVERIFY(ink); // some text is visible
    }

    // Width, height, unit, then the width and height labels expected.
    void labels_data() {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QStringList>("v");
        QTest::newRow("whole") << false << QStringList{"3", "3", "cm", " 3 cm ", " 3 cm "};
        QTest::newRow("one fraction switches both")
            << false << QStringList{"3", "2.5", "cm", " 3.00 cm ", " 2.50 cm "};
        QTest::newRow("rounded") << false
                                 << QStringList{"3.999", "3", "in", " 4.00 in ", " 3.00 in "};
        QTest::newRow("pixels truncate")
            << false << QStringList{"12.7", "-0.5", "pixels", " 12 pixels ", " 0 pixels "};
        QTest::newRow("comma locale writes a point")
            << true << QStringList{"2,5", "3", "cm", " 2.50 cm ", " 3.00 cm "};
    }
    void labels() {
        QFETCH(bool, comma);
        QFETCH(QStringList, v);
        const QLocale saved;
        QLocale::setDefault(comma ? QLocale(QLocale::German) : QLocale::c());
        const CaptionLabels l = BuildCaptionLabels(v[0], v[1], v[2]);
        QLocale::setDefault(saved);
        QCOMPARE(l.width, v[3]);
        QCOMPARE(l.height, v[4]);
    }

    // Arrow size and font height, with 0.5 inch distances at 300 x 600 dpi.
    void metrics_data() {
        QTest::addColumn<QSizeF>("checker");
        QTest::addColumn<float>("scale");
        QTest::addColumn<float>("arrow");
        QTest::addColumn<int>("font");
        QTest::newRow("2a = 1") << QSizeF(7.5, 7.5) << 1.0f << 0.5f << 1;
        QTest::newRow("2a < 1, width smaller") << QSizeF(3, 30) << 1.0f << 0.2f << 1;
        QTest::newRow("width smaller, scaled") << QSizeF(60, 120) << 0.5f << 2.f << 4;
        QTest::newRow("height smaller") << QSizeF(300, 150) << 1.0f << 10.f << 20;
        QTest::newRow("font truncated") << QSizeF(133.5, 133.5) << 1.0f << 8.9f << 17;
    }
    void metrics() {
        QFETCH(QSizeF, checker);
        QFETCH(float, scale);
        QFETCH(float, arrow);
        QFETCH(int, font);
        SheetInputs in = Inputs("0.5", checker.width(), checker.height());
        in.sizeUnit = kUnitInches;
        in.dpiY = 600;
        const CaptionMetrics m = ComputeCaptionMetrics(scale, in);
        QVERIFY(std::fabs(m.distanceX - 150 * scale) < 1e-3f);
        QVERIFY(std::fabs(m.distanceY - 300 * scale) < 1e-3f);
        QCOMPARE(m.arrowSize, arrow);
        Bitmap t(100, 100);
        DrawSizeCaption(t.canvas(), scale, Rect(50, 50, 0, 0), in);
        QCOMPARE(t.canvas().FontHeight(), font);
    }

    void emptyWidthThrowsAfterTheLines() {
        SheetInputs in = Inputs("30");
        in.checkerWidthText = "";
        Bitmap t(500, 500);
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 DrawSizeCaption(t.canvas(), 1.0f, Rect(200, 300, 0, 0), in));
        // The lines are there, and no label hides their middles.
        QCOMPARE(t.Pixel(275, 270), kBlack);
        QCOMPARE(t.Pixel(170, 360), kBlack);
        QCOMPARE(t.Pixel(162, 308), kWhite); // a leg's end point is not painted
    }

    // Only the visible part of the labels is drawn, never their full size.
    void hugeChecker() {
        const float checker = 1e6f * 2400 / 2.54f; // 1e6 cm at 2400 dpi
        Bitmap t(600, 600);
        DrawSizeCaption(t.canvas(), 1.0f, Rect(100, 100, 0, 0), Inputs("30", checker, checker));
        int black = 0;
        for (int y = 0; y < 600; ++y)
            black += t.Pixel(70, y) == kBlack;
        QCOMPARE(black, 600 - 100); // the vertical line runs off; its label is far below
        QCOMPARE(t.Pixel(70 - 50, 100 + 50), kBlack); // upper arrowhead, left leg
    }
};

QTEST_MAIN(TestSizeCaption)
#include "tst_sizecaption.moc"
