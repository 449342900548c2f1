// SPDX-License-Identifier: MIT
// The AprilGrid as the tools read it: the tag codes against OpenCV's 36h11
// table and Kalibr's, and pages written by the command line, rasterised and
// searched by OpenCV's marker detector for every tag's ID, place, turn and side.
#include "support/PdfRaster.h"
#include "target/AprilTag36h11.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <opencv2/aruco.hpp>

namespace {

constexpr int kRasterDpi = 200;
constexpr double kDotsPerMm = kRasterDpi / 25.4;
const QSizeF kA4(210, 297);

cv::Ptr<cv::aruco::Dictionary> OpenCvTags() {
    return cv::aruco::getPredefinedDictionary(cv::aruco::DICT_APRILTAG_36h11);
}

} // namespace

class TestAprilGrid : public QObject {
    Q_OBJECT
private slots:
    void codes();
    void detectedTagByTag_data();
    void detectedTagByTag();
};

// Every data bit of every code against OpenCV's table, which holds each tag
// turned half round from the way libapriltag and Kalibr draw it. Kalibr's
// generator fills bit 6 (5 - i) + (5 - j) of its code at row i, column j:
// its table is the row-major codes, as its first ones show.
void TestAprilGrid::codes() {
    const AprilTag36h11& family = AprilTag36h11::Family();
    QCOMPARE(family.code(0), 0xd5d628584ull);
    QCOMPARE(family.code(1), 0xd97f18b49ull);
    const auto dictionary = OpenCvTags();
    QCOMPARE(family.count(), dictionary->bytesList.rows);
    const int n = AprilTag36h11::kDataBits;
    for (int id = 0; id < family.count(); ++id) {
        const cv::Mat bits = cv::aruco::Dictionary::getBitsFromByteList(
            dictionary->bytesList.rowRange(id, id + 1), n);
        for (int bit = 0; bit < n * n; ++bit)
            QVERIFY2(family.white(id, bit / n, bit % n) ==
                         (bits.at<uchar>(n - 1 - bit / n, n - 1 - bit % n) != 0),
                     qPrintable(QStringLiteral("tag %1 bit %2").arg(id).arg(bit)));
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
    const QString file = dir.filePath(QStringLiteral("grid.pdf"));
    QProcess quadrix;
    quadrix.start(QStringLiteral(QUADRIX_EXE),
                  QStringLiteral("--paper A4 --no-frame --no-caption --target aprilgrid "
                                 "--columns %1 --rows %2 --checker %3mm --tag-spacing %4 "
                                 "--first-id %5 --output")
                          .arg(columns)
                          .arg(rows)
                          .arg(pitchMm)
                          .arg(spacing)
                          .arg(firstId)
                          .split(u' ')
                      << file);
    QVERIFY(quadrix.waitForFinished(60000) && quadrix.exitCode() == 0);
    const QImage page = PdfRaster::Render(file, kRasterDpi);
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

    const double pitch = pitchMm * kDotsPerMm;
    const double left = (kA4.width() * kDotsPerMm - columns * pitch) / 2;
    const double top = (kA4.height() * kDotsPerMm - rows * pitch) / 2;
    QSet<int> seen;
    for (size_t k = 0; k < ids.size(); ++k) {
        const int n = ids[k] - firstId;
        QVERIFY(n >= 0 && n < columns * rows && !seen.contains(n));
        seen.insert(n);
        const std::vector<cv::Point2f>& c = corners[k];
        const cv::Point2f centre = (c[0] + c[1] + c[2] + c[3]) / 4;
        QVERIFY(std::abs(centre.x - (left + (n % columns + 0.5) * pitch)) < 1.5);
        QVERIFY(std::abs(centre.y - (top + (rows - 1 - n / columns + 0.5) * pitch)) < 1.5);
        QVERIFY(c[0].x > centre.x && c[0].y > centre.y);
        const double side = (cv::norm(c[1] - c[0]) + cv::norm(c[2] - c[1]) + cv::norm(c[3] - c[2]) +
                             cv::norm(c[0] - c[3])) /
                            4;
        QVERIFY2(std::abs(side / (pitch / (1 + spacing)) - 1) < 0.01,
                 qPrintable(QString::number(side)));
    }
}

QTEST_GUILESS_MAIN(TestAprilGrid)
#include "tst_aprilgrid.moc"
