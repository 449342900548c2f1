// SPDX-License-Identifier: MIT
// The AprilGrid as a calibration tool reads it: the tag codes against OpenCV's
// own 36h11 dictionary, the tags' bits against Kalibr's drawing rule, and
// whole pages written by the command line, rasterised and searched by
// OpenCV's marker detector for every tag's ID, place, turn and side.
#include "support/PdfRaster.h"
#include "target/AprilTag36h11.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <opencv2/aruco.hpp>
#include <opencv2/imgproc.hpp>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;
constexpr int kRasterDpi = 200;

cv::Ptr<cv::aruco::Dictionary> OpenCvTags() {
    return cv::aruco::getPredefinedDictionary(cv::aruco::DICT_APRILTAG_36h11);
}

// Writes an A4 page with no margins, frame or caption; the raster or null.
QImage Page(const QTemporaryDir& dir, const QStringList& board) {
    const QString file = dir.filePath(QStringLiteral("grid.pdf"));
    QProcess p;
    p.start(QStringLiteral(QUADRIX_EXE),
            QStringList{QStringLiteral("--paper"), QStringLiteral("A4"),
                        QStringLiteral("--no-frame"), QStringLiteral("--no-caption"),
                        QStringLiteral("--output"), file}
                << board);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return PdfRaster::Render(file, kRasterDpi);
}

} // namespace

class TestAprilGrid : public QObject {
    Q_OBJECT
private slots:
    void codesAreOpenCvs();
    void bitsFollowKalibr_data();
    void bitsFollowKalibr();
    void detectedTagByTag_data();
    void detectedTagByTag();
};

// Every data bit of every code against OpenCV's table, which holds each tag
// turned half round from the way libapriltag and Kalibr draw it.
void TestAprilGrid::codesAreOpenCvs() {
    const AprilTag36h11& family = AprilTag36h11::Family();
    const auto dictionary = OpenCvTags();
    QCOMPARE(family.count(), dictionary->bytesList.rows);
    const int n = AprilTag36h11::kDataBits;
    for (int id = 0; id < family.count(); ++id) {
        const cv::Mat bits = cv::aruco::Dictionary::getBitsFromByteList(
            dictionary->bytesList.rowRange(id, id + 1), AprilTag36h11::kDataBits);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                if (family.white(id, r, c) != (bits.at<uchar>(n - 1 - r, n - 1 - c) != 0))
                    QFAIL(qPrintable(QStringLiteral("tag %1 bit %2,%3").arg(id).arg(r).arg(c)));
    }
}

// Kalibr's generator fills the data bit at row i, column j (from the top
// left) black when bit 6 (5 - i) + (5 - j) of its code is clear: its codes
// turned half round. Its table's codes for the first tags stand here as
// printed in its generator.
void TestAprilGrid::bitsFollowKalibr_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<qulonglong>("kalibrCode");
    QTest::newRow("tag 0") << 0 << qulonglong(0xd5d628584);
    QTest::newRow("tag 1") << 1 << qulonglong(0xd97f18b49);
    QTest::newRow("tag 5") << 5 << qulonglong(0xf31dab3ac);
}

void TestAprilGrid::bitsFollowKalibr() {
    QFETCH(int, id);
    QFETCH(qulonglong, kalibrCode);
    const int n = AprilTag36h11::kDataBits;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const bool black = !(kalibrCode & (1ull << (n * (n - 1 - i) + (n - 1 - j))));
            QCOMPARE(AprilTag36h11::Family().white(id, i, j), !black);
        }
}

void TestAprilGrid::detectedTagByTag_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("pitchMm");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<int>("firstId");
    QTest::newRow("Kalibr's default spacing") << 6 << 7 << 26.0 << 0.3 << 0;
    QTest::newRow("wide, close tags, first ID 100") << 8 << 5 << 23.3 << 0.1 << 100;
    QTest::newRow("last IDs of the family") << 3 << 2 << 41.7 << 0.75 << 581;
}

// Each tag is found once, its centre in its cell counted from the bottom-left,
// turned as Kalibr draws it (OpenCV's first corner at the bottom-right), its
// side the pitch over 1 + spacing.
void TestAprilGrid::detectedTagByTag() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(double, pitchMm);
    QFETCH(double, spacing);
    QFETCH(int, firstId);
    QTemporaryDir dir;
    const QImage page = Page(
        dir, {QStringLiteral("--target"), QStringLiteral("aprilgrid"), QStringLiteral("--columns"),
              QString::number(columns), QStringLiteral("--rows"), QString::number(rows),
              QStringLiteral("--checker"), QString::number(pitchMm) + QStringLiteral("mm"),
              QStringLiteral("--tag-spacing"), QString::number(spacing),
              QStringLiteral("--first-id"), QString::number(firstId)});
    QVERIFY(!page.isNull());
    const cv::Mat image(page.height(), page.width(), CV_8UC1, const_cast<uchar*>(page.constBits()),
                        size_t(page.bytesPerLine()));
    std::vector<std::vector<cv::Point2f>> corners;
    std::vector<int> ids;
    const auto parameters = cv::aruco::DetectorParameters::create();
    parameters->markerBorderBits = 2;
    parameters->cornerRefinementMethod = cv::aruco::CORNER_REFINE_SUBPIX;
    cv::aruco::detectMarkers(image, OpenCvTags(), corners, ids, parameters);
    QCOMPARE(int(ids.size()), columns * rows);

    const double px = kRasterDpi / kMmPerInch;
    const double pitch = pitchMm * px;
    const double left = (kA4WidthMm * px - columns * pitch) / 2;
    const double top = (kA4HeightMm * px - rows * pitch) / 2;
    const double side = pitch / (1 + spacing);
    QSet<int> seen;
    for (size_t k = 0; k < ids.size(); ++k) {
        const int n = ids[k] - firstId;
        QVERIFY2(n >= 0 && n < columns * rows && !seen.contains(n),
                 qPrintable(QString::number(ids[k])));
        seen.insert(n);
        const int j = n % columns;
        const int i = rows - 1 - n / columns;
        const std::vector<cv::Point2f>& c = corners[k];
        const cv::Point2f centre = (c[0] + c[1] + c[2] + c[3]) / 4;
        QVERIFY2(
            std::abs(centre.x - (left + (j + 0.5) * pitch)) < 1.5 &&
                std::abs(centre.y - (top + (i + 0.5) * pitch)) < 1.5,
            qPrintable(QStringLiteral("tag %1 at %2,%3").arg(ids[k]).arg(centre.x).arg(centre.y)));
        QVERIFY(c[0].x > centre.x && c[0].y > centre.y);
        const double measured = (cv::norm(c[1] - c[0]) + cv::norm(c[2] - c[1]) +
                                 cv::norm(c[3] - c[2]) + cv::norm(c[0] - c[3])) /
                                4;
        QVERIFY2(std::abs(measured / side - 1) < 0.01,
                 qPrintable(QString::number(measured / side)));
    }
}

QTEST_GUILESS_MAIN(TestAprilGrid)
#include "tst_aprilgrid.moc"
