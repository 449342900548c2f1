// SPDX-License-Identifier: MIT
#include "cli/CommandLine.h"

#include "card/BoardCard.h"

#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "cli/SheetReport.h"
#include "model/ConversionError.h"
#include "model/NoSuchPrinter.h"
#include "model/NumberText.h"
#include "model/Units.h"
#include "output/DestinationPrinter.h"
#include "output/SheetFile.h"
#include "render/BoardFit.h"
#include "render/SheetPrinter.h"
#include "render/TilePlan.h"
#include "targets/TargetCheck.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

// Qt's printers draw at this resolution; a file on a paper of its own too.
constexpr int kFileResolution = 1200;
constexpr int kReportDigits = 6;

QString tr(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

// An error that ends the run with its exit code.
struct RunError {
    int exitCode;
    QString message;
};

double Millimetres(const LengthOption& length, int dpi) {
    switch (length.unit) {
    case kUnitCm:
        return length.value * kMillimetresPerCm;
    case kUnitInches:
        return length.value * kMillimetresPerInch;
    default:
        return length.value / dpi * kMillimetresPerInch;
    }
}

// The file's page: the printer's (as Print would use it) or a paper of its
// own with no unprintable border; then the options that change it.
FilePage PageFor(const OutputOptions& o, const PrinterDevice* printer) {
    FilePage page;
    if (o.paper) {
        page.layout =
            QPageLayout(*o.paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
        page.dpi = kFileResolution;
    } else {
        page = PrinterFilePage(*printer);
    }
    if (o.resolution)
        page.dpi = *o.resolution;
    if (o.orientation)
        page.layout.setOrientation(*o.orientation);
    if (const QString problem = UndrawablePage(page.layout, page.dpi); !problem.isEmpty())
        throw RunError{kExitBadInput, problem};
    if (o.margins) {
        const double mm = Millimetres(*o.margins, page.dpi);
        page.layout.setUnits(QPageLayout::Millimeter);
        page.layout.setMinimumMargins(QMarginsF());
        if (!page.layout.setMargins(QMarginsF(mm, mm, mm, mm)) || page.printableRect().isEmpty())
            throw RunError{kExitBadInput, tr("--margins: expected a border that leaves room on "
                                             "the paper, not %1 mm")
                                              .arg(mm)};
    }
    return page;
}

// The scale correction a page gets, and the report's line naming it: --scale,
// or else the one stored for the printer whose page it is; a paper of its own
// belongs to no printer and gets none.
struct Correction {
    ScaleCorrection factors;
    QString line;
};

Correction CorrectionFor(const OutputOptions& o, const PrinterDevice* pagePrinter) {
    if (o.scale)
        return {*o.scale, tr("Scale correction: %1 (from --scale)").arg(CorrectionText(*o.scale))};
    QString problem;
    const ScaleCorrection stored =
        pagePrinter ? LoadCorrection(pagePrinter->name(), &problem) : ScaleCorrection{};
    if (!problem.isEmpty())
        return {stored, tr("Scale correction: none. %1").arg(problem)};
    if (stored.isIdentity())
        return {stored, tr("Scale correction: none")};
    return {stored, tr("Scale correction: %1 (stored for %2)")
                        .arg(CorrectionText(stored), pagePrinter->name())};
}

void Report(const QStringList& lines, QTextStream& out) {
    for (const QString& line : lines)
        out << line << '\n';
}

// A printer named by the user that does not exist (by --printer, LPDEST,
// PRINTER or as the default in lpoptions) is bad input; a print system that
// cannot be asked is a failure to print.
std::unique_ptr<DestinationPrinter> OpenPrinter(const OutputOptions& o) {
    const NamedPrinter destination = o.printerName.isEmpty()
                                         ? EnvironmentPrinter()
                                         : NamedPrinter{o.printerName, QStringLiteral("--printer")};
    try {
        auto printer = std::make_unique<DestinationPrinter>(destination.name);
        const PrintDestination& found = printer->destination();
        if (found.found == PrintDestination::Found::DefaultGone)
            throw RunError{kExitBadInput,
                           tr("%1: the default printer %2 is not in the print system; nothing "
                              "was printed or written. Name a printer with --printer.")
                               .arg(found.namedBy, found.name)};
        return printer;
    } catch (const NoSuchPrinter& e) {
        throw RunError{kExitBadInput, QStringLiteral("%1: %2").arg(destination.namedBy,
                                                                   QString::fromUtf8(e.what()))};
    } catch (const std::exception& e) {
        throw RunError{kExitFailed, QString::fromUtf8(e.what())};
    }
}

// Makes the sheet and runs work on it; a size too large to draw (a checker of
// 1e39 cm) is bad input that names its option, any other error a failure.
template <typename Work>
SheetInputs MakeSheet(const BoardOptions& b, const Work& work, float dpiX, float dpiY, int width,
                      int height, const ScaleCorrection& correction) {
    try {
        const SheetInputs in = SheetFromOptions(b, dpiX, dpiY, width, height, correction);
        if (const QString problem = UndrawableSize(b, in); !problem.isEmpty())
            throw RunError{kExitBadInput, problem};
        work(in);
        return in;
    } catch (const ConversionError& e) {
        throw RunError{kExitBadInput, tr("%1: a size that cannot be drawn (%2)")
                                          .arg(SizeOptionName(b), QString::fromUtf8(e.what()))};
    } catch (const RunError&) {
        throw;
    } catch (const std::exception& e) {
        throw RunError{kExitFailed, QString::fromUtf8(e.what())};
    }
}

// The card of a sheet as made on a page of width x height printer pixels:
// whether the page holds the board whole, and its size as measured.
BoardCard CardFor(const SheetInputs& in, const OutputOptions& o, const QString& printer,
                  const QString& paper, int width, int height, int pngDpi = 0) {
    CardPage page{printer, paper, QDate::currentDate(),
                  o.tile ? QString() : BoardCutOff(in, width, height)};
    page.pngDpi = pngDpi;
    if (o.tile) {
        const TilePlan plan = PlanTiles(in, width, height);
        page.tilesAcross = plan.across;
        page.tilesDown = plan.down;
    }
    if (o.measured) {
        page.measuredWidth = LengthMetres(o.measured->width, o.measured->unit, in.dpiX);
        page.measuredHeight = LengthMetres(o.measured->height, o.measured->unit, in.dpiY);
    }
    return BoardCard(in, page);
}

// What the card tells beyond the sheet: the drawn and measured lengths, and
// every tool that cannot use the board, with the reason.
void ReportCard(const BoardCard& card, QTextStream& out) {
    Report(card.notes(), out);
    Report(card.problems(), out);
}

// Writes the card of the sheet last made, then ends the report with ROS's line.
void WriteCard(const QString& path, const BoardCard& card, QTextStream& out) {
    try {
        card.write(path);
    } catch (const std::exception& e) {
        throw RunError{kExitFailed, QString::fromUtf8(e.what())};
    }
    out << tr("Wrote the board card %1").arg(path) << '\n';
    if (const QString ros = card.rosCommand(); !ros.isEmpty())
        out << tr("ROS: %1").arg(ros) << '\n';
    if (const QString layout = card.rosLayout(); !layout.isEmpty())
        out << tr("ROS's OpenCV layout: %1").arg(layout) << '\n';
}

QString Warning(const QString& text) {
    return QCoreApplication::applicationName().toLower() + QStringLiteral(": ") +
           tr("warning: %1").arg(text);
}

// Refuses a sheet the page cuts: bad input, with by how much and what would
// fit. Tiled, refuses a board whose cells no sheet of the page holds whole.
void RefuseCut(const SheetInputs& in, int width, int height, const QPageLayout& layout, bool tile) {
    const TilePlan plan = PlanTiles(in, width, height);
    if (tile) {
        if (!plan.possible)
            throw RunError{
                kExitBadInput,
                tr("--tile: a sheet of %1 does not hold one cell with its overlap strip, "
                   "or the first cell with the frame, beside its margins; nothing was "
                   "made. Choose a larger paper, a smaller cell or a smaller frame "
                   "distance.")
                    .arg(layout.pageSize().name())};
        return;
    }
    const BoardFit fit = FitBoard(in, width, height);
    if (fit.fits)
        return;
    QString message = FitMessage(fit, AdviseFit(in, layout), in);
    if (plan.possible)
        message += QLatin1Char(' ') + tr("--tile would print it over %1 of %2 (%3 across × "
                                         "%4 down).")
                                          .arg(SheetsText(plan.sheets()))
                                          .arg(layout.pageSize().name())
                                          .arg(plan.across)
                                          .arg(plan.down);
    throw RunError{kExitBadInput, message + QLatin1Char(' ') + tr("Nothing was made.")};
}

// The report's line on a tiled board.
QString TileLine(const SheetInputs& in, int width, int height, const QString& paper) {
    const TilePlan plan = PlanTiles(in, width, height);
    return tr("Tiled: %1 of %2, %3 across × %4 down, after a page that shows the "
              "assembly; seams on cell edges, each with an overlap strip and alignment marks.")
        .arg(SheetsText(plan.sheets()))
        .arg(paper)
        .arg(plan.across)
        .arg(plan.down);
}

// Square cells from --board: the largest that fit it, and the board as made.
QStringList SquareBoardNote(const BoardOptions& b, const SheetInputs& in) {
    if (!b.board || !NeedsSquareCells(b.target.kind))
        return {};
    const double cell = StrToFloatDef(in.checkerWidthText, 0);
    const auto number = [](double v) { return QString::number(v, 'g', kReportDigits); };
    return {tr("Note: the cells are square, the largest that fit --board %1 × %2 %3; the board is "
               "%4 × %5 %3.")
                .arg(number(b.board->width), number(b.board->height), in.unitName,
                     number(CellsAcross(b.target, b.columns) * cell), number(b.rows * cell))};
}

void Run(const CommandLineOptions& options, QTextStream& out, QTextStream& err) {
    const OutputOptions& o = options.output;
    std::optional<BoardCard> card;
    std::unique_ptr<DestinationPrinter> printer;
    if (o.print || (!o.file.isEmpty() && !o.paper))
        printer = OpenPrinter(o);
    // With no printer to ask, the file gets the page a PDF file gets by default.
    if (!o.file.isEmpty() && !o.paper && printer->isPdfOutput()) {
        const QString problem = printer->printSystemProblem();
        err << Warning(tr("%1, so the printer's page could not be asked; the file is on %2 "
                          "(--paper chooses another)")
                           .arg(problem.isEmpty() ? tr("No printer is installed") : problem,
                                printer->pageLayout().pageSize().name()))
            << '\n';
        err.flush();
    }
    if (printer && printer->destination().found == PrintDestination::Found::FirstListed)
        out << printer->foundNote() << '\n';
    const QString printProblem = o.print ? printer->printSystemProblem() : QString();
    // Qt's stand-in with no printer installed would only ask for a file.
    const bool canPrint = o.print && printProblem.isEmpty() && !printer->isPdfOutput();

    // Every page is checked before anything is made.
    std::optional<FilePage> page;
    QRect area; // the file's printable area; an image's in whole pixels
    if (!o.file.isEmpty()) {
        page = PageFor(o, printer.get());
        area = o.format == FileFormat::Png ? ImagePrintableRect(*page) : page->printableRect();
        MakeSheet(
            options.board,
            [&](const SheetInputs& in) {
                RefuseCut(in, area.width(), area.height(), page->layout, o.tile);
            },
            float(page->dpi), float(page->dpi), area.width(), area.height(),
            CorrectionFor(o, o.paper ? nullptr : printer.get()).factors);
    }
    if (canPrint)
        MakeSheet(
            options.board,
            [&](const SheetInputs& in) {
                RefuseCut(in, printer->pageWidth(), printer->pageHeight(), printer->pageLayout(),
                          o.tile);
            },
            float(printer->dpiX()), float(printer->dpiY()), printer->pageWidth(),
            printer->pageHeight(), CorrectionFor(o, printer.get()).factors);

    if (page) {
        const Correction correction = CorrectionFor(o, o.paper ? nullptr : printer.get());
        const SheetInputs in = MakeSheet(
            options.board,
            [&](const SheetInputs& sheet) {
                if (o.tile)
                    WriteTiledFile(o.file, *page, sheet,
                                   PlanTiles(sheet, area.width(), area.height()));
                else
                    WriteSheetFile(o.file, o.format, *page, sheet);
            },
            float(page->dpi), float(page->dpi), area.width(), area.height(), correction.factors);
        Report(DescribeSheet(in, area.width(), area.height(), &page->layout), out);
        if (o.tile)
            out << TileLine(in, area.width(), area.height(), page->layout.pageSize().name())
                << '\n';
        Report(SquareBoardNote(options.board, in), out);
        out << correction.line << '\n';
        out << tr("Wrote %1").arg(o.file) << '\n';
        Report(SheetWarnings(in, area.width(), area.height(), !o.tile), out);
        card.emplace(CardFor(in, o, o.paper ? QString() : printer->name(),
                             page->layout.pageSize().name(), area.width(), area.height(),
                             o.format == FileFormat::Png ? page->dpi : 0));
        ReportCard(*card, out);
    }

    if (o.print) {
        if (!printProblem.isEmpty())
            throw RunError{kExitFailed, tr("%1; nothing was printed.").arg(printProblem)};
        if (!canPrint)
            throw RunError{kExitFailed, tr("no printer is installed; nothing was printed")};
        const Correction correction = CorrectionFor(o, printer.get());
        JobReport job; // a paused queue, or one that holds its jobs, says so
        const SheetInputs in = MakeSheet(
            options.board,
            [&](const SheetInputs& sheet) {
                const TilePlan plan = PlanTiles(sheet, printer->pageWidth(), printer->pageHeight());
                job = o.tile ? PrintTiles(*printer, sheet, plan) : PrintSheet(*printer, sheet);
            },
            float(printer->dpiX()), float(printer->dpiY()), printer->pageWidth(),
            printer->pageHeight(), correction.factors);
        Report(DescribeSheet(in, printer->pageWidth(), printer->pageHeight(), nullptr), out);
        if (o.tile)
            out << TileLine(in, printer->pageWidth(), printer->pageHeight(),
                            printer->pageLayout().pageSize().name())
                << '\n';
        Report(SquareBoardNote(options.board, in), out);
        out << correction.line << '\n';
        out << job.receipt << '\n';
        if (!job.notice.isEmpty())
            out << job.notice << '\n';
        Report(SheetWarnings(in, printer->pageWidth(), printer->pageHeight(), !o.tile), out);
        card.emplace(CardFor(in, o, printer->name(), printer->pageLayout().pageSize().name(),
                             printer->pageWidth(), printer->pageHeight()));
        ReportCard(*card, out);
    }
    if (!o.card.isEmpty() && card)
        WriteCard(o.card, *card, out);
}

} // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    // Whatever goes wrong ends the run with one line, never with an exception.
    const auto fail = [&](int exitCode, const QString& message) {
        out.flush();
        err << QCoreApplication::applicationName().toLower() << ": " << message << '\n';
        return exitCode;
    };
    try {
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        switch (parsed.action) {
        case ParsedCommandLine::Action::Help:
        case ParsedCommandLine::Action::Version:
            out << parsed.text << '\n';
            return kExitDone;
        case ParsedCommandLine::Action::Error:
            return fail(kExitBadInput, parsed.text);
        case ParsedCommandLine::Action::Run:
            break;
        }
        for (const QString& warning : parsed.warnings)
            err << Warning(warning) << '\n';
        err.flush();
        Run(parsed.options, out, err);
    } catch (const RunError& e) {
        return fail(e.exitCode, e.message);
    } catch (const std::exception& e) {
        return fail(kExitFailed, QString::fromUtf8(e.what()));
    } catch (...) {
        return fail(kExitFailed, tr("an unknown error; nothing more can be said"));
    }
    return kExitDone;
}

namespace {

// Qt's note that it picked a runtime folder of its own is no news to a script.
QtMessageHandler qtHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    qtHandler(type, context, message);
}

} // namespace

int CommandLineMain(int argc, char** argv) {
    qtHandler = qInstallMessageHandler(QuietHandler);
    // No window: the offscreen platform gives fonts without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Quadrix"));
    // The window's settings, where the printers' scale corrections are kept.
    QGuiApplication::setOrganizationName(QStringLiteral("Quadrix"));
    QGuiApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    // Scripts get the same numbers whatever the user's locale: a point as the
    // decimal mark, in what is read and in what is drawn.
    QLocale::setDefault(QLocale::c());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunCommandLine(QGuiApplication::arguments(), out, err);
}
