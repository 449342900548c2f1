// SPDX-License-Identifier: MIT
// The targets other than the checkerboard: the marker table against OpenCV,
// bit for bit; and every
// kind as the command line writes it (PDF and SVG read back at 200 dpi, PNG
// at a phone's 460 ppi as written) by OpenCV's own detectors, found whole
// with the pitch within 0.3 % of nominal.

#include "cli/CommandLineParser.h"
#include "model/Units.h"
#include "support/Detectors.h"
#include "support/PdfRaster.h"
#include "targets/MarkerDictionary.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <opencv2/aruco/dictionary.hpp>

Q_DECLARE_METATYPE(TargetKind)

namespace {

constexpr int kDpi = 200;
constexpr double kPixelsPerMm = kDpi / 25.4;
constexpr double kPitchTolerance = 0.003;
constexpr double kMaxErrorPx = 1.0;
const QRect kA4Page(0, 0, 1654, 2339); // at kDpi

// OpenCV's dictionary of the program's number `index`: OpenCV's order up to
// DICT_ARUCO_ORIGINAL, then DICT_APRILTAG_36h11.
cv::Ptr<cv::aruco::Dictionary> OpenCvDictionary(int index) {
    return cv::aruco::getPredefinedDictionary(
        index <= cv::aruco::DICT_ARUCO_ORIGINAL ? index : cv::aruco::DICT_APRILTAG_36h11);
}

} // namespace

