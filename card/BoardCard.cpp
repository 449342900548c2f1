// SPDX-License-Identifier: MIT
#include "card/BoardCard.h"

#include "model/NumberText.h"
#include "model/Units.h"
#include "output/FileError.h"
#include "render/BoardRenderer.h"
#include "render/TilePlan.h"
#include "targets/PatternSize.h"
#include "targets/TargetCheck.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <yaml-cpp/yaml.h>

namespace {

constexpr double kMetresPerCm = 0.01;
constexpr double kPercent = 100;
// Enough digits for a micrometre on any board.
constexpr int kMetreDigits = 9;
// The AprilGrid's tags: OpenCV's name and the black border's width in bits.
const char* const kAprilTagDictionary = "DICT_APRILTAG_36h11";
constexpr int kAprilTagBorderBits = 2;
// Kalibr's target reader takes no grid under 3 a way (kalibr_common
// ConfigReader.py, getTargetParams: targetRows, targetCols, tagRows, tagCols
// "int>=3"); OpenCV's findChessboardCorners refuses a pattern of 2 inner
// corners a way ("Both width and height of the pattern should have bigger
// than 2", calib3d/src/calibinit.cpp), and its findCirclesGrid finds no grid
// of 2 circles a way (OpenCV 4.6, tried).
constexpr int kFewestEachWay = 3;
// The cell drawn in whole pixels is named when it is off by more than this.
constexpr double kDrawnTolerance = 0.0005;
// Sides that differ by more than this are two lengths; a tool that takes one
// length for both cannot use them.
constexpr double kOblongTolerance = 0.005;
// The camera's image topic and namespace, placeholders for the user's own (ROS 2
// passes remaps and parameters after --ros-args).
const char* const kRosRemaps = " --ros-args -r image:=/camera/image_raw -p camera:=/camera";

QString tr(const char* text) {
    return QCoreApplication::translate("BoardCard", text);
}

// A length in metres from a text in the sheet's unit; pixels are the
// printer's, which the scale correction enlarges on paper as it draws them.
double Metres(const QString& text, const QString& unitName, float dpi, double correction) {
    const double value = StrToFloatDef(text, 0);
    if (unitName == UnitName(kUnitCm))
        return value * kMetresPerCm;
    if (unitName == UnitName(kUnitInches))
        return value * kMetresPerInch;
    return dpi > 0 && correction > 0 ? value / dpi * kMetresPerInch / correction : 0;
}

// A cell as drawn on paper: its whole printer pixels, which the correction
// made that much larger than the printer's own, over the resolution.
double DrawnMetres(float checkerPx, float dpi, double correction) {
    return dpi > 0 && correction > 0
               ? double(CellSize(checkerPx, 1.0f)) / dpi * kMetresPerInch / correction
               : 0;
}

QString Percent(double ratio) {
    return QString::number((ratio - 1) * kPercent, 'f', 2);
}

QString Mm(double metres) {
    constexpr double kMmPerMetre = 1000;
    return QString::number(metres * kMmPerMetre, 'g', 6);
}

// A number as YAML 1.1 reads a float (PyYAML, and so Kalibr): always with a
// point and never in exponent form, or it would come back an integer or a
// string.
std::string Float(double value) {
    QString text = QString::number(value, 'f', kMetreDigits);
    while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QLatin1String(".0")))
        text.chop(1);
    return text.toStdString();
}

std::string Text(const QString& text) {
    return text.toStdString();
}

// OpenCV's dictionary name for ROS's --aruco_dict ("DICT_6X6_250" is
// "6x6_250", the original ArUco "aruco_orig"); empty when ROS has none.
QString RosDictionary(const QString& name) {
    QString bare = name.toUpper();
    if (bare.startsWith(QLatin1String("DICT_")))
        bare = bare.mid(5);
    if (bare == QLatin1String("ARUCO_ORIGINAL"))
        return QStringLiteral("aruco_orig");
    if (bare.startsWith(QLatin1String("APRILTAG")))
        return {};
    return bare.toLower();
}

QString Size(int across, int down) {
    return QStringLiteral("%1x%2").arg(across).arg(down);
}

