#include "model/ConversionError.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/PreviewGeometry.h"

#include <QPainter>
#include <QtTest>
#include <climits>
#include <limits>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr int kImgWidth = 303;
constexpr int kImgHeight = 354;

// 5 x 6 checkers of 3 cm at 600 dpi, centred, frame 0.6 cm away.
SheetInputs sheet() {
    SheetInputs in;
    in.frameDistanceText = QStringLiteral("0.6");
    in.dpiX = in.dpiY = 600;
    in.checkerWidthPx = in.checkerHeightPx = 708.66144f;
    in.patternWidthPx = 5 * 708.66144f;
    in.patternHeightPx = 6 * 708.66144f;
    in.columns = 5;
    in.rows = 6;
    in.sizeCaption = false;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("3");
    in.unitName = QStringLiteral("cm");
    return in;
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void fitsFourTimesTheControl_data();
    void fitsFourTimesTheControl();
    void scaleOutOfRange_data();
    void scaleOutOfRange();
    void rebuildDrawsThePage();
    void rebuildReusesAndClears();
    void drawingErrorKeepsTheWhitePage();
};

void TestPreview::sizes_data() {
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QSize>("bitmap");
    QTest::newRow("portrait") << 4800 << 6600 << 0.21454546f << QSize(1029, 1416);
    QTest::newRow("landscape") << 6600 << 4800 << 0.18363637f << QSize(1212, 881);
    QTest::newRow("one pixel") << 1 << 1 << 1212.0f << QSize(1212, 1212);
    QTest::newRow("no page") << 0 << 6600 << 0.0f << QSize(0, 0);
    QTest::newRow("negative page") << -4800 << -6600 << 0.0f << QSize(0, 0);
}

void TestPreview::sizes() {
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(float, scale);
    QFETCH(QSize, bitmap);
    const float s = PreviewScale(kImgWidth, kImgHeight, pageWidth, pageHeight);
    QCOMPARE(s, scale);
    QCOMPARE(PreviewBitmapSize(s, pageWidth, pageHeight), bitmap);
    QImage image(5, 5, QImage::Format_RGB32);
    RebuildPreview(image, kImgWidth, kImgHeight, pageWidth, pageHeight, sheet());
    QCOMPARE(image.size(), bitmap);
}

void TestPreview::fitsFourTimesTheControl_data() {
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::newRow("a strip") << 1000000000 << 1;
    QTest::newRow("a column") << 3 << INT_MAX;
    QTest::newRow("largest") << INT_MAX << INT_MAX;
    QTest::newRow("7 x 13") << 7 << 13;
    QTest::newRow("letter at 1200 dpi") << 9600 << 12600;
}

// The limiting side reaches four times the control (up to a pixel of
// rounding), and neither side goes beyond it.
void TestPreview::fitsFourTimesTheControl() {
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QImage image;
    RebuildPreview(image, kImgWidth, kImgHeight, pageWidth, pageHeight, sheet());
    const QSize size = PreviewBitmapSize(PreviewScale(kImgWidth, kImgHeight, pageWidth, pageHeight),
                                         pageWidth, pageHeight);
    QVERIFY(size.width() <= 4 * kImgWidth && size.height() <= 4 * kImgHeight);
    QVERIFY(size.width() >= 4 * kImgWidth - 1 || size.height() >= 4 * kImgHeight - 1);
    QCOMPARE(image.size(), size.isEmpty() ? QSize(0, 0) : size);
}

void TestPreview::scaleOutOfRange_data() {
    QTest::addColumn<float>("scale");
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("infinite") << std::numeric_limits<float>::infinity();
    QTest::newRow("negative") << -0.5f;
    QTest::newRow("zero") << 0.0f;
}

void TestPreview::scaleOutOfRange() {
    QFETCH(float, scale);
    QVERIFY(PreviewBitmapSize(scale, 4800, 6600).isEmpty());
}

// The preview is the page drawn at the preview scale on white.
void TestPreview::rebuildDrawsThePage() {
    const SheetInputs in = sheet();
    QImage preview;
    RebuildPreview(preview, kImgWidth, kImgHeight, 4800, 6600, in);
    QCOMPARE(preview.size(), QSize(1029, 1416));

    QImage expected(preview.size(), QImage::Format_RGB32);
    expected.fill(kWhite);
    QPainter painter(&expected);
    Canvas canvas(painter, expected, expected.width(), expected.height());
    DrawBoard(canvas, 0.21454546f, expected.width(), expected.height(), in);
    painter.end();
    QCOMPARE(preview, expected);

    const TRect board = BoardRect(0.21454546f, 1029, 1416, in);
    QCOMPARE(preview.pixel(int(board.Left), int(board.Top)), kBlack);
}

void TestPreview::rebuildReusesAndClears() {
    SheetInputs in = sheet();
    QImage preview;
    RebuildPreview(preview, kImgWidth, kImgHeight, 4800, 6600, in);
    const uchar* memory = preview.constBits();
    const TRect board = BoardRect(0.21454546f, 1029, 1416, in);

    in.columns = in.rows = 0; // nothing but the frame left to draw
    RebuildPreview(preview, kImgWidth, kImgHeight, 4800, 6600, in);
    QCOMPARE(preview.constBits(), memory);
    QCOMPARE(preview.pixel(int(board.Left), int(board.Top)), kWhite);
}

// A checker text that is not a number stops the drawing after the caption's
// lines: the page is white where the checkers would be.
void TestPreview::drawingErrorKeepsTheWhitePage() {
    SheetInputs in = sheet();
    in.sizeCaption = true;
    in.checkerHeightText = QStringLiteral("3,5");
    QImage preview(1029, 1416, QImage::Format_RGB32);
    preview.fill(kBlack);
    QVERIFY_THROWS_EXCEPTION(ConversionError,
                             RebuildPreview(preview, kImgWidth, kImgHeight, 4800, 6600, in));
    const TRect board = BoardRect(0.21454546f, 1029, 1416, in);
    QCOMPARE(preview.pixel(int(board.Left) + 20, int(board.Top) + 20), kWhite);
    QCOMPARE(preview.pixel(1028, 1415), kWhite);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
