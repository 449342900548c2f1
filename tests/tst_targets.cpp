// SPDX-License-Identifier: MIT
// The targets other than the checkerboard: the marker table against OpenCV,
// bit for bit; and every
// kind as the command line writes it (PDF and SVG read back at 200 dpi, PNG
// at a phone's 460 ppi as written) by OpenCV's own detectors, found whole
// with the pitch within 0.3 % of nominal; and tiled over sheets, assembled by
// their printed marks.

#include "cli/CommandLineParser.h"
#include "model/Units.h"
#include "support/Detectors.h"
#include "support/PdfRaster.h"
#include "targets/MarkerDictionary.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <opencv2/aruco/dictionary.hpp>
#include <opencv2/imgproc.hpp>

Q_DECLARE_METATYPE(TargetKind)

namespace {

constexpr int kDpi = 200;
constexpr double kPixelsPerMm = kDpi / 25.4;
constexpr double kPitchTolerance = 0.003;
constexpr double kMaxErrorPx = 1.0;
constexpr double kTiledPitchTolerance = 0.001;
constexpr int kCrossPx = 39;           // an alignment cross, 5 mm at kDpi
const QRect kA4Page(0, 0, 1654, 2339); // at kDpi
const QSize kA6(827, 1165);

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
        checkDetected(image, kind, columns, rows, charuco, kFirstId, cellMm, pixelsPerMm,
                      kPitchTolerance);
    }

    // A board larger than the paper over sheets of A6: each sheet's crosses
    // found by their shape, the sheets cut at them and laid on them as a
    // person does, and OpenCV finds the whole board in the assembly at its
    // pitch (the scale correction's, when one is set) within 0.1 %; every
    // cell is whole on some sheet, and past each seam the sheet before prints
    // what the sheet after does.
    void tiled_data() {
        QTest::addColumn<TargetKind>("kind");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cellPx");  // at 200 dpi, so that every edge is a whole pixel
        QTest::addColumn<int>("shapePx"); // a square, marker, circle or tag across
        QTest::addColumn<int>("shapes");  // how many of them the board holds
        QTest::addColumn<QString>("charuco");
        QTest::addColumn<QSizeF>("scale"); // --scale, across and down: whole pixels of a cell
        using K = TargetKind;
        const QSizeF one(1, 1);
        QTest::newRow("checkerboard 9 x 9, scaled 102.5 x 97.5")
            << K::Checkerboard << 9 << 9 << 120 << 120 << 41 << "" << QSizeF(1.025, 0.975);
        QTest::newRow("ChArUco 9 x 8")
            << K::Charuco << 9 << 8 << 120 << 90 << 36 << "DICT_6X6_250" << one;
        QTest::newRow("circles 9 x 10") << K::Circles << 9 << 10 << 100 << 50 << 90 << "" << one;
        QTest::newRow("asymmetric circles 5 x 11")
            << K::AsymmetricCircles << 5 << 11 << 90 << 45 << 55 << "" << one;
        QTest::newRow("AprilGrid 5 x 7") << K::AprilGrid << 5 << 7 << 150 << 115 << 35 << "" << one;
    }
    void tiled() {
        QFETCH(TargetKind, kind);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, cellPx);
        QFETCH(int, shapePx);
        QFETCH(int, shapes);
        QFETCH(QString, charuco);
        QFETCH(QSizeF, scale);
        constexpr int kFirstId = 7;
        const QString file = dir.filePath("tiled.pdf");
        BoardOptions board;
        board.columns = columns;
        board.rows = rows;
        // In inches, as a printer pixel is never scaled.
        board.checker = SizeOption{double(cellPx) / kDpi, double(cellPx) / kDpi, kUnitInches};
        board.target = {kind, charuco, TargetOptions().markerFraction, false, kFirstId};
        QProcess run;
        const QString page = QString("--paper A6 --resolution %1 --scale %2x%3 --tile --output ")
                                 .arg(kDpi)
                                 .arg(scale.width() * 100)
                                 .arg(scale.height() * 100);
        run.start(QUADRIX_EXE, BoardArguments(board) << (page + file).split(' '));
        QVERIFY(run.waitForFinished() && run.exitCode() == 0);
        const QString report = run.readAllStandardOutput();
        const auto grid =
            QRegularExpression("Tiled: \\d+ sheets of A6, (\\d+) across × (\\d+) down")
                .match(report);
        QVERIFY2(grid.hasMatch(), qPrintable(report));
        const int across = grid.captured(1).toInt();
        const int down = grid.captured(2).toInt();
        QVERIFY(across > 1 && down > 1); // seams both ways
        QCOMPARE(PdfRaster::PageCount(file), across * down + 1);

        // Each sheet's seams by its crosses: those in the top or bottom row of
        // crosses mark seams down the board, the others seams across it; a
        // seam is where its two crosses meet (seam[k][0..3]: left, right, top, bottom).
        const int n = across * down;
        std::vector<QImage> sheets(n);
        std::vector<std::array<QPointF, 4>> seam(n);
        std::vector<QPoint> at(n); // each sheet's place in the assembly
        for (int k = 0; k < n; ++k) {
            const int c = k % across, r = k / across;
            sheets[k] = PdfRaster::Render(file, kDpi, {}, false, k + 2);
            const std::vector<QPointF> crosses = Shapes(sheets[k], kCrossPx, true);
            const auto [high, low] = std::minmax_element(
                crosses.begin(), crosses.end(), [](auto a, auto b) { return a.y() < b.y(); });
            std::array<int, 4> count{};
            for (const QPointF& p : crosses) {
                const bool down_ = p.y() < high->y() + 2 || p.y() > low->y() - 2;
                const bool after = down_ ? (c == 0 || (c < across - 1 && p.x() > kA6.width() / 2))
                                         : (r == 0 || (r < down - 1 && p.y() > kA6.height() / 2));
                const int side = (down_ ? 0 : 2) + (after ? 1 : 0);
                seam[k][side] += p / 2;
                ++count[side];
            }
            QCOMPARE(count, (std::array<int, 4>{c > 0 ? 2 : 0, c < across - 1 ? 2 : 0,
                                                r > 0 ? 2 : 0, r < down - 1 ? 2 : 0}));
            if (k > 0) {
                const int before = c > 0 ? k - 1 : k - across; // the sheet it is laid on
                at[k] =
                    at[before] + (seam[before][c > 0 ? 1 : 3] - seam[k][c > 0 ? 0 : 2]).toPoint();
            }
            if (c > 0 && r > 0) // laid on the sheet above, it lands on the same place
                QCOMPARE(at[k - across] + (seam[k - across][3] - seam[k][2]).toPoint(), at[k]);
            for (const bool across_ : {true, false}) { // the overlap strips it is laid on
                if (across_ ? c == 0 : r == 0)
                    continue;
                const int before = across_ ? k - 1 : k - across;
                const QPoint s = seam[before][across_ ? 1 : 3].toPoint() + QPoint(2, 2);
                const QRect strip = across_ ? QRect(s.x(), s.y() - cellPx, kCrossPx, 2 * cellPx)
                                            : QRect(s.x() - cellPx, s.y(), 2 * cellPx, kCrossPx);
                const int printed = Dark(sheets[before].copy(strip));
                const int next = Dark(sheets[k].copy(strip.translated(at[before] - at[k])));
                QVERIFY2(
                    printed > strip.width() * strip.height() / 20 &&
                        std::abs(printed - next) < strip.width() * strip.height() / 50,
                    qPrintable(QString("sheet %1: %2, %3 dark").arg(k).arg(printed).arg(next)));
            }
        }
        QImage assembly(QSize(at[n - 1].x(), at[n - 1].y()) + sheets[n - 1].size(),
                        QImage::Format_Grayscale8);
        assembly.fill(Qt::white);
        std::vector<QPointF> whole; // each shape whole on a sheet, in the assembly
        QPainter painter(&assembly);
        for (int k = 0; k < n; ++k) {
            const int c = k % across, r = k / across;
            const QRect cut(
                QPoint(c > 0 ? qRound(seam[k][0].x()) : 0, r > 0 ? qRound(seam[k][2].y()) : 0),
                QPoint(c < across - 1 ? qRound(seam[k][1].x()) - 1 : sheets[k].width(),
                       r < down - 1 ? qRound(seam[k][3].y()) - 1 : sheets[k].height()));
            painter.drawImage(at[k] + cut.topLeft(), sheets[k], cut);
            for (const QPointF& p : Whole(sheets[k], kind, shapePx))
                if (std::none_of(whole.begin(), whole.end(), [&](QPointF q) {
                        return (q - p - at[k]).manhattanLength() < shapePx / 2;
                    }))
                    whole.push_back(p + at[k]);
        }
        painter.end();
        QCOMPARE(int(whole.size()), shapes);
        checkDetected(assembly, kind, columns, rows, charuco, kFirstId, scale, cellPx,
                      kTiledPitchTolerance);
    }

