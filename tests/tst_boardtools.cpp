// SPDX-License-Identifier: MIT
// What the tools read from a sheet. The AprilGrid: its codes against OpenCV's
// 36h11 table and Kalibr's, and pages written by the command line, rasterised
// and searched by OpenCV's marker detector for every tag's ID, place, turn and
// side. The board card read back with a YAML parser as the tools read it:
// Kalibr's target keys, OpenCV's pattern and ROS's command line, for every
// kind, and the card's rules: a tool that cannot use the board gets the reason.
// The card's lengths against the pitch OpenCV measures on the page. The legend
// beneath the board, clear of it and its frame, or left out.
#include "card/BoardCard.h"
#include "model/LayoutMath.h"
#include "model/Units.h"
#include "render/BoardLegend.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "support/Detectors.h"
#include "support/PdfRaster.h"
#include "targets/AprilTag36h11.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <opencv2/aruco.hpp>
#include <yaml-cpp/yaml.h>

Q_DECLARE_METATYPE(SheetInputs)
Q_DECLARE_METATYPE(CardPage)

namespace {

constexpr int kRasterDpi = 200;
constexpr double kDotsPerMm = kRasterDpi / 25.4;
const QSizeF kA4(210, 297);

cv::Ptr<cv::aruco::Dictionary> OpenCvTags() {
    return cv::aruco::getPredefinedDictionary(cv::aruco::DICT_APRILTAG_36h11);
}

SheetInputs Sheet(TargetKind kind, int columns, int rows, const char* w, const char* h, int unit,
                  float dpi = 300) {
    SheetInputs in;
    in.target.kind = kind;
    in.columns = columns;
    in.rows = rows;
    in.checkerWidthText = QString::fromLatin1(w);
    in.checkerHeightText = QString::fromLatin1(h);
    in.unitName = UnitName(unit);
    in.dpiX = in.dpiY = dpi;
    const CheckerConversion px =
        ConvertChecker(unit, in.checkerWidthText, in.checkerHeightText, dpi, dpi, 0, 0);
    in.checkerWidthPx = px.checkerWidthPx;
    in.checkerHeightPx = px.checkerHeightPx;
    return in;
}

QString RunQuadrix(const QString& args, QTemporaryDir& dir, YAML::Node& card) {
    QProcess quadrix;
    quadrix.start(QStringLiteral(QUADRIX_EXE),
                  args.split(u' ') << QStringLiteral("--output") << dir.filePath("b.pdf")
                                   << QStringLiteral("--card") << dir.filePath("c.yaml"));
    quadrix.waitForFinished();
    if (quadrix.exitCode() == 0)
        card = YAML::LoadFile(dir.filePath("c.yaml").toStdString());
    return QString::number(quadrix.exitCode());
}

// The value at a path such as "opencv/pattern_size" as YAML writes it;
// "(none)" when missing.
QString At(YAML::Node node, const QString& path) {
    for (const QString& key : path.split(QLatin1Char('/'))) {
        if (!node.IsMap() || !node[key.toStdString()])
            return QStringLiteral("(none)");
        node.reset(node[key.toStdString()]);
    }
    return QString::fromStdString(YAML::Dump(node));
}

// A 5 x 4 board of 1 cm cells at 300 dpi, its frame 4 mm out.
SheetInputs LegendSheet(TargetKind kind, bool legend, bool frame, int vertical) {
    SheetInputs in = Sheet(kind, 5, 4, "1", "1", kUnitCm);
    in.checkerWidthPx = in.checkerHeightPx = 118;
    in.patternWidthPx = 5 * 118.0f;
    in.patternHeightPx = 4 * 118.0f;
    in.target.legend = legend;
    in.frame = frame;
    in.frameDistanceText = QStringLiteral("0.4");
    in.vertical = vertical;
    return in;
}

} // namespace

class TestBoardTools : public QObject {
    Q_OBJECT
private slots:
    void codes();
    void detectedTagByTag_data();
    void detectedTagByTag();
    void toolsReadTheirKeys_data();
    void toolsReadTheirKeys();
    void cardRules_data();
    void cardRules();
    void cardFromCommandLine_data();
    void cardFromCommandLine();
    void cardLengthIsOpenCvsPitch();
    void legendBeneathTheBoard_data();
    void legendBeneathTheBoard();
};

