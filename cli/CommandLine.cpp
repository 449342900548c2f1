// SPDX-License-Identifier: MIT
#include "cli/CommandLine.h"

#include "card/BoardCard.h"

#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "cli/SheetReport.h"
#include "model/ConversionError.h"
#include "model/NoSuchPrinter.h"
#include "model/Units.h"
#include "output/DestinationPrinter.h"
#include "output/SheetFile.h"
#include "render/SheetPrinter.h"

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

// The printer the user named, and where: --printer, or else the variables the
// print system itself reads (LPDEST, then PRINTER, which takes "lp" for none).
struct Destination {
    QString name;
    QString namedBy;
};

Destination UserDestination(const OutputOptions& o) {
    if (!o.printerName.isEmpty())
        return {o.printerName, QStringLiteral("--printer")};
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty() && !(name == QLatin1String("lp") && qstrcmp(variable, "PRINTER") == 0))
            return {name, QString::fromLatin1(variable)};
    }
    return {};
}

// A printer named by the user that does not exist is bad input; a print
// system that cannot be asked is a failure to print.
std::unique_ptr<DestinationPrinter> OpenPrinter(const OutputOptions& o) {
    const Destination destination = UserDestination(o);
    try {
        return std::make_unique<DestinationPrinter>(destination.name);
    } catch (const NoSuchPrinter& e) {
        throw RunError{kExitBadInput, QStringLiteral("%1: %2").arg(destination.namedBy,
                                                                   QString::fromUtf8(e.what()))};
    } catch (const std::exception& e) {
        throw RunError{kExitFailed, QString::fromUtf8(e.what())};
    }
}

// The option that sets the checkers' size, named when a size cannot be drawn.
QString SizeOptionName(const BoardOptions& b) {
    return b.board     ? QStringLiteral("--board")
           : b.checker ? QStringLiteral("--checker")
                       : QStringLiteral("--columns, --rows");
}

// Makes the sheet and runs work on it; a size too large to draw (a checker of
// 1e39 cm) is bad input that names its option, any other error a failure.
template <typename Work>
SheetInputs MakeSheet(const BoardOptions& b, const Work& work, float dpiX, float dpiY, int width,
                      int height, const ScaleCorrection& correction) {
    try {
        const SheetInputs in = SheetFromOptions(b, dpiX, dpiY, width, height, correction);
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

// Writes the card of the sheet last made, then ends the report with ROS's line.
void WriteCard(const QString& path, const BoardCard& card, QTextStream& out) {
    try {
        card.write(path);
    } catch (const std::exception& e) {
        throw RunError{kExitFailed, QString::fromUtf8(e.what())};
    }
    out << tr("Wrote the board card %1").arg(path) << '\n';
    out << tr("ROS: %1").arg(card.rosCommand()) << '\n';
}

void Run(const CommandLineOptions& options, QTextStream& out) {
    const OutputOptions& o = options.output;
    std::optional<BoardCard> card;
    std::unique_ptr<DestinationPrinter> printer;
    if (o.print || (!o.file.isEmpty() && !o.paper))
        printer = OpenPrinter(o);

    if (!o.file.isEmpty()) {
        const FilePage page = PageFor(o, printer.get());
        const QRect area =
            o.format == FileFormat::Png ? ImagePrintableRect(page) : page.printableRect();
        const Correction correction = CorrectionFor(o, o.paper ? nullptr : printer.get());
        const SheetInputs in = MakeSheet(
            options.board,
            [&](const SheetInputs& sheet) { WriteSheetFile(o.file, o.format, page, sheet); },
            float(page.dpi), float(page.dpi), area.width(), area.height(), correction.factors);
        Report(DescribeSheet(in, area.width(), area.height(), &page.layout), out);
        out << correction.line << '\n';
        out << tr("Wrote %1").arg(o.file) << '\n';
        Report(CutOffWarnings(in, area.width(), area.height()), out);
        card.emplace(in,
                     CardPage{o.paper ? QString() : printer->name(), page.layout.pageSize().name(),
                              QDate::currentDate(), o.format == FileFormat::Png ? page.dpi : 0});
    }

    if (o.print) {
        if (const QString problem = printer->printSystemProblem(); !problem.isEmpty())
            throw RunError{kExitFailed, tr("%1; nothing was printed.").arg(problem)};
        // Qt's stand-in with no printer installed would only ask for a file.
        if (printer->isPdfOutput())
            throw RunError{kExitFailed, tr("no printer is installed; nothing was printed")};
        const Correction correction = CorrectionFor(o, printer.get());
        QString notice; // a paused queue holds the job
        const SheetInputs in = MakeSheet(
            options.board, [&](const SheetInputs& sheet) { notice = PrintSheet(*printer, sheet); },
            float(printer->dpiX()), float(printer->dpiY()), printer->pageWidth(),
            printer->pageHeight(), correction.factors);
        Report(DescribeSheet(in, printer->pageWidth(), printer->pageHeight(), nullptr), out);
        out << correction.line << '\n';
        out << tr("Printed on %1").arg(printer->name()) << '\n';
        if (!notice.isEmpty())
            out << notice << '\n';
        Report(CutOffWarnings(in, printer->pageWidth(), printer->pageHeight()), out);
        card.emplace(in, CardPage{printer->name(), printer->pageLayout().pageSize().name(),
                                  QDate::currentDate()});
    }
    if (!o.card.isEmpty() && card)
        WriteCard(o.card, *card, out);
}

} // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    switch (parsed.action) {
    case ParsedCommandLine::Action::Help:
    case ParsedCommandLine::Action::Version:
        out << parsed.text << '\n';
        return kExitDone;
    case ParsedCommandLine::Action::Error:
        err << QCoreApplication::applicationName().toLower() << ": " << parsed.text << '\n';
        return kExitBadInput;
    case ParsedCommandLine::Action::Run:
        break;
    }
    try {
        Run(parsed.options, out);
    } catch (const RunError& e) {
        out.flush();
        err << QCoreApplication::applicationName().toLower() << ": " << e.message << '\n';
        return e.exitCode;
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
