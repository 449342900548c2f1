// SPDX-License-Identifier: MIT
#include "cli/CommandLineParser.h"

#include "model/EchoedText.h"
#include "model/NumberText.h"
#include "model/Units.h"
#include "output/SameFile.h"
#include "targets/MarkerDictionary.h"
#include "targets/TargetCheck.h"
#include "targets/TargetKindName.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSizeF>
#include <cmath>

namespace {

constexpr int kCountMin = 2;
constexpr int kCountMax = 100;
constexpr int kResolutionMin = 72;
constexpr int kResolutionMax = 9600;
constexpr int kFirstIdMax = 1 << 20; // far beyond any dictionary

QString tr(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

// A bad option value: reported as "--name: expected FORM, not 'TEXT'".
struct BadValue {
    QString message;
};

[[noreturn]] void Reject(const QString& option, const QString& expected, const QString& text) {
    throw BadValue{tr("--%1: expected %2, not '%3'").arg(option, expected, Echoed(text))};
}

const QString kNumber = QStringLiteral("((?:\\d+(?:\\.\\d*)?|\\.\\d+)(?:[eE][+-]?\\d+)?)");
const QString kUnits = QStringLiteral("(cm|mm|m|in|inches|px|pixels)");

// The window's unit index of a unit word; mm and m are counted in cm.
int UnitOf(const QString& word, double& factor) {
    factor = 1;
    if (word == QLatin1String("mm")) {
        factor = 1 / kMillimetresPerCm;
        return kUnitCm;
    }
    if (word == QLatin1String("m")) {
        factor = kCentimetresPerMetre;
        return kUnitCm;
    }
    if (word == QLatin1String("cm"))
        return kUnitCm;
    if (word.startsWith(QLatin1String("in")))
        return kUnitInches;
    return kUnitPixels;
}

SizeOption ParseSize(const QString& option, const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^%1(?:[x×]%1)?\\s*%2$").arg(kNumber, kUnits),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    SizeOption size;
    if (m.hasMatch()) {
        double factor = 1;
        size.unit = UnitOf(m.captured(3).toLower(), factor);
        size.width = m.captured(1).toDouble() * factor;
        size.height = (m.captured(2).isEmpty() ? m.captured(1) : m.captured(2)).toDouble() * factor;
    }
    if (!(size.width > 0 && size.height > 0 && std::isfinite(size.width) &&
          std::isfinite(size.height)))
        Reject(option, tr("a size above 0 such as 3cm or 2.5x3cm (m, cm, mm, in, px)"), text);
    return size;
}

LengthOption ParseLength(const QString& option, const QString& text) {
    static const QRegularExpression form(QStringLiteral("^-?%1\\s*%2$").arg(kNumber, kUnits),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    LengthOption length;
    const bool negative = m.hasMatch() && text.trimmed().startsWith(QLatin1Char('-'));
    double factor = 1;
    if (m.hasMatch()) {
        length.unit = UnitOf(m.captured(2).toLower(), factor);
        length.value = (negative ? -1 : 1) * m.captured(1).toDouble() * factor;
    }
    if (!m.hasMatch() || !std::isfinite(length.value))
        Reject(option, tr("a length such as 5mm, 0.5cm or 0.2in (m, cm, mm, in, px)"), text);
    return length;
}

int ParseInteger(const QString& option, const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < min || value > max)
        Reject(option, tr("a whole number from %1 to %2").arg(min).arg(max), text);
    return value;
}

// A number; its range is the target's to check. example: a usual value of that
// option, shown in the message.
double ParseNumber(const QString& option, const QString& text, const char* example) {
    static const QRegularExpression form(QStringLiteral("^%1$").arg(kNumber));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        Reject(option, tr("a number such as %1").arg(QLatin1String(example)), text);
    return m.captured(1).toDouble();
}

int ParseChoice(const QString& option, const QString& text, const QStringList& choices) {
    const int index = int(choices.indexOf(text.trimmed().toLower()));
    if (index < 0)
        Reject(option, choices.join(QLatin1Char('|')), text);
    return index;
}

void ParseAlignment(const QString& text, BoardOptions& board) {
    const QStringList parts = text.split(QLatin1Char(','));
    const QStringList across = {QStringLiteral("left"), QStringLiteral("center"),
                                QStringLiteral("right")};
    const QStringList down = {QStringLiteral("top"), QStringLiteral("center"),
                              QStringLiteral("bottom")};
    const int h = parts.size() == 2 ? int(across.indexOf(parts[0].trimmed().toLower())) : -1;
    const int v = parts.size() == 2 ? int(down.indexOf(parts[1].trimmed().toLower())) : -1;
    if (h < 0 || v < 0)
        Reject(QStringLiteral("align"),
               tr("HORIZONTAL,VERTICAL: left|center|right,top|center|bottom"), text);
    board.horizontal = h;
    board.vertical = v;
}

// A paper by its name (A4, Letter, A3, Legal, ...) or as WxH with a unit.
QPageSize ParsePaper(const QString& text) {
    const QString name = text.trimmed();
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto size = QPageSize::PageSizeId(id);
        if (size != QPageSize::Custom &&
            QPageSize::key(size).compare(name, Qt::CaseInsensitive) == 0)
            return QPageSize(size);
    }
    static const QRegularExpression form(QStringLiteral("^%1[x×]%1\\s*(mm|cm|m|in)$").arg(kNumber),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(name);
    if (m.hasMatch()) {
        const QString unit = m.captured(3).toLower();
        const double factor = unit == QLatin1String("cm") ? kMillimetresPerCm
                              : unit == QLatin1String("m")
                                  ? kMillimetresPerCm * kCentimetresPerMetre
                                  : 1;
        const QSizeF size(m.captured(1).toDouble() * factor, m.captured(2).toDouble() * factor);
        const QPageSize paper(size,
                              unit == QLatin1String("in") ? QPageSize::Inch : QPageSize::Millimeter,
                              QString(), QPageSize::ExactMatch);
        if (size.width() > 0 && size.height() > 0 && paper.isValid())
            return paper;
    }
    Reject(QStringLiteral("paper"),
           tr("a paper name (A4, Letter, A3, Legal, ...) or WxH in mm, cm, m or in"), text);
}

struct Option {
    const char* name;
    const char* valueName; // nullptr: a switch
    const char* description;
};

const Option kOptions[] = {
    {"output", "FILE",
     "Write the page to FILE, as PDF, SVG or PNG by its extension; a PNG holds the paper's "
     "pixels at --resolution."},
    {"print", nullptr, "Print the page on the default printer."},
    {"printer", "NAME", "Print the page on the printer NAME; a file gets its page too."},
    {"columns", "N",
     "Cells across, 2 to 100 (5): squares (checkerboard, ChArUco), circles in a row (circle "
     "grids) or tags (AprilGrid); the board follows the cell."},
    {"rows", "N", "Cells down, 2 to 100 (6): squares, rows of circles or tags."},
    {"checker", "SIZE",
     "Size of one cell, the square or the pitch of circles or tags: 3cm, or 2.5x3cm for the "
     "checkerboard alone, 0.026m; units m, cm, mm, in, px (3cm)."},
    {"board", "SIZE",
     "Size of the whole board, such as 15x18cm; the cells follow, square ones the largest that "
     "fit, and the board then follows them."},
    {"keep-constant", nullptr,
     "Counts keep the cell size, as they always do now; kept for older scripts."},
    {"align", "H,V",
     "Where the board stands: left|center|right,top|center|bottom (center,center)."},
    {"no-frame", nullptr, "No frame around the board."},
    {"frame-distance", "LENGTH", "Frame distance from the board (a fifth of the cell)."},
    {"no-caption", nullptr, "No size caption."},
    {"caption-distance", "LENGTH", "Size caption distance from the board (a tenth of the cell)."},
    {"target", "KIND",
     "What the board holds: checkerboard|charuco|circles|acircles|aprilgrid (checkerboard)."},
    {"dictionary", "NAME",
     "ChArUco: OpenCV's marker dictionary, such as DICT_4X4_50 or 5x5_1000 "
     "(DICT_6X6_250)."},
    {"marker", "FRACTION", "ChArUco: the marker side as a fraction of the square side (0.75)."},
    {"first-id", "N",
     "ChArUco and AprilGrid: the first marker's ID, for several boards in one scene (0); the "
     "AprilGrid's first tag is the bottom-left one."},
    {"tag-spacing", "FRACTION",
     "AprilGrid: the gap between tags as a fraction of the tag side, above 0 to 1 (0.3); the "
     "checker is the pitch, tag x (1 + spacing)."},
    {"legend", nullptr,
     "Name the checkerboard in a line beneath it; the other kinds always have that line."},
    {"tag", "SIZE",
     "AprilGrid: the tag's side, as Kalibr's tagSize; the pitch follows, tag x (1 + spacing). "
     "Not with --checker or --board."},
    {"measured", "WIDTHxHEIGHT",
     "The outer size of the printed board's cells as measured, units as --board; every length "
     "in the card follows it."},
    {"tile", nullptr,
     "A board larger than the page: split it over as many sheets of the paper as it needs, "
     "seams on cell edges with an overlap, alignment marks and labels, one PDF page a sheet "
     "after a page that shows the assembly."},
    {"card", "FILE.yaml",
     "Also write the board card: Kalibr's target file with OpenCV's and ROS's settings and the "
     "page."},
    {"legacy", nullptr,
     "ChArUco: OpenCV's layout before 4.6; with an even number of rows the top-left square is "
     "white and holds the first marker."},
    {"diameter", "FRACTION",
     "Circle grids: the circle diameter as a fraction of the pitch, the smaller side of a cell "
     "(0.5)."},
    {"paper", "PAPER",
     "Files: A4, Letter, A3, ... or WxH in mm, cm, m, in (the printer's paper); for a phone or "
     "tablet, its screen in mm."},
    {"orientation", "portrait|landscape", "Files: orientation of the paper (the printer's)."},
    {"margins", "LENGTH",
     "Files: unprintable border on every side (the printer's; 0 with --paper)."},
    {"resolution", "DPI",
     "Files: dots per inch the page is drawn at (the printer's, 1200); for a phone or tablet, "
     "its pixels per inch."},
    {"scale", "PERCENT",
     "Scale correction, percent across x down (100.4x99.7; one figure for both), 95 to 105: "
     "lengths are drawn that much larger. Without it the printer's page gets the correction "
     "stored for that printer, and a file on a --paper of its own none."},
};

// The end of --help: the three boards people come for, each with its card.
QString HelpExamples() {
    return tr("\nExamples:\n"
              "  A checkerboard for OpenCV, 9 x 6 inner corners 25 mm apart:\n"
              "    quadrix --columns 10 --rows 7 --checker 25mm --paper A4 --orientation landscape "
              "--output checkerboard.pdf --card checkerboard.yaml\n"
              "  A ChArUco board for ROS, printed on the default printer; the report ends with "
              "the ROS command:\n"
              "    quadrix --target charuco --columns 8 --rows 11 --checker 24mm --print --card "
              "charuco.yaml\n"
              "  An AprilGrid of 2 cm tags for Kalibr; the card is Kalibr's target file:\n"
              "    quadrix --target aprilgrid --columns 6 --rows 7 --checker 0.026m --paper A4 "
              "--output aprilgrid.pdf --card aprilgrid.yaml\n");
}

// The options that set a target's own parameters.
const struct {
    const char* name;
    TargetField field;
} kTargetOptions[] = {
    {"dictionary", TargetField::Dictionary},  {"marker", TargetField::MarkerFraction},
    {"legacy", TargetField::Legacy},          {"first-id", TargetField::FirstId},
    {"tag-spacing", TargetField::TagSpacing}, {"diameter", TargetField::Diameter},
    {"legend", TargetField::Legend}};

// The target's kind and options; a board that cannot be made is refused here,
// before anything is drawn, by the target's own checks (the window's too),
// naming the option at fault. An option the kind does not use is warned of.
void ReadTarget(const QCommandLineParser& parser, BoardOptions& b, QStringList& warnings) {
    const auto value = [&parser](const char* name) { return parser.value(QLatin1String(name)); };
    const auto isSet = [&parser](const char* name) { return parser.isSet(QLatin1String(name)); };
    TargetOptions& t = b.target;
    if (isSet("target") && !TargetKindFromKey(value("target"), t.kind))
        Reject(QStringLiteral("target"), TargetKindKeys().join(QLatin1Char('|')), value("target"));
    if (isSet("dictionary")) {
        const MarkerDictionary* d = FindDictionary(value("dictionary"));
        if (!d)
            Reject(QStringLiteral("dictionary"),
                   tr("one of %1").arg(DictionaryNames().join(QStringLiteral(", "))),
                   value("dictionary"));
        t.dictionary = d->name;
    }
    if (isSet("marker"))
        t.markerFraction = ParseNumber(QStringLiteral("marker"), value("marker"), "0.75");
    if (isSet("first-id"))
        t.firstId = ParseInteger(QStringLiteral("first-id"), value("first-id"), 0, kFirstIdMax);
    t.legacy = isSet("legacy");
    if (isSet("tag-spacing"))
        t.tagSpacing = ParseNumber(QStringLiteral("tag-spacing"), value("tag-spacing"), "0.3");
    t.legend = isSet("legend");
    if (isSet("diameter"))
        t.diameterFraction = ParseNumber(QStringLiteral("diameter"), value("diameter"), "0.5");
    for (const auto& [name, field] : kTargetOptions) {
        if (!isSet(name))
            continue;
        if (const QString problem = TargetValueProblem(t, field); !problem.isEmpty())
            throw BadValue{QStringLiteral("--%1 %2: %3")
                               .arg(QLatin1String(name), Echoed(value(name)), problem)};
        if (!TargetUses(t.kind, field))
            warnings << tr("--%1 does nothing for --target %2; it is ignored")
                            .arg(QLatin1String(name), TargetKindKey(t.kind));
    }
    const QString problem = TargetProblem(t, b.columns, b.rows);
    if (!problem.isEmpty())
        throw BadValue{problem};
    if (b.checker && NeedsSquareCells(t.kind) && b.checker->width != b.checker->height)
        Reject(QStringLiteral("checker"),
               tr("one size such as 3cm: the cells of --target %1 are square")
                   .arg(TargetKindKey(t.kind)),
               value("checker"));
}

// Options that shape what is not made: warned of, as the run goes on.
void WarnUnused(const QCommandLineParser& parser, const OutputOptions& o, QStringList& warnings) {
    const auto isSet = [&parser](const char* name) { return parser.isSet(QLatin1String(name)); };
    const struct {
        const char* name;
        bool unused;
        const char* why;
    } options[] = {
        {"frame-distance", isSet("no-frame"), "--no-frame"},
        {"caption-distance", isSet("no-caption"), "--no-caption"},
        {"paper", o.file.isEmpty(), "no --output"},
        {"orientation", o.file.isEmpty(), "no --output"},
        {"margins", o.file.isEmpty(), "no --output"},
        {"resolution", o.file.isEmpty(), "no --output"},
    };
    for (const auto& [name, unused, why] : options)
        if (unused && isSet(name))
            warnings << tr("--%1 does nothing with %2; it is ignored")
                            .arg(QLatin1String(name), QLatin1String(why));
}

// Kalibr's word for the AprilGrid's size: the tag; the pitch follows from it.
void ReadTag(const QString& text, BoardOptions& b) {
    if (b.target.kind != TargetKind::AprilGrid)
        throw BadValue{tr("--tag: only the AprilGrid has tags; give --target aprilgrid")};
    if (b.checker || b.board)
        throw BadValue{tr("--tag and --%1: give one of them, the other follows")
                           .arg(b.checker ? QStringLiteral("checker") : QStringLiteral("board"))};
    const SizeOption tag = ParseSize(QStringLiteral("tag"), text);
    if (tag.width != tag.height)
        Reject(QStringLiteral("tag"), tr("one side such as 8.8cm (a tag is square)"), text);
    const double pitch = tag.width * (1 + b.target.tagSpacing);
    b.checker = SizeOption{pitch, pitch, tag.unit};
}

void Read(const QCommandLineParser& parser, CommandLineOptions& options, QStringList& warnings) {
    BoardOptions& b = options.board;
    OutputOptions& o = options.output;
    const auto value = [&parser](const char* name) { return parser.value(QLatin1String(name)); };
    const auto isSet = [&parser](const char* name) { return parser.isSet(QLatin1String(name)); };

    o.file = value("output");
    o.card = value("card");
    o.printerName = value("printer");
    o.print = isSet("print") || isSet("printer");
    if (isSet("printer") && o.printerName.trimmed().isEmpty())
        Reject(QStringLiteral("printer"), tr("the name of a printer"), o.printerName);
    if (isSet("columns"))
        b.columns = ParseInteger(QStringLiteral("columns"), value("columns"), kCountMin, kCountMax);
    if (isSet("rows"))
        b.rows = ParseInteger(QStringLiteral("rows"), value("rows"), kCountMin, kCountMax);
    if (isSet("checker"))
        b.checker = ParseSize(QStringLiteral("checker"), value("checker"));
    if (isSet("board"))
        b.board = ParseSize(QStringLiteral("board"), value("board"));
    if (b.checker && b.board)
        throw BadValue{tr("--checker and --board: give one of them, the other follows")};
    b.keepConstant = isSet("keep-constant");
    if (isSet("align"))
        ParseAlignment(value("align"), b);
    b.frame = !isSet("no-frame");
    if (isSet("frame-distance"))
        b.frameDistance = ParseLength(QStringLiteral("frame-distance"), value("frame-distance"));
    b.caption = !isSet("no-caption");
    if (isSet("caption-distance"))
        b.captionDistance =
            ParseLength(QStringLiteral("caption-distance"), value("caption-distance"));
    ReadTarget(parser, b, warnings);
    if (isSet("tag"))
        ReadTag(value("tag"), b);
    if (isSet("measured"))
        o.measured = ParseSize(QStringLiteral("measured"), value("measured"));
    if (isSet("paper"))
        o.paper = ParsePaper(value("paper"));
    if (isSet("orientation"))
        o.orientation = ParseChoice(QStringLiteral("orientation"), value("orientation"),
                                    {QStringLiteral("portrait"), QStringLiteral("landscape")}) == 0
                            ? QPageLayout::Portrait
                            : QPageLayout::Landscape;
    if (isSet("margins")) {
        o.margins = ParseLength(QStringLiteral("margins"), value("margins"));
    }
    if (isSet("resolution"))
        o.resolution = ParseInteger(QStringLiteral("resolution"), value("resolution"),
                                    kResolutionMin, kResolutionMax);
    if (isSet("scale")) {
        ScaleCorrection scale;
        if (!ParseCorrectionPercent(value("scale"), scale))
            Reject(QStringLiteral("scale"),
                   tr("percent across x down from 95 to 105, such as 100.4x99.7 or 101"),
                   value("scale"));
        o.scale = scale;
    }
    if (!parser.positionalArguments().isEmpty())
        throw BadValue{tr("unexpected argument '%1'; options start with --")
                           .arg(Echoed(parser.positionalArguments().constFirst()))};
    if (o.file.isEmpty() && !o.print)
        throw BadValue{tr("nothing to make: give --output FILE, --print or --printer NAME")};
    if (isSet("output") && !FormatForFile(o.file, o.format))
        Reject(QStringLiteral("output"), tr("a file name ending in .pdf, .svg or .png"), o.file);
    o.tile = isSet("tile");
    if (o.tile && !o.file.isEmpty() && o.format != FileFormat::Pdf)
        throw BadValue{tr("--tile: the sheets of a tiled board are pages of one PDF file; %1 "
                          "holds one page. Give --output FILE.pdf.")
                           .arg(FormatName(o.format))};
    if (isSet("card") && o.card.isEmpty())
        Reject(QStringLiteral("card"), tr("a file name for the board card"), o.card);
    // Written second, the card would replace the page.
    if (!o.card.isEmpty() && !o.file.isEmpty() && SameFile(o.file, o.card))
        throw BadValue{tr("--card: %1 is the file --output writes; give the card a name of its own")
                           .arg(EchoedName(o.card))};
    WarnUnused(parser, o, warnings);
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Makes a calibration target (checkerboard, ChArUco, circle grid or AprilGrid) at its "
           "exact size: "
           "as a PDF, SVG or PNG file, or printed. Without options, opens the window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const Option& option : kOptions) {
        if (option.valueName)
            parser.addOption({QLatin1String(option.name), tr(option.description),
                              QLatin1String(option.valueName)});
        else
            parser.addOption({QLatin1String(option.name), tr(option.description)});
    }

    ParsedCommandLine result;
    if (!parser.parse(arguments)) {
        result.action = ParsedCommandLine::Action::Error;
        result.text = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.action = ParsedCommandLine::Action::Help;
        result.text = parser.helpText() + HelpExamples();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = ParsedCommandLine::Action::Version;
        result.text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion();
        return result;
    }
    try {
        Read(parser, result.options, result.warnings);
    } catch (const BadValue& bad) {
        result.action = ParsedCommandLine::Action::Error;
        result.text = bad.message;
    }
    return result;
}

namespace {

QString UnitSuffix(int unit) {
    return unit == kUnitCm       ? QStringLiteral("cm")
           : unit == kUnitInches ? QStringLiteral("in")
                                 : QStringLiteral("px");
}

constexpr int kFullDigits = 15;

// factor: the unit the value is written in (100 for percent).
QString NumberArgument(double value, NumberForm form = NumberForm::Full, double factor = 1) {
    return form == NumberForm::Shortest ? ShortestSingleText(value, factor)
                                        : QString::number(value * factor, 'g', kFullDigits);
}

// The target's kind and the options of its own that differ from the defaults.
QStringList TargetArguments(const TargetOptions& t, NumberForm form) {
    const TargetOptions defaults;
    QStringList args;
    if (t.kind == TargetKind::Checkerboard)
        return t.legend ? QStringList{QStringLiteral("--legend")} : args;
    args << QStringLiteral("--target") << TargetKindKey(t.kind);
    if (t.kind == TargetKind::AprilGrid && t.tagSpacing != defaults.tagSpacing)
        args << QStringLiteral("--tag-spacing") << NumberArgument(t.tagSpacing, form);
    if (t.kind == TargetKind::Charuco) {
        if (t.dictionary != defaults.dictionary)
            args << QStringLiteral("--dictionary") << t.dictionary;
        if (t.markerFraction != defaults.markerFraction)
            args << QStringLiteral("--marker") << NumberArgument(t.markerFraction, form);
        if (t.legacy)
            args << QStringLiteral("--legacy");
    }
    if ((t.kind == TargetKind::Charuco || t.kind == TargetKind::AprilGrid) &&
        t.firstId != defaults.firstId)
        args << QStringLiteral("--first-id") << QString::number(t.firstId);
    if ((t.kind == TargetKind::Circles || t.kind == TargetKind::AsymmetricCircles) &&
        t.diameterFraction != defaults.diameterFraction)
        args << QStringLiteral("--diameter") << NumberArgument(t.diameterFraction, form);
    return args;
}

} // namespace

QStringList BoardArguments(const BoardOptions& o, NumberForm form) {
    static const char* const across[] = {"left", "center", "right"};
    static const char* const down[] = {"top", "center", "bottom"};
    QStringList args;
    args << QStringLiteral("--columns") << QString::number(o.columns) << QStringLiteral("--rows")
         << QString::number(o.rows);
    if (o.checker)
        args << QStringLiteral("--checker")
             << NumberArgument(o.checker->width, form) + QLatin1Char('x') +
                    NumberArgument(o.checker->height, form) + UnitSuffix(o.checker->unit);
    if (o.keepConstant)
        args << QStringLiteral("--keep-constant");
    args << QStringLiteral("--align")
         << QStringLiteral("%1,%2").arg(QLatin1String(across[qBound(0, o.horizontal, 2)]),
                                        QLatin1String(down[qBound(0, o.vertical, 2)]));
    if (!o.frame)
        args << QStringLiteral("--no-frame");
    else if (o.frameDistance)
        args << QStringLiteral("--frame-distance")
             << NumberArgument(o.frameDistance->value, form) + UnitSuffix(o.frameDistance->unit);
    if (!o.caption)
        args << QStringLiteral("--no-caption");
    else if (o.captionDistance)
        args << QStringLiteral("--caption-distance")
             << NumberArgument(o.captionDistance->value, form) +
                    UnitSuffix(o.captionDistance->unit);
    args << TargetArguments(o.target, form);
    return args;
}

QStringList PageArguments(const QPageLayout& layout, int dpi) {
    const QPageSize paper = layout.pageSize();
    QString name = paper.key();
    if (paper.id() == QPageSize::Custom) {
        const QSizeF mm = paper.size(QPageSize::Millimeter);
        name = NumberArgument(mm.width()) + QLatin1Char('x') + NumberArgument(mm.height()) +
               QStringLiteral("mm");
    }
    QStringList args{QStringLiteral("--paper"),
                     name,
                     QStringLiteral("--orientation"),
                     layout.orientation() == QPageLayout::Portrait ? QStringLiteral("portrait")
                                                                   : QStringLiteral("landscape"),
                     QStringLiteral("--resolution"),
                     QString::number(dpi)};
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    if (m.left() == m.top() && m.left() == m.right() && m.left() == m.bottom())
        args << QStringLiteral("--margins") << NumberArgument(m.left()) + QStringLiteral("mm");
    return args;
}

QStringList ScaleArguments(const ScaleCorrection& c, NumberForm form) {
    constexpr double kPercent = 100;
    if (c.isIdentity())
        return {};
    return {QStringLiteral("--scale"), NumberArgument(c.across, form, kPercent) + QLatin1Char('x') +
                                           NumberArgument(c.down, form, kPercent)};
}