// Every data bit of every code against OpenCV's table, which holds each tag
// turned half round from the way libapriltag and Kalibr draw it. Kalibr's
// generator fills bit 6 (5 - i) + (5 - j) of its code at row i, column j:
// its table is the row-major codes, as its first ones show.
void TestBoardTools::codes() {
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

void TestBoardTools::detectedTagByTag_data() {
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
void TestBoardTools::detectedTagByTag() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(double, pitchMm);
    QFETCH(double, spacing);
    QFETCH(int, firstId);
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grid.pdf"));
    const QString options = QString::asprintf(
        "--paper A4 --no-frame --no-caption --target aprilgrid --columns %d --rows %d "
        "--checker %gmm --tag-spacing %g --first-id %d --output",
        columns, rows, pitchMm, spacing, firstId);
    QCOMPARE(QProcess::execute(QStringLiteral(QUADRIX_EXE), options.split(u' ') << file), 0);
    const QImage page = PdfRaster::Render(file, kRasterDpi);
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

// Sizes in whole printer pixels, so that drawn and asked for are alike.
void TestBoardTools::toolsReadTheirKeys_data() {
    QTest::addColumn<SheetInputs>("sheet");
    QTest::addColumn<QString>("expected"); // "path=value;..."
    QTest::addColumn<QString>("ros");      // the command's options
    QTest::newRow("checkerboard: inner corners, oblong cells as two spacings; no ROS line")
        << Sheet(TargetKind::Checkerboard, 9, 7, "1", "1.2", kUnitInches)
        << "target_type=checkerboard;targetCols=8;targetRows=6;rowSpacingMeters=0.03048;"
           "colSpacingMeters=0.0254;opencv/pattern_size=[8, 6];opencv/square_height=0.03048"
        << QString();
    SheetInputs charuco = Sheet(TargetKind::Charuco, 5, 7, "1", "1", kUnitInches);
    charuco.target = {TargetKind::Charuco, QStringLiteral("DICT_5X5_100"), 0.7, true, 0};
    QTest::newRow("charuco: squares, marker, dictionary, legacy alike with odd rows")
        << charuco
        << "target_type=(none);opencv/squares=[5, 7];opencv/square_length=0.0254;"
           "opencv/marker_length=0.01778;opencv/dictionary=DICT_5X5_100;"
           "opencv/legacy_pattern=true;opencv/first_id=0"
        << "--pattern charuco --size 5x7 --square 0.0254 --charuco_marker_size 0.01778 "
           "--aruco_dict 5x5_100";
    // Kalibr reads YAML 1.1, where a float needs its point and no exponent.
    QTest::newRow("circles: circles per row, centre distance, a whole metre as a float")
        << Sheet(TargetKind::Circles, 4, 5, "100", "100", kUnitCm, 254)
        << "target_type=circlegrid;targetCols=4;targetRows=5;spacingMeters=1.0;"
           "asymmetricGrid=false;opencv/pattern_size=[4, 5]"
        << "--pattern circles --size 4x5 --square 1.0";
    QTest::newRow("asymmetric circles: s is the row distance, in pixels")
        << Sheet(TargetKind::AsymmetricCircles, 4, 11, "150", "150", kUnitPixels)
        << "target_type=circlegrid;targetCols=4;targetRows=11;spacingMeters=0.0127;"
           "asymmetricGrid=true;opencv/pattern_size=[4, 11];opencv/flags=CALIB_CB_ASYMMETRIC_GRID"
        << "--pattern acircles --size 4x11 --square 0.0127";
    QTest::newRow("aprilgrid: the tag, not the pitch; spacing as a fraction")
        << Sheet(TargetKind::AprilGrid, 6, 4, "1.3", "1.3", kUnitInches)
        << "target_type=aprilgrid;tagCols=6;tagRows=4;tagSize=0.0254;tagSpacing=0.3;"
           "opencv/dictionary=DICT_APRILTAG_36h11;opencv/marker_border_bits=2;opencv/first_id=0"
        << QString();
}

void TestBoardTools::toolsReadTheirKeys() {
    QFETCH(SheetInputs, sheet);
    QFETCH(QString, expected);
    QFETCH(QString, ros);
    const YAML::Node card = YAML::Load(BoardCard(sheet, {}).yaml());
    for (const QString& entry : expected.split(QLatin1Char(';'))) {
        const QString path = entry.section(QLatin1Char('='), 0, 0);
        QCOMPARE(path + QLatin1Char('=') + At(card, path), entry);
    }
    QCOMPARE(At(card, QStringLiteral("ros/command")),
             ros.isEmpty() ? QStringLiteral("(none)")
                           : "ros2 run camera_calibration cameracalibrator " + ros +
                                 " --ros-args -r image:=/camera/image_raw -p camera:=/camera");
}

// One row a rule: each tool's block holds its settings ("") or a reason that
// says this ("at least 3"), read back as the tools read the file.
void TestBoardTools::cardRules_data() {
    QTest::addColumn<SheetInputs>("sheet");
    QTest::addColumn<CardPage>("page");
    QTest::addColumn<QString>("reasons"); // Kalibr|OpenCV|ROS
    // A board of 1 inch cells, the given height.
    const auto board = [](TargetKind kind, int columns, int rows, const char* height = "1",
                          int firstId = 0, bool legacy = false) {
        SheetInputs in = Sheet(kind, columns, rows, "1", height, kUnitInches);
        in.target.firstId = firstId;
        in.target.legacy = legacy;
        return in;
    };
    const auto A = TargetKind::AprilGrid, C = TargetKind::Charuco, B = TargetKind::Checkerboard;
    CardPage whole, cut, measured;
    cut.cutOff = QStringLiteral("2 cm cut off on the right");
    measured.measuredWidth = 9 * 0.0254 * 1.01;
    measured.measuredHeight = 7 * 0.0254;
    QTest::newRow("Kalibr drops tags from the grid's count on")
        << board(A, 6, 6, "1", 36) << whole << "drops every tag with an ID of 36||no AprilGrid";
    QTest::newRow("Kalibr: fewer than 3 tags a way")
        << board(A, 2, 6) << whole << "at least 3 tags||no AprilGrid";
    QTest::newRow("2 inner corners across: no tool finds them")
        << board(B, 3, 6) << whole << "at least 3 inner|at least 3 inner|fewer than 3 inner";
    QTest::newRow("2 circle rows: no tool finds them")
        << board(TargetKind::Circles, 5, 2) << whole
        << "at least 3 circles|fewer than 3 circles|fewer than 3 circles";
    QTest::newRow("ROS: legacy ChArUco with even rows")
        << board(C, 5, 6, "1", 0, true) << whole << "ChArUco||legacy";
    QTest::newRow("ROS: legacy ChArUco with odd rows is alike")
        << board(C, 5, 7, "1", 0, true) << whole << "ChArUco||";
    QTest::newRow("ROS: ChArUco IDs from 0 only")
        << board(C, 5, 7, "1", 5) << whole << "ChArUco||IDs from 0";
    QTest::newRow("oblong ChArUco: one square length for OpenCV and ROS")
        << board(C, 5, 7, "1.1") << whole << "ChArUco|one length|one --square";
    QTest::newRow("oblong checkers: two spacings for Kalibr and OpenCV, not ROS")
        << board(B, 9, 7, "1.2") << whole << "||one --square";
    QTest::newRow("oblong circles: one spacing for Kalibr and ROS")
        << board(TargetKind::Circles, 5, 6, "0.8") << whole << "one length||one --square";
    QTest::newRow("a board cut by the page is no tool's")
        << board(B, 9, 7) << cut << "cut off on the right|cut off on the right|cut off on the";
    QTest::newRow("measured 1 % wider than high: oblong for ROS")
        << board(B, 9, 7) << measured << "||one --square";
}

void TestBoardTools::cardRules() {
    QFETCH(SheetInputs, sheet);
    QFETCH(CardPage, page);
    QFETCH(QString, reasons);
    const QStringList reason = reasons.split('|');
    const BoardCard card(sheet, page);
    const YAML::Node yaml = YAML::Load(card.yaml());
    const char* const tools[] = {"kalibr", "opencv", "ros"};
    for (int i = 0; i < 3; ++i) {
        const QString got = At(yaml, QString::fromLatin1(tools[i]) + "/unusable");
        QVERIFY2(reason[i].isEmpty() ? got == "(none)" : got.contains(reason[i]), qPrintable(got));
        QCOMPARE(card.problems().join('\n').contains(CardToolName(CardTool(i)) + " cannot"),
                 !reason[i].isEmpty());
    }
    // A block with a reason holds no settings: Kalibr's file then has no target.
    QCOMPARE(yaml["target_type"].IsDefined(), reason[0].isEmpty());
    QCOMPARE(yaml["ros"]["command"].IsDefined(), reason[2].isEmpty());
}

// The command line's --tag and --measured, as the card gives them. At 600 dpi a
// 2.5 cm pitch is drawn 591 pixels: the tag 2.00152 cm.
void TestBoardTools::cardFromCommandLine_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("expected"); // exit code, then "path=value;..."
    const QString page = "--paper A4 --resolution 600 ";
    QTest::newRow("--tag: the pitch follows the spacing")
        << page + "--target aprilgrid --columns 6 --rows 6 --tag-spacing 0.25 --tag 2cm"
        << "0;tagSize=0.0200152;opencv/tag_pitch=0.025019";
    QTest::newRow("--tag with --checker") << page + "--target aprilgrid --tag 2cm --checker 3cm"
                                          << "2";
    QTest::newRow("--measured: lengths across and down follow it")
        << page + "--columns 5 --rows 6 --checker 3cm --measured 15.15x18.09cm"
        << "0;colSpacingMeters=0.0303;rowSpacingMeters=0.03015;"
           "page/board_measured_m=[0.1515, 0.1809];page/board_nominal_m=[0.15, 0.18];"
           "ros/unusable=(none)";
    QTest::newRow("--measured in mm, 1 % apart: no ROS line")
        << page + "--columns 5 --rows 6 --checker 3cm --measured 151.5x180mm"
        << "0;colSpacingMeters=0.0303;ros/command=(none)";
}

void TestBoardTools::cardFromCommandLine() {
    QFETCH(QString, args);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    YAML::Node card;
    QStringList entries = expected.split(';');
    QCOMPARE(RunQuadrix(args, dir, card), entries.takeFirst());
    for (const QString& entry : entries) {
        const QString path = entry.section('=', 0, 0);
        QCOMPARE(path + '=' + At(card, path), entry);
    }
}

// 1.2 cm at 600 dpi is 283.46 printer pixels, drawn 283: the card gives the
// 283 pixels, 0.16 % less than asked for, as OpenCV measures them on the page.
void TestBoardTools::cardLengthIsOpenCvsPitch() {
    QTemporaryDir dir;
    YAML::Node card;
    const QString args =
        "--paper A4 --resolution 600 --checker 1.2cm --columns 8 --rows 6 --no-frame";
    QCOMPARE(RunQuadrix(args, dir, card), QString("0"));
    // The board in the middle of the page, with a margin of white around it.
    const QImage board =
        PdfRaster::Render(dir.filePath("b.pdf"), 600, QRect(1080, 2108, 2800, 2800));
    Detection found;
    QVERIFY(!board.isNull() && FindGrid(board, TargetKind::Checkerboard, cv::Size(7, 5), found));
    // From the first inner corner to the last across (6 squares) and down (4 squares).
    const auto pitch = [&](int to, int steps) {
        return cv::norm(found.points[size_t(to)] - found.points[0]) / steps / 600 * 0.0254;
    };
    QCOMPARE_LT(std::abs(card["colSpacingMeters"].as<double>() / pitch(6, 6) - 1), 2e-4);
    QCOMPARE_LT(std::abs(card["rowSpacingMeters"].as<double>() / pitch(28, 4) - 1), 2e-4);
}

void TestBoardTools::legendBeneathTheBoard_data() {
    QTest::addColumn<SheetInputs>("sheet");
    QTest::addColumn<bool>("shown");
    QTest::newRow("checkerboard as it was")
        << LegendSheet(TargetKind::Checkerboard, false, true, 1) << false;
    QTest::newRow("checkerboard asked for it, under the frame")
        << LegendSheet(TargetKind::Checkerboard, true, true, 1) << true;
    QTest::newRow("aprilgrid, under the corner squares")
        << LegendSheet(TargetKind::AprilGrid, false, false, 1) << true;
    QTest::newRow("board at the page's foot: left out")
        << LegendSheet(TargetKind::Circles, false, true, 2) << false;
}

// Ink beneath the board only in the legend's rectangle, and there only when shown.
void TestBoardTools::legendBeneathTheBoard() {
    QFETCH(SheetInputs, sheet);
    QFETCH(bool, shown);
    QImage image(2400, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Canvas canvas(painter, image, image.width(), image.height());
    DrawBoard(canvas, 1.0f, image.width(), image.height(), sheet);
    const TRect r = LegendRect(canvas, 1.0f, image.width(), image.height(), sheet);
    const int below = int(DrawnBoardRect(1.0f, image.width(), image.height(), sheet).Bottom);
    const QRect ink =
        PdfRaster::DarkBounds(image.copy(0, below, image.width(), image.height() - below)
                                  .convertToFormat(QImage::Format_Grayscale8))
            .translated(0, below);
    QCOMPARE(r.Right > r.Left, shown);
    QCOMPARE(!ink.isEmpty(), shown);
    QVERIFY(!shown || (r.Top > below && QRect(QPoint(int(r.Left), int(r.Top)),
                                              QPoint(int(r.Right) - 1, int(r.Bottom) - 1))
                                            .contains(ink)));
}

QTEST_MAIN(TestBoardTools)
#include "tst_boardtools.moc"