private:
    // The centres of the dark shapes (4-connected) of size px across and
    // down (within 3 px): crosses (thin) or solid shapes (more than half
    // their box dark).
    static std::vector<QPointF> Shapes(const QImage& grey, int px, bool cross) {
        constexpr int kSlackPx = 3;
        cv::Mat dark, labels, stats, centres;
        cv::threshold(GreyMat(grey), dark, 127, 255, cv::THRESH_BINARY_INV);
        std::vector<QPointF> found;
        for (int i = 1, n = cv::connectedComponentsWithStats(dark, labels, stats, centres, 4);
             i < n; ++i) {
            const int w = stats.at<int>(i, cv::CC_STAT_WIDTH),
                      h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
            const double fill = stats.at<int>(i, cv::CC_STAT_AREA) / double(w * h);
            if (std::abs(w - px) <= kSlackPx && std::abs(h - px) <= kSlackPx &&
                (cross ? fill < 0.3 : fill > 0.5))
                found.emplace_back(centres.at<double>(i, 0), centres.at<double>(i, 1));
        }
        return found;
    }

    static int Dark(const QImage& grey) { return cv::countNonZero(GreyMat(grey) < 128); }

    // The shapes whole on a sheet: solid ones by their size, AprilGrid's tags
    // (which touch their corner squares) by OpenCV's detector.
    static std::vector<QPointF> Whole(const QImage& sheet, TargetKind kind, int px) {
        if (kind != TargetKind::AprilGrid)
            return Shapes(sheet, px, false);
        Detection tags;
        FindMarkers(sheet, OpenCvDictionary(cv::aruco::DICT_APRILTAG_36h11), 2, tags);
        std::vector<QPointF> centres;
        for (const cv::Point2f& p : tags.points)
            centres.emplace_back(p.x, p.y);
        return centres;
    }

    // OpenCV finds the board in image whole, every point within kMaxErrorPx
    // of a grid of cells cell (in the object's units) at scale pixels a
    // unit, within tolerance.
    void checkDetected(const QImage& image, TargetKind kind, int columns, int rows,
                       const QString& charuco, int firstId, QSizeF cell, double scale,
                       double tolerance) {
        Detection found, markers;
        std::vector<cv::Point2f> object; // nominal positions, in the detector's order
        const auto at = [&](double x, double y) {
            object.emplace_back(float(x * cell.width()), float(y * cell.height()));
        };
        if (kind == TargetKind::AprilGrid) { // tag n counted from the bottom-left
            FindMarkers(image, OpenCvDictionary(cv::aruco::DICT_APRILTAG_36h11), 2, found);
            QCOMPARE(int(found.ids.size()), columns * rows);
            for (int id : found.ids)
                at((id - firstId) % columns + 0.5, rows - 0.5 - (id - firstId) / columns);
        } else if (kind == TargetKind::Charuco) {
            const int dictionary = int(DictionaryNames().indexOf(charuco));
            FindCharuco(image, cv::Size(columns, rows), OpenCvDictionary(dictionary),
                        TargetOptions().markerFraction, firstId, markers, found);
            QCOMPARE(int(markers.ids.size()), columns * rows / 2);
            QCOMPARE(int(found.ids.size()), (columns - 1) * (rows - 1));
            for (int id : found.ids)
                at(id % (columns - 1) + 1, id / (columns - 1) + 1);
        } else {
            // Inner corners, or OpenCV's object points ((2j + i mod 2) s, i s), s the checker.
            const int inner = kind == TargetKind::Checkerboard ? 1 : 0;
            const bool asymmetric = kind == TargetKind::AsymmetricCircles;
            QVERIFY(FindGrid(image, kind, cv::Size(columns - inner, rows - inner), found));
            for (int i = inner; i < rows; ++i)
                for (int j = inner; j < columns; ++j)
                    at(asymmetric ? 2 * j + i % 2 : j, i);
        }
        QVERIFY(FitGrid(found.points, object, kMaxErrorPx, scale, tolerance));
    }
};

QTEST_GUILESS_MAIN(TestTargets)
#include "tst_targets.moc"