void Pair(YAML::Emitter& out, const char* key, int across, int down) {
    out << YAML::Key << key << YAML::Value << YAML::Flow << YAML::BeginSeq << across << down
        << YAML::EndSeq;
}

void Length(YAML::Emitter& out, const char* key, double metres) {
    out << YAML::Key << key << YAML::Value << Float(metres);
}

} // namespace

BoardCard::BoardCard(const SheetInputs& in, const CardPage& page) : m_in(in), m_page(page) {
    const ScaleCorrection& c = in.correction;
    m_nominalWidth = Metres(in.checkerWidthText, in.unitName, in.dpiX, c.across);
    m_nominalHeight = Metres(in.checkerHeightText, in.unitName, in.dpiY, c.down);
    m_drawnWidth = DrawnMetres(in.checkerWidthPx, in.dpiX, c.across);
    m_drawnHeight = DrawnMetres(in.checkerHeightPx, in.dpiY, c.down);
    m_cellWidth = m_drawnWidth;
    m_cellHeight = m_drawnHeight;
    const int across = CellsAcross(in.target, in.columns);
    if (page.measuredWidth > 0 && page.measuredHeight > 0 && m_drawnWidth > 0 &&
        m_drawnHeight > 0) {
        m_cellWidth = page.measuredWidth / across;
        m_cellHeight = page.measuredHeight / in.rows;
    }
}

bool BoardCard::oblong() const {
    return m_cellHeight <= 0 || std::abs(m_cellWidth / m_cellHeight - 1) > kOblongTolerance;
}

double LengthMetres(double value, int unitIndex, float dpi) {
    return unitIndex == kUnitCm       ? value * kMetresPerCm
           : unitIndex == kUnitInches ? value * kMetresPerInch
                                      : value / double(dpi) * kMetresPerInch;
}

QString CardToolName(CardTool tool) {
    switch (tool) {
    case CardTool::Kalibr:
        return QStringLiteral("Kalibr");
    case CardTool::OpenCv:
        return QStringLiteral("OpenCV");
    case CardTool::Ros:
        break;
    }
    return QStringLiteral("ROS");
}

QString BoardCard::kalibrProblem() const {
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    if (t.kind == TargetKind::Charuco)
        return tr("Kalibr has no ChArUco target.");
    // Kalibr counts a checkerboard's inner corners, a grid's circles or tags.
    const int inner = t.kind == TargetKind::Checkerboard ? 1 : 0;
    if (std::min(columns - inner, rows - inner) < kFewestEachWay)
        return tr("Kalibr takes at least %1 %2 each way; this board has %3 \u00d7 %4.")
            .arg(kFewestEachWay)
            .arg(inner ? tr("inner corners") : CellNoun(t.kind))
            .arg(columns - inner)
            .arg(rows - inner);
    // GridCalibrationTargetAprilgrid::computeObservation drops every tag whose
    // ID is the grid's tag count or more: its grid's IDs start at 0.
    if (t.kind == TargetKind::AprilGrid && t.firstId != 0)
        return tr("Kalibr numbers a grid's tags from 0 and drops every tag with an ID of %1 or "
                  "more; this board's tags are %2 to %3. Print it with the first ID 0.")
            .arg(columns * rows)
            .arg(t.firstId)
            .arg(t.firstId + columns * rows - 1);
    // A circle grid has one spacingMeters, an AprilGrid one tagSize.
    if (t.kind != TargetKind::Checkerboard && oblong())
        return tr("Kalibr takes one length for both directions, but the cells are %1 \u00d7 %2 "
                  "mm.")
            .arg(Mm(m_cellWidth), Mm(m_cellHeight));
    return QString();
}

