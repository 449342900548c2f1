// SPDX-License-Identifier: MIT
#include "card/BoardCard.h"

#include "model/NumberText.h"
#include "model/Units.h"
#include "output/FileError.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <yaml-cpp/yaml.h>

namespace {

constexpr double kMetresPerCm = 0.01;
constexpr double kMetresPerInch = 0.0254;
constexpr double kPercent = 100;
// Enough digits for a micrometre on any board.
constexpr int kMetreDigits = 9;
// The AprilGrid's tags: OpenCV's name and the black border's width in bits.
const char* const kAprilTagDictionary = "DICT_APRILTAG_36h11";
constexpr int kAprilTagBorderBits = 2;

QString tr(const char* text) {
    return QCoreApplication::translate("BoardCard", text);
}

// A length in metres from a text in the sheet's unit.
double Metres(const QString& text, const QString& unitName, float dpi) {
    const double value = StrToFloatDef(text, 0);
    if (unitName == UnitName(kUnitCm))
        return value * kMetresPerCm;
    if (unitName == UnitName(kUnitInches))
        return value * kMetresPerInch;
    return dpi > 0 ? value / dpi * kMetresPerInch : 0;
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
    m_cellWidth = Metres(in.checkerWidthText, in.unitName, in.dpiX);
    m_cellHeight = Metres(in.checkerHeightText, in.unitName, in.dpiY);
}

QString BoardCard::rosCommand() const {
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    const QString square = QString::fromStdString(Float(m_cellWidth));
    QString pattern;
    QString size;
    QString extra;
    switch (m_in.target.kind) {
    case TargetKind::Checkerboard:
        pattern = QStringLiteral("chessboard");
        size = Size(columns - 1, rows - 1);
        break;
    case TargetKind::Charuco: {
        // ROS hands the squares to OpenCV's ChArUco board as they are.
        const QString dictionary = RosDictionary(m_in.target.dictionary);
        if (dictionary.isEmpty())
            return tr("ROS camera_calibration has no dictionary %1").arg(m_in.target.dictionary);
        pattern = QStringLiteral("charuco");
        size = Size(columns, rows);
        extra = QStringLiteral(" --charuco_marker_size %1 --aruco_dict %2")
                    .arg(QString::fromStdString(Float(m_cellWidth * m_in.target.markerFraction)),
                         dictionary);
        break;
    }
    case TargetKind::Circles:
        pattern = QStringLiteral("circles");
        size = Size(columns, rows);
        break;
    case TargetKind::AsymmetricCircles:
        // ROS sets the circles up as OpenCV does: s is the row distance.
        pattern = QStringLiteral("acircles");
        size = Size(columns, rows);
        return QStringLiteral("ros2 run camera_calibration cameracalibrator --pattern %1 --size %2 "
                              "--square %3")
            .arg(pattern, size, QString::fromStdString(Float(m_cellHeight)));
    case TargetKind::AprilGrid:
        return tr("ROS camera_calibration reads no AprilGrid");
    }
    return QStringLiteral("ros2 run camera_calibration cameracalibrator --pattern %1 --size %2 "
                          "--square %3")
               .arg(pattern, size, square) +
           extra;
}

std::string BoardCard::yaml() const {
    const TargetOptions& t = m_in.target;
    const int columns = m_in.columns;
    const int rows = m_in.rows;
    const double w = m_cellWidth;
    const double h = m_cellHeight;
    YAML::Emitter out;
    out << YAML::BeginMap;

    // Kalibr's target file, at the top level as Kalibr reads it.
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
        Length(out, "spacingMeters", asymmetric ? h : w);
        out << YAML::Key << "asymmetricGrid" << YAML::Value << asymmetric;
        break;
    }
    case TargetKind::AprilGrid:
        out << YAML::Key << "target_type" << YAML::Value << "aprilgrid";
        out << YAML::Key << "tagCols" << YAML::Value << columns;
        out << YAML::Key << "tagRows" << YAML::Value << rows;
        Length(out, "tagSize", w / (1 + t.tagSpacing));
        out << YAML::Key << "tagSpacing" << YAML::Value << Float(t.tagSpacing);
        break;
    case TargetKind::Charuco:
        break; // Kalibr has no ChArUco target
    }

    // OpenCV: the pattern size as its functions take it.
    out << YAML::Key << "opencv" << YAML::Value << YAML::BeginMap;
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
        Length(out, "square_length", w);
        Length(out, "marker_length", w * t.markerFraction);
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
        Length(out, "marker_length", w / (1 + t.tagSpacing));
        Length(out, "tag_pitch", w);
        out << YAML::Key << "first_id" << YAML::Value << t.firstId;
        out << YAML::Key << "id_order" << YAML::Value
            << "columns * y + x + first_id, y counted from the bottom row";
        break;
    }
    out << YAML::EndMap;

    // ROS: the command line, or why there is none.
    const QString ros = rosCommand();
    out << YAML::Key << "ros" << YAML::Value << YAML::BeginMap;
    const bool hasCommand = ros.startsWith(QLatin1String("ros2 "));
    out << YAML::Key << (hasCommand ? "command" : "unsupported") << YAML::Value
        << YAML::DoubleQuoted << Text(ros);
    out << YAML::EndMap;

    // The page the board was made on.
    out << YAML::Key << "page" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "printer" << YAML::Value << YAML::DoubleQuoted << Text(m_page.printer);
    out << YAML::Key << "paper" << YAML::Value << YAML::DoubleQuoted << Text(m_page.paper);
    out << YAML::Key << "resolution_dpi" << YAML::Value << YAML::Flow << YAML::BeginSeq
        << Float(m_in.dpiX) << Float(m_in.dpiY) << YAML::EndSeq;
    out << YAML::Key << "scale_correction_percent" << YAML::Value << YAML::Flow << YAML::BeginSeq
        << Float(m_in.correction.across * kPercent) << Float(m_in.correction.down * kPercent)
        << YAML::EndSeq;
    if (m_page.pngDpi > 0)
        out << YAML::Key << "png_resolution_ppi" << YAML::Value << m_page.pngDpi;
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
