// SPDX-License-Identifier: MIT
// What the tools read from a sheet. Tags and markers whole on pages written
// by the command line and rasterised with antialiasing at other resolutions,
// found by OpenCV's marker detector at their full side. Every dark shape of
// every kind drawn where the card's model puts it, to the printer pixel, the
// markers read with their IDs and turns. The board card read back with a YAML
// parser as the tools read it: Kalibr's target keys, OpenCV's pattern and ROS's
// command line, for every kind, and the card's rules: a tool that cannot use
// the board gets the reason. The card's lengths against the pitch OpenCV
// measures on the page. The legend beneath the board, clear of it and its
// frame, or left out.
#include "card/BoardCard.h"
#include "model/LayoutMath.h"
#include "model/Units.h"
#include "render/BoardLegend.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "support/Detectors.h"
#include "support/PdfRaster.h"
#include "targets/AprilTag36h11.h"
#include "targets/MarkerDictionary.h"
#include "targets/TargetCheck.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <opencv2/aruco.hpp>
#include <yaml-cpp/yaml.h>

#include <set>

Q_DECLARE_METATYPE(SheetInputs)
Q_DECLARE_METATYPE(CardPage)

namespace {

const QSizeF kA4(210, 297);
constexpr double kMetresPerInch = 0.0254;
using Dict = cv::aruco::PREDEFINED_DICTIONARY_NAME;
// What a model position may be off where it is drawn: edges rounded to whole
// printer pixels, and lengths read back from the card in metres.
constexpr double kPixel = 1.001;

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

// OpenCV's marker detector on a grey page: each marker's corners and ID.
Detection FindMarks(const QImage& grey, int dictionary) {
    Detection found;
    FindMarkers(grey, cv::aruco::getPredefinedDictionary(dictionary),
                dictionary == Dict::DICT_APRILTAG_36h11 ? 2 : 1, found);
    return found;
}

// cols x rows cells of w x h printer pixels at 300 dpi, nothing around them.
SheetInputs Board(TargetKind kind, int cols, int rows, int w, int h, int firstId = 0) {
    SheetInputs in = Sheet(kind, cols, rows, qPrintable(QString::number(w)),
                           qPrintable(QString::number(h)), kUnitPixels);
    in.target.firstId = firstId;
    in.checkerWidthPx = float(w);
    in.checkerHeightPx = float(h);
    in.patternWidthPx = float(CellsAcross(in.target, cols) * w);
    in.patternHeightPx = float(rows * h);
    in.frame = in.sizeCaption = false;
    return in;
}

// A dark shape of a board as the card's model places it, in printer pixels:
// its rectangle, a point in it whose dark runs across and down span it whole,
// and for a marker its ID and the quarter its first corner lies in as OpenCV
// reads it.
struct Mark {
    QRectF rect;
    QPointF probe;
    int id = -1;
    QPoint firstCorner;
};

// The dark shapes of the board that the card's OpenCV block describes. The
// AprilGrid's are Kalibr's: a corner square at every crossing of the gaps
// between the tags, the outer ones too; tags numbered from the bottom-left,
// each drawn turned half round from OpenCV's table. ChArUco: OpenCV 4.6 counts
// the squares from a black one at the top-left, the legacy layout from a
// black one at the bottom-left; markers numbered row by row from the top.
std::vector<Mark> CardModel(const YAML::Node& card, float dpi) {
    const YAML::Node cv = card["opencv"];
    const auto px = [&](const char* key) { return cv[key].as<double>() / kMetresPerInch * dpi; };
    const auto count = [&](const char* key, int i) { return cv[key][i].as<int>(); };
    const std::string function = cv["function"].as<std::string>();
    std::vector<Mark> marks;
    const auto add = [&](QRectF r, int id = -1, QPoint first = {}) {
        const double in = 2; // the marker's black border, from its corner
        marks.push_back({r, id < 0 ? r.center() : r.topLeft() + QPointF(in, in), id, first});
    };
    if (function == "findChessboardCorners") {
        const double w = px("square_width"), h = px("square_height");
        for (int i = 0; i <= count("pattern_size", 1); ++i)
            for (int j = i % 2; j <= count("pattern_size", 0); j += 2)
                add(QRectF(j * w, i * h, w, h));
    } else if (function == "findCirclesGrid") {
        const bool asymmetric = cv["flags"].as<std::string>() == "CALIB_CB_ASYMMETRIC_GRID";
        const double across = px(asymmetric ? "spacing" : "spacing_across");
        const double down = px(asymmetric ? "spacing" : "spacing_down"), d = px("circle_diameter");
        for (int i = 0; i < count("pattern_size", 1); ++i) // OpenCV's object points
            for (int j = 0; j < count("pattern_size", 0); ++j)
                add(QRectF((asymmetric ? 2 * j + i % 2 : j) * across, i * down, d, d));
    } else if (function == "detectMarkers") {
        const int columns = count("tags", 0), rows = count("tags", 1);
        const double t = px("marker_length"), p = px("tag_pitch"), s = p - t;
        for (int y = 0; y <= rows; ++y)
            for (int x = 0; x <= columns; ++x)
                add(QRectF(x * p, y * p, s, s));
        for (int k = 0; k < columns * rows; ++k)
            add(QRectF(s + k % columns * p, s + (rows - 1 - k / columns) * p, t, t),
                cv["first_id"].as<int>() + k, QPoint(1, 1));
    } else {
        const int columns = count("squares", 0), rows = count("squares", 1);
        const double l = px("square_length"), m = px("marker_length"), gap = (l - m) / 2;
        int id = cv["first_id"].as<int>();
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < columns; ++j)
                if (((cv["legacy_pattern"].as<bool>() ? rows - 1 - i : i) + j) % 2 == 0)
                    add(QRectF(j * l, i * l, l, l));
                else
                    add(QRectF(j * l + gap, i * l + gap, m, m), id++, QPoint(-1, -1));
    }
    return marks;
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

// A 5 x 4 board of 118-pixel cells at 300 dpi, its frame 4 mm out.
SheetInputs LegendSheet(TargetKind kind, bool legend, bool frame, int vertical) {
    SheetInputs in = Board(kind, 5, 4, 118, 118);
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
    void marksWhole_data();
    void marksWhole();
    void drawnAsTheCardSays_data();
    void drawnAsTheCardSays();
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

void TestBoardTools::marksWhole_data() {
    QTest::addColumn<bool>("april"); // else ChArUco
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("dpi");
    for (const bool april : {true, false})
        for (const auto& [file, dpi] : {std::pair{"b.svg", 100}, {"b.pdf", 144}})
            QTest::addRow("%s, %s at %d dpi", april ? "AprilGrid" : "ChArUco", file, dpi)
                << april << QString(file) << dpi;
}

// Each mark is drawn as one shape, so a viewer that antialiases at another
// resolution than the drawing's leaves no seam in it: every mark is found, at
// its full side (tags of 20 mm, markers of 15 mm).
void TestBoardTools::marksWhole() {
    QFETCH(bool, april);
    QFETCH(QString, file);
    QFETCH(int, dpi);
    const QTemporaryDir dir;
    file = dir.filePath(file);
    const QString args = april ? "aprilgrid --columns 6 --rows 6 --checker 26mm"
                               : "charuco --columns 7 --rows 9 --checker 2cm";
    QCOMPARE(QProcess::execute(QUADRIX_EXE,
                               ("--paper A4 --target " + args + " --output").split(u' ') << file),
             0);
    const QImage page = PdfRaster::Render(file, dpi, QRect({}, (kA4 / 25.4 * dpi).toSize()), true);
    const Detection found = FindMarks(page, april ? Dict::DICT_APRILTAG_36h11 : Dict::DICT_6X6_250);
    QCOMPARE(int(std::set<int>(found.ids.begin(), found.ids.end()).size()), april ? 36 : 31);
    for (const auto& c : found.corners) {
        const double side = (cv::norm(c[1] - c[0]) + cv::norm(c[2] - c[1]) + cv::norm(c[3] - c[2]) +
                             cv::norm(c[0] - c[3])) /
                            4;
        QVERIFY2(std::abs(side / ((april ? 20 : 15) / 25.4 * dpi) - 1) < 0.01,
                 qPrintable(QString::number(side)));
    }
}

void TestBoardTools::drawnAsTheCardSays_data() {
    QTest::addColumn<SheetInputs>("sheet");
    using K = TargetKind;
    QTest::addRow("checkerboard 7 x 5, oblong") << Board(K::Checkerboard, 7, 5, 120, 90);
    QTest::addRow("circles 5 x 4") << Board(K::Circles, 5, 4, 100, 100);
    QTest::addRow("asymmetric circles 4 x 5") << Board(K::AsymmetricCircles, 4, 5, 80, 80);
    QTest::addRow("AprilGrid 4 x 3, first ID 5") << Board(K::AprilGrid, 4, 3, 150, 150, 5);
    QTest::addRow("ChArUco 5 x 4, first ID 3") << Board(K::Charuco, 5, 4, 120, 120, 3);
    SheetInputs legacy = Board(K::Charuco, 4, 4, 100, 100);
    legacy.target = {K::Charuco, QStringLiteral("DICT_4X4_50"), 0.75, true, 0};
    QTest::addRow("ChArUco 4 x 4, legacy") << legacy;
}

// A detector forgives a board that is not the one its card describes. So every
// checker, circle, corner square and marker is measured where it is drawn at
// the printer's pixels, against the place the card's model gives it, from the
// model's outer corner; each marker is read by OpenCV, with its ID and turn.
void TestBoardTools::drawnAsTheCardSays() {
    QFETCH(SheetInputs, sheet);
    const std::vector<Mark> model = CardModel(YAML::Load(BoardCard(sheet, {}).yaml()), sheet.dpiX);
    QRectF bounds;
    for (const Mark& m : model)
        bounds |= m.rect;
    const int margin = 40; // too little for the legend
    QImage image((bounds.size() + QSizeF(2, 2) * margin).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        Canvas canvas(painter, image, image.width(), image.height());
        DrawBoard(canvas, 1.0f, image.width(), image.height(), sheet);
    }
    image.convertTo(QImage::Format_Grayscale8);
    const QPointF at = QPointF(PdfRaster::DarkBounds(image).topLeft()) - bounds.topLeft();
    const auto near = [](double a, double b) { return std::abs(a - b) <= kPixel; };
    const TargetKind kind = sheet.target.kind;
    const Detection found =
        kind == TargetKind::AprilGrid ? FindMarks(image, Dict::DICT_APRILTAG_36h11)
        : kind == TargetKind::Charuco
            ? FindMarks(image, int(DictionaryNames().indexOf(sheet.target.dictionary)))
            : Detection{};
    for (const Mark& m : model) {
        const QRect span = PdfRaster::DarkSpan(image, (m.probe + at).toPoint());
        const QRectF want = m.rect.translated(at);
        QVERIFY(near(span.left(), want.left()) && near(span.right() + 1, want.right()) &&
                near(span.top(), want.top()) && near(span.bottom() + 1, want.bottom()));
        if (m.id < 0)
            continue;
        const auto k =
            size_t(std::find(found.ids.begin(), found.ids.end(), m.id) - found.ids.begin());
        QVERIFY2(k < found.ids.size(), qPrintable(QString::number(m.id)));
        const auto& c = found.corners[k];
        // OpenCV's pixel (0, 0) is centred on its corner, not at its corner.
        const cv::Point2f centre = (c[0] + c[1] + c[2] + c[3]) / 4 + cv::Point2f(0.5, 0.5);
        QVERIFY(near(centre.x, want.center().x()) && near(centre.y, want.center().y()));
        QVERIFY((c[0].x - centre.x) * m.firstCorner.x() > 0 &&
                (c[0].y - centre.y) * m.firstCorner.y() > 0);
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
    cut.cutOff = QStringLiteral("the drawing runs 4.5 mm across beyond it");
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
    QTest::newRow("oblong checkers: two spacings for Kalibr and OpenCV, not ROS")
        << board(B, 9, 7, "1.2") << whole << "||one --square";
    QTest::newRow("oblong circles: one spacing for Kalibr and ROS")
        << board(TargetKind::Circles, 5, 6, "0.8") << whole << "one length||one --square";
    QTest::newRow("cells below a printer pixel are no tool's")
        << Sheet(TargetKind::AprilGrid, 6, 6, "1e-9", "1e-9", kUnitInches) << whole
        << "No cell is drawn|No cell is drawn|No cell is drawn";
    QTest::newRow("a board cut by the page is no tool's")
        << board(B, 9, 7) << cut << "4.5 mm across|4.5 mm across|4.5 mm";
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
    QTest::newRow("--tile: the sheets and the cells' size to measure")
        << page + "--columns 9 --rows 8 --checker 2.54cm --tile"
        << "0;page/tiled/sheets=2;page/tiled/measure_cells_m=[0.2286, 0.2032]";
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