QString BoardCard::openCvProblem() const {
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    if (t.kind == TargetKind::Checkerboard && std::min(columns, rows) - 1 < kFewestEachWay)
        return tr("findChessboardCorners takes at least %1 inner corners each way; this board "
                  "has %2 \u00d7 %3.")
            .arg(kFewestEachWay)
            .arg(columns - 1)
            .arg(rows - 1);
    if ((t.kind == TargetKind::Circles || t.kind == TargetKind::AsymmetricCircles) &&
        std::min(columns, rows) < kFewestEachWay)
        return tr("findCirclesGrid finds no grid with fewer than %1 circles each way; this board "
                  "has %2 \u00d7 %3.")
            .arg(kFewestEachWay)
            .arg(columns)
            .arg(rows);
    // CharucoBoard takes one squareLength, the asymmetric grid one distance
    // s, a marker one side; the checkerboard's and the symmetric grid's
    // object points take both directions.
    if ((t.kind == TargetKind::Charuco || t.kind == TargetKind::AsymmetricCircles ||
         t.kind == TargetKind::AprilGrid) &&
        oblong())
        return tr("OpenCV takes one length for both directions of this board, but the cells are "
                  "%1 \u00d7 %2 mm.")
            .arg(Mm(m_cellWidth), Mm(m_cellHeight));
    return QString();
}

QString BoardCard::rosProblem() const {
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    switch (t.kind) {
    case TargetKind::AprilGrid:
        return tr("ROS camera_calibration reads no AprilGrid.");
    case TargetKind::Charuco:
        if (RosDictionary(t.dictionary).isEmpty())
            return tr("ROS camera_calibration has no dictionary %1.").arg(t.dictionary);
        // camera_calibration's calibrator.py builds its CharucoBoard from the
        // size, square, marker and dictionary alone: marker IDs from 0, in
        // the layout of the OpenCV it runs on, with no switch for either.
        if (t.firstId != 0)
            return tr("ROS builds the board with marker IDs from 0; this board's first ID is %1.")
                .arg(t.firstId);
        if (t.legacy && rows % 2 == 0)
            return tr("ROS builds the board in its own OpenCV's layout and takes no switch: an "
                      "OpenCV of 4.6 or later (ROS 2 Jazzy on) reads this legacy board with wrong "
                      "corner IDs. Only an OpenCV before 4.6 (ROS 2 Humble) builds the legacy "
                      "layout; print the board in OpenCV 4.6's layout for the others.");
        break;
    case TargetKind::Checkerboard:
        // The chessboard and the grids go to findChessboardCorners and
        // findCirclesGrid, with OpenCV's limits.
        if (std::min(columns, rows) - 1 < kFewestEachWay)
            return tr("ROS finds no chessboard with fewer than %1 inner corners each way; this "
                      "board has %2 \u00d7 %3.")
                .arg(kFewestEachWay)
                .arg(columns - 1)
                .arg(rows - 1);
        break;
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        if (std::min(columns, rows) < kFewestEachWay)
            return tr("ROS finds no grid with fewer than %1 circles each way; this board has %2 "
                      "\u00d7 %3.")
                .arg(kFewestEachWay)
                .arg(columns)
                .arg(rows);
        break;
    }
    // cameracalibrator's --square is "chessboard square size in meters": one.
    if (oblong())
        return tr("ROS takes one --square for both directions, but the cells are %1 \u00d7 %2 "
                  "mm.")
            .arg(Mm(m_cellWidth), Mm(m_cellHeight));
    return QString();
}

QString BoardCard::unusable(CardTool tool) const {
    if (!m_page.cutOff.isEmpty())
        return tr("The page cuts the board (%1): no tool can use a board that is not whole.")
            .arg(m_page.cutOff);
    if (!(m_cellWidth > 0 && m_cellHeight > 0))
        return tr("No cell is drawn: each is less than a printer pixel, and no tool can use an "
                  "empty board.");
    switch (tool) {
    case CardTool::Kalibr:
        return kalibrProblem();
    case CardTool::OpenCv:
        return openCvProblem();
    case CardTool::Ros:
        break;
    }
    return rosProblem();
}

QStringList BoardCard::problems() const {
    QStringList lines;
    for (CardTool tool : {CardTool::Kalibr, CardTool::OpenCv, CardTool::Ros})
        if (const QString reason = unusable(tool); !reason.isEmpty())
            lines << tr("%1 cannot use this board: %2").arg(CardToolName(tool), reason);
    return lines;
}

