#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/PreviewGeometry.h"

#include <QPainter>
#include <QtTest>

class TestPreview : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
};

void TestPreview::sizes_data() {
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QSize>("bitmap");
    QTest::newRow("portrait") << 4800 << 6600 << 0.21454546f << QSize(1029, 1416);
    QTest::newRow("landscape") << 6600 << 4800 << 0.18363637f << QSize(1212, 881);
    QTest::newRow("no page") << 0 << 6600 << 0.0f << QSize(0, 0);
    QTest::newRow("negative page") << -4800 << -6600 << 0.0f << QSize(0, 0);
}

// A 303 x 354 image control: the preview is the page drawn on white at the
// scale that fits it four times over; no page gives an empty bitmap.
void TestPreview::sizes() {
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(float, scale);
    QFETCH(QSize, bitmap);
    SheetInputs in; // 5 x 6 checkers of 3 cm at 600 dpi, centred, frame 0.6 cm away
    in.frameDistanceText = QStringLiteral("0.6");
    in.dpiX = in.dpiY = 600;
    in.checkerWidthPx = in.checkerHeightPx = 708.66144f;
    in.patternWidthPx = 5 * 708.66144f;
    in.patternHeightPx = 6 * 708.66144f;
    in.columns = 5;
    in.rows = 6;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("3");
    in.unitName = QStringLiteral("cm");

    const float s = PreviewScale(303, 354, pageWidth, pageHeight);
    QCOMPARE(s, scale);
    QCOMPARE(PreviewBitmapSize(s, pageWidth, pageHeight), bitmap);
    QImage preview(5, 5, QImage::Format_RGB32);
    RebuildPreview(preview, 303, 354, pageWidth, pageHeight, in);
    QCOMPARE(preview.size(), bitmap);

    QImage expected(bitmap, QImage::Format_RGB32);
    if (!bitmap.isEmpty()) {
        expected.fill(Qt::white);
        QPainter painter(&expected);
        Canvas canvas(painter, expected, bitmap.width(), bitmap.height());
        DrawBoard(canvas, scale, bitmap.width(), bitmap.height(), in);
    }
    QCOMPARE(preview, expected);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
