#include "model/ConversionError.h"
#include "render/Bitmap.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/SizeCaption.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

Q_DECLARE_METATYPE(CaptionStroke)
using Strokes = std::array<CaptionStroke, 10>;
Q_DECLARE_METATYPE(Strokes)

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

// A white image with a canvas on it.
struct Target {
    Target(int w, int h) : image(w, h, QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        canvas = std::make_unique<Canvas>(*painter, image, w, h);
    }
    QRgb at(Coord x, Coord y) const { return image.pixel(int(x), int(y)); }
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<Canvas> canvas;
};

// Pixels pointing pixel distance, checker 150 x 120, labels " 3 cm ".
SheetInputs Inputs(const QString& distance) {
    SheetInputs in;
    in.sizeDistanceText = distance;
    in.sizeUnit = 2;
    in.dpiX = in.dpiY = 300;
    in.checkerWidthPx = 150;
    in.checkerHeightPx = 120;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("3");
    in.unitName = QStringLiteral("cm");
    return in;
}

// The two label cells on the target (scale 1), from the font the caption
// leaves set.
QVector<QRect> LabelCells(Canvas& c, const TRect& board, const SheetInputs& in,
                          const CaptionMetrics& m) {
    const CaptionLabels labels =
        BuildCaptionLabels(in.checkerWidthText, in.checkerHeightText, in.unitName);
    const int w1 = c.TextWidth(labels.width), h1 = c.TextHeight(labels.width);
    const int w2 = c.TextWidth(labels.height), h2 = c.TextHeight(labels.height);
    const double l = double(board.Left), t = double(board.Top);
    const int x1 = int(std::trunc(l + (in.checkerWidthPx - w1) * 0.5));
    const int y1 = int(std::trunc((t - m.distanceY) - h1 / 2));
    const int x2 = int(std::trunc((l - m.distanceX) - h2 / 2));
    const int y2 = int(std::trunc(t + (in.checkerHeightPx - w2) * 0.5));
    return {QRect(x1, y1, w1, h1), QRect(x2, y2, h2, w2)};
}

// The label as written horizontally with the target's current font.
QImage HorizontalLabel(Canvas& target, const QString& text) {
    Bitmap label(target.TextWidth(text), target.TextHeight(text));
    label.canvas().AssignFont(target);
    label.canvas().setBrushColor(kWhite);
    label.canvas().TextOut(0, 0, text);
    return label.image().copy();
}

} // namespace