QStringList BoardCard::notes() const {
    QStringList lines;
    if (m_nominalWidth > 0 && m_nominalHeight > 0 &&
        (std::abs(m_drawnWidth / m_nominalWidth - 1) > kDrawnTolerance ||
         std::abs(m_drawnHeight / m_nominalHeight - 1) > kDrawnTolerance))
        lines << tr("Drawn: each cell is %1 \u00d7 %2 mm in whole printer pixels, not the %3 "
                    "\u00d7 %4 mm asked for (%5 % across, %6 % down); the card gives the drawn "
                    "lengths.")
                     .arg(Mm(m_drawnWidth), Mm(m_drawnHeight), Mm(m_nominalWidth),
                          Mm(m_nominalHeight), Percent(m_drawnWidth / m_nominalWidth),
                          Percent(m_drawnHeight / m_nominalHeight));
    if (m_page.tilesAcross > 0 && m_page.tilesDown > 0)
        lines << tr("Tiled over %1, %2 across \u00d7 %3 down. Once assembled, measure the "
                    "board's cells from the outer edge of the first cell to the outer edge of the "
                    "last with a ruler: %4 \u00d7 %5 mm across and down. Give what you measure "
                    "to --measured (such as --measured %4x%5mm) for a card that follows it.")
                     .arg(SheetsText(m_page.tilesAcross * m_page.tilesDown))
                     .arg(m_page.tilesAcross)
                     .arg(m_page.tilesDown)
                     .arg(Mm(CellsAcross(m_in.target, m_in.columns) * m_drawnWidth),
                          Mm(m_in.rows * m_drawnHeight));
    if (!(m_page.measuredWidth > 0 && m_page.measuredHeight > 0 && m_drawnWidth > 0 &&
          m_drawnHeight > 0))
        return lines;
    const double across = m_cellWidth / m_drawnWidth;
    const double down = m_cellHeight / m_drawnHeight;
    lines << tr("Measured: the board's cells are %1 \u00d7 %2 mm, %3 % across and %4 % down "
                "against the drawing; every length in the card follows the measurement.")
                 .arg(Mm(m_page.measuredWidth), Mm(m_page.measuredHeight), Percent(across),
                      Percent(down));
    if (std::abs(across / down - 1) > kOblongTolerance)
        lines << tr("The board measures %1 % more across than down: the printer scales the two "
                    "directions differently, so its cells are not square. A calibration with "
                    "one length for both would find fx and fy that much apart; the card gives "
                    "each direction its own length where the tool takes two, and the reason "
                    "where it takes one.")
                     .arg(Percent(across / down));
    return lines;
}

QString BoardCard::rosCommand() const {
    if (!unusable(CardTool::Ros).isEmpty())
        return QString();
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    QString pattern = QStringLiteral("chessboard");
    QString size = Size(columns, rows);
    double square = side();
    QString extra;
    switch (t.kind) {
    case TargetKind::Checkerboard:
        size = Size(columns - 1, rows - 1);
        break;
    case TargetKind::Charuco:
        // ROS hands the squares to OpenCV's ChArUco board as they are.
        pattern = QStringLiteral("charuco");
        extra = QStringLiteral(" --charuco_marker_size %1 --aruco_dict %2")
                    .arg(QString::fromStdString(Float(square * t.markerFraction)),
                         RosDictionary(t.dictionary));
        break;
    case TargetKind::Circles:
        pattern = QStringLiteral("circles");
        break;
    case TargetKind::AsymmetricCircles:
        // ROS sets the circles up as OpenCV does: s is the row distance.
        pattern = QStringLiteral("acircles");
        square = m_cellHeight;
        break;
    case TargetKind::AprilGrid:
        return QString();
    }
    return QStringLiteral("ros2 run camera_calibration cameracalibrator --pattern %1 --size %2 "
                          "--square %3")
               .arg(pattern, size, QString::fromStdString(Float(square))) +
           extra + QLatin1String(kRosRemaps);
}

QString BoardCard::rosLayout() const {
    if (m_in.target.kind != TargetKind::Charuco || rosCommand().isEmpty())
        return QString();
    // The layouts differ only on a board with an even number of rows.
    if (m_in.rows % 2 != 0)
        return tr("alike in both of OpenCV's layouts: every ROS distribution reads it");
    return tr("OpenCV 4.6's layout: read by ROS distributions whose OpenCV is 4.6 or later (ROS 2 "
              "Jazzy on); an OpenCV before 4.6 (ROS 2 Humble) reads only the legacy layout");
}