class TestTargets : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Each code as OpenCV draws the marker, one pixel per bit inside a one-bit border.
    void codes() {
        const QStringList names = DictionaryNames();
        QCOMPARE(names.size(), 18); // every one offered, none missing
        for (int i = 0; i < names.size(); ++i) {
            const MarkerDictionary* ours = FindDictionary(names[i]);
            const auto theirs = OpenCvDictionary(i);
            QCOMPARE(ours->count, theirs->bytesList.rows); // and sizes, by the images below
            const int n = ours->markerBits;
            cv::Mat image, mine(n + 2, n + 2, CV_8UC1, cv::Scalar(0));
            for (int id = 0; id < ours->count; ++id) {
                theirs->drawMarker(id, n + 2, image, 1);
                for (int bit = 0; bit < n * n; ++bit)
                    mine.at<uchar>(bit / n + 1, bit % n + 1) =
                        ours->bit(id, bit / n, bit % n) * 255;
                QVERIFY2(cv::countNonZero(mine != image) == 0, qPrintable(names[i]));
            }
        }
    }

    // A mark finer than a printer pixel is drawn as no detector can read it:
    // the report warns, naming its size in printer pixels.
    void finestMark_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("warned"); // empty: no warning
        QTest::newRow("6x6 markers: 8 bits in 3/4 of 8 px") << "--target charuco --checker 8px"
                                                            << "is 0.75 printer pixels";
        QTest::newRow("6x6 markers at 1.03 px a bit") << "--target charuco --checker 11px"
                                                      << "";
        QTest::newRow("AprilGrid: a tenth of the tag") << "--target aprilgrid --checker 6.5px"
                                                       << "is 0.5 printer pixels";
        QTest::newRow("circles") << "--target circles --diameter 0.1 --checker 5px"
                                 << "is 0.5 printer pixels";
    }
    void finestMark() {
        QFETCH(QString, args);
        QFETCH(QString, warned);
        QProcess run;
        run.start(QUADRIX_EXE, args.split(' ') << "--paper"
                                               << "A4"
                                               << "--output" << dir.filePath("fine.pdf"));
        QVERIFY(run.waitForFinished() && run.exitCode() == 0);
        const QString report = run.readAllStandardOutput();
        QVERIFY2(warned.isEmpty() ? !report.contains("finest mark") : report.contains(warned),
                 qPrintable(report));
    }

    void detected_data() {
        QTest::addColumn<TargetKind>("kind");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QSizeF>("cellMm");
        QTest::addColumn<QString>("charuco"); // the dictionary
        QTest::addColumn<QString>("file");    // on A4 (PDF, SVG) or a phone's screen (PNG)
        QTest::addColumn<QString>("given");   // size options instead of --checker
        using K = TargetKind;
        // The cells square where the card gives one length: pitch across = pitch
        // down. A phone's screen: PNG at 460 ppi, where a cell's whole pixels are
        // up to 0.5 px off its nominal size (7 mm is 126.77 px, drawn as 127:
        // 0.18 %); circles small enough for the blob detector.
        const struct {
            const char* name;
            K kind;
            int columns, rows;
            double cellMm;
            const char *charuco, *file, *given;
        } rows[] = {
            {"checkerboard 9 x 7", K::Checkerboard, 9, 7, 20, "", "target.pdf", ""},
            {"ChArUco 10 x 14", K::Charuco, 10, 14, 14, "DICT_6X6_250", "target.pdf", ""},
            {"circles 7 x 6", K::Circles, 7, 6, 15, "", "target.svg", ""},
            {"asymmetric circles 4 x 11", K::AsymmetricCircles, 4, 11, 15, "", "target.pdf", ""},
            {"ChArUco 5 x 7, counts alone: 3 cm squares", K::Charuco, 5, 7, 30, "DICT_6X6_250",
             "target.pdf", "--paper A4"},
            {"asymmetric 4 x 11 in a 12 x 15 cm board: the largest square", K::AsymmetricCircles, 4,
             11, 150 / 11.0, "", "target.svg", "--board 12x15cm"},
            {"phone: checkerboard 6 x 9", K::Checkerboard, 6, 9, 9, "", "phone.png", ""},
            {"phone: ChArUco 5 x 7", K::Charuco, 5, 7, 10, "DICT_4X4_50", "phone.png", ""},
            {"phone: asymmetric circles 4 x 9", K::AsymmetricCircles, 4, 9, 7, "", "phone.png", ""},
            {"phone: AprilGrid 4 x 6", K::AprilGrid, 4, 6, 12, "", "phone.png", ""}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.kind << r.columns << r.rows << QSizeF(r.cellMm, r.cellMm)
                                  << QString(r.charuco) << QString(r.file) << QString(r.given);
    }
    void detected() {
        QFETCH(TargetKind, kind);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QSizeF, cellMm);
        QFETCH(QString, charuco);
        QFETCH(QString, file);
        QFETCH(QString, given);
        constexpr int kFirstId = 7;
        constexpr int kPhonePpi = 460;
        const bool png = file.endsWith(".png");
        file = dir.filePath(file);
        BoardOptions board; // written as the window's Copy command line writes it
        board.columns = columns;
        board.rows = rows;
        if (given.isEmpty())
            board.checker = SizeOption{cellMm.width() / 10, cellMm.height() / 10, kUnitCm};
        board.target = {kind, charuco, TargetOptions().markerFraction, false, kFirstId};
        const QStringList page =
            png ? QStringList{"--paper", "70x150mm", "--resolution", QString::number(kPhonePpi)}
                : QStringList{"--paper", "A4"};
        const QStringList args = BoardArguments(board)
                                 << page << given.split(' ', Qt::SkipEmptyParts) << "--output"
                                 << file;
        QCOMPARE(QProcess::execute(QStringLiteral(QUADRIX_EXE), args), 0);
        const QImage image = png ? QImage(file).convertToFormat(QImage::Format_Grayscale8)
                                 : PdfRaster::Render(file, kDpi, kA4Page);
        const double pixelsPerMm = png ? kPhonePpi / 25.4 : kPixelsPerMm;

        Detection found, markers;
        std::vector<cv::Point2f> object; // nominal positions in mm, in the detector's order
        const auto cell = [&](double x, double y) {
            object.emplace_back(float(x * cellMm.width()), float(y * cellMm.height()));
        };
        if (kind == TargetKind::AprilGrid) { // tag n counted from the bottom-left
            FindMarkers(image, OpenCvDictionary(cv::aruco::DICT_APRILTAG_36h11), 2, found);
            QCOMPARE(int(found.ids.size()), columns * rows);
            for (int id : found.ids)
                cell((id - kFirstId) % columns + 0.5, rows - 0.5 - (id - kFirstId) / columns);
        } else if (kind == TargetKind::Charuco) {
            const int dictionary = int(DictionaryNames().indexOf(board.target.dictionary));
            FindCharuco(image, cv::Size(columns, rows), OpenCvDictionary(dictionary),
                        TargetOptions().markerFraction, kFirstId, markers, found);
            QCOMPARE(int(markers.ids.size()), columns * rows / 2);
            QCOMPARE(int(found.ids.size()), (columns - 1) * (rows - 1));
            for (int id : found.ids)
                cell(id % (columns - 1) + 1, id / (columns - 1) + 1);
        } else {
            // Inner corners, or OpenCV's object points ((2j + i mod 2) s, i s), s the checker.
            const int inner = kind == TargetKind::Checkerboard ? 1 : 0;
            const bool asymmetric = kind == TargetKind::AsymmetricCircles;
            QVERIFY(FindGrid(image, kind, cv::Size(columns - inner, rows - inner), found));
            for (int i = inner; i < rows; ++i)
                for (int j = inner; j < columns; ++j)
                    cell(asymmetric ? 2 * j + i % 2 : j, i);
        }
        QVERIFY(FitGrid(found.points, object, kMaxErrorPx, pixelsPerMm, kPitchTolerance));
    }
};

QTEST_GUILESS_MAIN(TestTargets)
#include "tst_targets.moc"