class TestSizeCaption : public QObject {
    Q_OBJECT
private slots:
    void strokes_data() {
        QTest::addColumn<TRect>("board");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<Strokes>("expected");
        // a = 120 / 15 = 8 throughout.
        QTest::newRow("outside") << Rect(200, 300, 0, 0) << "30"
                                 << Strokes{{{170, 300, 170, 420},
                                             {170, 300, 162, 308},
                                             {170, 300, 178, 308},
                                             {170, 420, 162, 412},
                                             {170, 420, 178, 412},
                                             {200, 270, 350, 270},
                                             {200, 270, 208, 278},
                                             {200, 270, 208, 262},
                                             {350, 270, 342, 262},
                                             {350, 270, 342, 278}}};
        QTest::newRow("negative: inside the board") << Rect(200, 300, 0, 0) << "-20"
                                                    << Strokes{{{220, 300, 220, 420},
                                                                {220, 300, 212, 308},
                                                                {220, 300, 228, 308},
                                                                {220, 420, 212, 412},
                                                                {220, 420, 228, 412},
                                                                {200, 320, 350, 320},
                                                                {200, 320, 208, 328},
                                                                {200, 320, 208, 312},
                                                                {350, 320, 342, 312},
                                                                {350, 320, 342, 328}}};
        QTest::newRow("not a number: on the board's edges") << Rect(200, 300, 0, 0) << "x"
                                                            << Strokes{{{200, 300, 200, 420},
                                                                        {200, 300, 192, 308},
                                                                        {200, 300, 208, 308},
                                                                        {200, 420, 192, 412},
                                                                        {200, 420, 208, 412},
                                                                        {200, 300, 350, 300},
                                                                        {200, 300, 208, 308},
                                                                        {200, 300, 208, 292},
                                                                        {350, 300, 342, 292},
                                                                        {350, 300, 342, 308}}};
        // Fractions truncate toward zero: 2.5 - 8 = -5.5 gives -5, 5 - 7.5 gives -2.
        QTest::newRow("truncation toward zero") << Rect(10, 5, 0, 0) << "7.5"
                                                << Strokes{{{2, 5, 2, 125},
                                                            {2, 5, -5, 13},
                                                            {2, 5, 10, 13},
                                                            {2, 125, -5, 117},
                                                            {2, 125, 10, 117},
                                                            {10, -2, 160, -2},
                                                            {10, -2, 18, 5},
                                                            {10, -2, 18, -10},
                                                            {160, -2, 152, -10},
                                                            {160, -2, 152, 5}}};
    }
    void strokes() {
        QFETCH(TRect, board);
        QFETCH(QString, distance);
        QFETCH(Strokes, expected);
        const SheetInputs in = Inputs(distance);
        const CaptionMetrics m = ComputeCaptionMetrics(1.0f, in);
        const Strokes got = CaptionStrokes(1.0f, board, in, m);
        for (int n = 0; n < 10; ++n)
            QVERIFY2(got[n] == expected[n], qPrintable(QString("stroke %1").arg(n + 1)));

        // Every stroke pixel on the surface, from the start up to the end,
        // is black unless a label cell covers it.
        Target t(500, 500);
        DrawSizeCaption(*t.canvas, 1.0f, board, in);
        const QVector<QRect> cells = LabelCells(*t.canvas, board, in, m);
        for (const CaptionStroke& s : expected) {
            // Only lines whose pixels are unambiguous: straight or at 45 degrees.
            if (s.x0 != s.x1 && s.y0 != s.y1 && std::abs(s.x1 - s.x0) != std::abs(s.y1 - s.y0))
                continue;
            const Coord steps = std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0));
            for (Coord i = 0; i < steps; ++i) {
                const QPoint p(int(s.x0 + i * ((s.x1 > s.x0) - (s.x1 < s.x0))),
                               int(s.y0 + i * ((s.y1 > s.y0) - (s.y1 < s.y0))));
                if (t.image.rect().contains(p) && !cells[0].contains(p) && !cells[1].contains(p))
                    QVERIFY2(t.at(p.x(), p.y()) == kBlack,
                             qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
            }
        }
    }

    void metrics_data() {
        QTest::addColumn<SheetInputs>("in");
        QTest::addColumn<float>("scale");
        QTest::addColumn<float>("dx");
        QTest::addColumn<float>("dy");
        QTest::addColumn<float>("arrow");
        SheetInputs in = Inputs("0.5");
        in.sizeUnit = 1;
        in.dpiY = 600;
        QTest::newRow("inches: each axis its own dpi") << in << 1.0f << 150.f << 300.f << 8.f;
        in.checkerWidthPx = 60;
        QTest::newRow("narrow checker: arrow follows width") << in << 0.5f << 75.f << 150.f << 2.f;
        in.sizeUnit = -1;
        in.checkerWidthPx = 300;
        in.checkerHeightPx = 150;
        QTest::newRow("no unit: no gap; wide checker") << in << 1.0f << 0.f << 0.f << 10.f;
        in.sizeUnit = 0;
        in.dpiX = in.dpiY = 254;
        in.sizeDistanceText = "2.54";
        QTest::newRow("cm") << in << 1.0f << 254.f << 254.f << 10.f;
    }
    void metrics() {
        QFETCH(SheetInputs, in);
        QFETCH(float, scale);
        QFETCH(float, dx);
        QFETCH(float, dy);
        QFETCH(float, arrow);
        const CaptionMetrics m = ComputeCaptionMetrics(scale, in);
        QVERIFY(std::fabs(m.distanceX - dx) < 1e-3f);
        QVERIFY(std::fabs(m.distanceY - dy) < 1e-3f);
        QCOMPARE(m.arrowSize, arrow);
    }

    void labels_data() {
        QTest::addColumn<QString>("w");
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("widthLabel");
        QTest::addColumn<QString>("heightLabel");
        QTest::newRow("whole") << "3"
                               << "3"
                               << "cm"
                               << " 3 cm "
                               << " 3 cm ";
        QTest::newRow("one fraction switches both") << "3"
                                                    << "2.5"
                                                    << "cm"
                                                    << " 3.00 cm "
                                                    << " 2.50 cm ";
        QTest::newRow("rounded") << "3.999"
                                 << " 3 "
                                 << "inches"
                                 << " 4.00 inches "
                                 << " 3.00 inches ";
        QTest::newRow("pixels truncate") << "12.7"
                                         << "-0.5"
                                         << "pixels"
                                         << " 12 pixels "
                                         << " 0 pixels ";
        QTest::newRow("whole beyond int") << "1e10"
                                          << "2"
                                          << "cm"
                                          << " 10000000000 cm "
                                          << " 2 cm ";
    }
    void labels() {
        QFETCH(QString, w);
        QFETCH(QString, h);
        QFETCH(QString, unit);
        QFETCH(QString, widthLabel);
        QFETCH(QString, heightLabel);
        const CaptionLabels l = BuildCaptionLabels(w, h, unit);
        QCOMPARE(l.width, widthLabel);
        QCOMPARE(l.height, heightLabel);
    }

    void commaLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German));
        const CaptionLabels l = BuildCaptionLabels("2,5", "3", "cm");
        QLocale::setDefault(saved);
        QCOMPARE(l.width, QString(" 2.50 cm "));
        QCOMPARE(l.height, QString(" 3.00 cm "));
    }

    void fontHeight_data() {
        QTest::addColumn<float>("arrow");
        QTest::addColumn<int>("height");
        QTest::newRow("2a = 1") << 0.5f << 1;
        QTest::newRow("2a < 1") << 0.2f << 1;
        QTest::newRow("just above 1") << 0.6f << 1;
        QTest::newRow("truncated") << 8.9f << 17;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 1;
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << INT_MAX;
    }
    void fontHeight() {
        QFETCH(float, arrow);
        QFETCH(int, height);
        QCOMPARE(CaptionFontHeight(arrow), height);
    }

    // Both label cells hold the label as written horizontally with the font
    // the caption set; the height label a quarter turn counter-clockwise
    // (pixel (i, j) of its cell is (w2 - 1 - j, i) of the horizontal label),
    // also where the surface cuts it off and where it spans several pieces.
    void labelPixels_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<TRect>("board");
        QTest::addColumn<float>("checker");
        QTest::newRow("whole") << 400 << Rect(200, 100, 0, 0) << 150.f;
        QTest::newRow("cut at the left") << 400 << Rect(5, 100, 0, 0) << 150.f;
        QTest::newRow("cut above and below") << 400 << Rect(300, -400, 0, 0) << 1200.f;
        QTest::newRow("larger than a piece") << 1600 << Rect(810, -3050, 0, 0) << 7700.f;
    }
    void labelPixels() {
        QFETCH(int, size);
        QFETCH(TRect, board);
        QFETCH(float, checker);
        SheetInputs in = Inputs("10");
        in.checkerWidthPx = in.checkerHeightPx = checker;
        in.checkerHeightText = "12.5";
        Target t(size, size);
        DrawSizeCaption(*t.canvas, 1.0f, board, in);

        const CaptionLabels labels =
            BuildCaptionLabels(in.checkerWidthText, in.checkerHeightText, in.unitName);
        const QVector<QRect> cells =
            LabelCells(*t.canvas, board, in, ComputeCaptionMetrics(1.0f, in));
        int ink = 0;
        const auto compare = [&](const QRect& cell, const QImage& ref, bool turned) {
            for (int x = 0; x < cell.width(); ++x)
                for (int y = 0; y < cell.height(); ++y) {
                    const QPoint p = cell.topLeft() + QPoint(x, y);
                    if (!t.image.rect().contains(p))
                        continue;
                    const QRgb want = turned ? ref.pixel(ref.width() - 1 - y, x) : ref.pixel(x, y);
                    ink += want == kBlack;
                    if (t.at(p.x(), p.y()) != want)
                        return false;
                }
            return true;
        };
        const QImage horizontal = HorizontalLabel(*t.canvas, labels.width);
        QCOMPARE(cells[0].size(), horizontal.size());
        QVERIFY(compare(cells[0], horizontal, false));
        const QImage vertical = HorizontalLabel(*t.canvas, labels.height);
        QCOMPARE(cells[1].size(), vertical.size().transposed());
        QVERIFY(compare(cells[1], vertical, true));
        QVERIFY(ink > 0); // some text was visible
    }

    void notANumber_data() {
        QTest::addColumn<QString>("w");
        QTest::addColumn<QString>("h");
        QTest::newRow("empty width") << ""
                                     << "3";
        QTest::newRow("letters in height") << "3"
                                           << "3x";
        QTest::newRow("comma in a point locale") << "1,5"
                                                 << "3";
    }
    void notANumber() {
        QFETCH(QString, w);
        QFETCH(QString, h);
        SheetInputs in = Inputs("30");
        in.checkerWidthText = w;
        in.checkerHeightText = h;
        Target t(500, 500);
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 DrawSizeCaption(*t.canvas, 1.0f, Rect(200, 300, 0, 0), in));
        // The lines are there, and no label hides their middles.
        QCOMPARE(t.at(275, 270), kBlack);
        QCOMPARE(t.at(170, 360), kBlack);
        QCOMPARE(t.at(162, 308), kWhite); // a leg's end point is not painted
    }

    // A checker of 1e6 cm at 2400 dpi, and a font far taller than the surface:
    // the visible part is drawn without building the labels' full size.
    void huge_data() {
        QTest::addColumn<float>("checker");
        QTest::addColumn<TRect>("board");
        QTest::newRow("1e6 cm at 2400 dpi") << 1e6f * 2400 / 2.54f << Rect(100, 100, 0, 0);
        QTest::newRow("font above the page") << 150000.f << Rect(330, -74700, 0, 0);
    }
    void huge() {
        QFETCH(float, checker);
        QFETCH(TRect, board);
        SheetInputs in = Inputs("30");
        in.checkerWidthPx = in.checkerHeightPx = checker;
        Target t(600, 600);
        DrawSizeCaption(*t.canvas, 1.0f, board, in);
        int black = 0, white = 0;
        const Coord lineX = board.Left - 30;
        for (int y = 0; y < 600; ++y)
            (t.at(lineX, y) == kBlack ? black : white)++;
        if (board.Top > 0) {
            // The vertical line runs off the surface; its label is far below.
            QCOMPARE(black, 600 - 100);
            QCOMPARE(t.at(lineX - 50, 100 + 50), kBlack); // upper arrowhead, left leg
        } else {
            // The turned label covers the line with its white cell and text.
            QVERIFY(white > 0);
        }
    }

    void captionOff() {
        SheetInputs in = Inputs("30");
        in.frame = false;
        in.patternWidthPx = in.patternHeightPx = 300;
        in.columns = in.rows = 2;
        for (bool on : {false, true}) {
            in.sizeCaption = on;
            Target t(600, 600);
            DrawBoard(*t.canvas, 1.0f, 600, 600, in);
            const TRect b = BoardRect(1.0f, 600, 600, in);
            bool outside = false;
            for (int y = 0; y < 600; ++y)
                for (int x = 0; x < 600; ++x)
                    if ((x < b.Left || y < b.Top) && t.at(x, y) == kBlack)
                        outside = true;
            QCOMPARE(outside, on);
        }
    }
};

QTEST_MAIN(TestSizeCaption)
#include "tst_sizecaption.moc"