std::string BoardCard::yaml() const {
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    const double w = m_cellWidth;
    const double h = m_cellHeight;
    const double s = side();
    YAML::Emitter out;
    out << YAML::BeginMap;
    const auto unusable = [&out](const QString& reason) {
        out << YAML::BeginMap << YAML::Key << "unusable" << YAML::Value << YAML::DoubleQuoted
            << Text(reason) << YAML::EndMap;
    };

    // Kalibr's target file, at the top level as Kalibr reads it.
    if (const QString reason = BoardCard::unusable(CardTool::Kalibr); !reason.isEmpty()) {
        out << YAML::Key << "kalibr" << YAML::Value;
        unusable(reason);
    } else {
        switch (t.kind) {
        case TargetKind::Checkerboard:
            // Inner corners; the row spacing is the distance between rows (down).
            out << YAML::Key << "target_type" << YAML::Value << "checkerboard";
            out << YAML::Key << "targetCols" << YAML::Value << columns - 1;
            out << YAML::Key << "targetRows" << YAML::Value << rows - 1;
            Length(out, "rowSpacingMeters", h);
            Length(out, "colSpacingMeters", w);
            break;
        case TargetKind::Circles:
        case TargetKind::AsymmetricCircles: {
            const bool asymmetric = t.kind == TargetKind::AsymmetricCircles;
            out << YAML::Key << "target_type" << YAML::Value << "circlegrid";
            out << YAML::Key << "targetCols" << YAML::Value << columns;
            out << YAML::Key << "targetRows" << YAML::Value << rows;
            Length(out, "spacingMeters", asymmetric ? h : s);
            out << YAML::Key << "asymmetricGrid" << YAML::Value << asymmetric;
            break;
        }
        case TargetKind::AprilGrid:
            out << YAML::Key << "target_type" << YAML::Value << "aprilgrid";
            out << YAML::Key << "tagCols" << YAML::Value << columns;
            out << YAML::Key << "tagRows" << YAML::Value << rows;
            Length(out, "tagSize", s / (1 + t.tagSpacing));
            out << YAML::Key << "tagSpacing" << YAML::Value << Float(t.tagSpacing);
            break;
        case TargetKind::Charuco:
            break;
        }
    }

    // OpenCV: the pattern size as its functions take it.
    out << YAML::Key << "opencv" << YAML::Value;
    if (const QString reason = BoardCard::unusable(CardTool::OpenCv); !reason.isEmpty()) {
        unusable(reason);
    } else {
        out << YAML::BeginMap;
        switch (t.kind) {
        case TargetKind::Checkerboard:
            out << YAML::Key << "function" << YAML::Value << "findChessboardCorners";
            Pair(out, "pattern_size", columns - 1, rows - 1);
            Length(out, "square_width", w);
            Length(out, "square_height", h);
            break;
        case TargetKind::Charuco:
            out << YAML::Key << "function" << YAML::Value << "CharucoBoard";
            Pair(out, "squares", columns, rows);
            Pair(out, "inner_corners", columns - 1, rows - 1);
            Length(out, "square_length", s);
            Length(out, "marker_length", s * t.markerFraction);
            out << YAML::Key << "dictionary" << YAML::Value << Text(t.dictionary);
            out << YAML::Key << "legacy_pattern" << YAML::Value << t.legacy;
            out << YAML::Key << "first_id" << YAML::Value << t.firstId;
            break;
        case TargetKind::Circles:
        case TargetKind::AsymmetricCircles: {
            const bool asymmetric = t.kind == TargetKind::AsymmetricCircles;
            out << YAML::Key << "function" << YAML::Value << "findCirclesGrid";
            Pair(out, "pattern_size", columns, rows);
            out << YAML::Key << "flags" << YAML::Value
                << (asymmetric ? "CALIB_CB_ASYMMETRIC_GRID" : "CALIB_CB_SYMMETRIC_GRID");
            if (asymmetric) {
                // Object points ((2j + i mod 2) s, i s).
                Length(out, "spacing", h);
            } else {
                Length(out, "spacing_across", w);
                Length(out, "spacing_down", h);
            }
            Length(out, "circle_diameter", std::min(w, h) * t.diameterFraction);
            break;
        }
        case TargetKind::AprilGrid:
            out << YAML::Key << "function" << YAML::Value << "detectMarkers";
            out << YAML::Key << "dictionary" << YAML::Value << kAprilTagDictionary;
            out << YAML::Key << "marker_border_bits" << YAML::Value << kAprilTagBorderBits;
            Pair(out, "tags", columns, rows);
            Length(out, "marker_length", s / (1 + t.tagSpacing));
            Length(out, "tag_pitch", s);
            out << YAML::Key << "first_id" << YAML::Value << t.firstId;
            out << YAML::Key << "id_order" << YAML::Value
                << "columns * y + x + first_id, y counted from the bottom row";
            break;
        }
        out << YAML::EndMap;
    }

    // ROS: the command line, or why there is none.
    out << YAML::Key << "ros" << YAML::Value;
    if (const QString reason = BoardCard::unusable(CardTool::Ros); !reason.isEmpty()) {
        unusable(reason);
    } else {
        out << YAML::BeginMap;
        out << YAML::Key << "command" << YAML::Value << YAML::DoubleQuoted << Text(rosCommand());
        if (const QString layout = rosLayout(); !layout.isEmpty())
            out << YAML::Key << "opencv_layout" << YAML::Value << YAML::DoubleQuoted
                << Text(layout);
        out << YAML::EndMap;
    }

    // The page the board was made on, and the board's cells on it: as asked,
    // as drawn, as measured.
    const int across = CellsAcross(t, columns);
    const auto board = [&](const char* key, double cellWidth, double cellHeight) {
        out << YAML::Key << key << YAML::Value << YAML::Flow << YAML::BeginSeq
            << Float(across * cellWidth) << Float(rows * cellHeight) << YAML::EndSeq;
    };
    out << YAML::Key << "page" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "printer" << YAML::Value << YAML::DoubleQuoted << Text(m_page.printer);
    out << YAML::Key << "paper" << YAML::Value << YAML::DoubleQuoted << Text(m_page.paper);
    out << YAML::Key << "resolution_dpi" << YAML::Value << YAML::Flow << YAML::BeginSeq
        << Float(m_in.dpiX) << Float(m_in.dpiY) << YAML::EndSeq;
    out << YAML::Key << "scale_correction_percent" << YAML::Value << YAML::Flow << YAML::BeginSeq
        << Float(m_in.correction.across * kPercent) << Float(m_in.correction.down * kPercent)
        << YAML::EndSeq;
    board("board_nominal_m", m_nominalWidth, m_nominalHeight);
    board("board_drawn_m", m_drawnWidth, m_drawnHeight);
    if (m_page.measuredWidth > 0 && m_page.measuredHeight > 0)
        board("board_measured_m", m_cellWidth, m_cellHeight);
    if (m_page.pngDpi > 0)
        out << YAML::Key << "png_resolution_ppi" << YAML::Value << m_page.pngDpi;
    if (m_page.tilesAcross > 0 && m_page.tilesDown > 0) {
        // What a ruler checks once the sheets are assembled: the cells' outer size.
        out << YAML::Key << "tiled" << YAML::Value << YAML::BeginMap;
        out << YAML::Key << "sheets" << YAML::Value << m_page.tilesAcross * m_page.tilesDown;
        out << YAML::Key << "across" << YAML::Value << m_page.tilesAcross;
        out << YAML::Key << "down" << YAML::Value << m_page.tilesDown;
        board("measure_cells_m", m_drawnWidth, m_drawnHeight);
        out << YAML::Key << "check" << YAML::Value << YAML::DoubleQuoted
            << Text(tr("Measure the assembled board's cells across and down with a ruler and "
                       "give them to --measured."));
        out << YAML::EndMap;
    }
    if (!m_page.screen.isEmpty())
        out << YAML::Key << "screen" << YAML::Value << YAML::DoubleQuoted << Text(m_page.screen);
    out << YAML::Key << "date" << YAML::Value << YAML::DoubleQuoted
        << Text(m_page.date.toString(Qt::ISODate));
    out << YAML::EndMap;

    out << YAML::EndMap;
    return std::string(out.c_str()) + '\n';
}

void BoardCard::write(const QString& path) const {
    const std::string text = yaml();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(path, file.errorString());
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}
