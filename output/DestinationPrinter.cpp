// SPDX-License-Identifier: MIT
#include "output/DestinationPrinter.h"

#include "model/EchoedText.h"

#include "output/PdfJob.h"

#include <stdexcept>
#include <utility>

namespace {

// The print system is asked before the window is built: a local one answers
// in milliseconds, and the window must not wait for one that does not.
constexpr int kStartupAnswerMs = 500;
// Later, when the user asks for it (setup), a slower answer is still taken.
constexpr int kSetupAnswerMs = 3000;

[[noreturn]] void Fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

} // namespace

DestinationPrinter::DestinationPrinter(const QString& printerName)
    : m_printSystem(PrintSystem::probe(kStartupAnswerMs, &m_printSystemReason)),
      m_destination(PdfOutputDestination()) {
    // A printer named by the user is one the print system must confirm.
    if (!printerName.isEmpty() && m_printSystem != PrintSystem::Answer::Answers)
        Fail(tr("%1; nothing was printed on %2.")
                 .arg(printSystemProblem(), EchoedName(printerName)));
    if (m_printSystem != PrintSystem::Answer::Silent)
        m_destination = LookUpDestination(printerName);
}

QString DestinationPrinter::name() const {
    if (isPdfOutput() && m_printSystem == PrintSystem::Answer::Silent)
        return tr("PDF file (CUPS silent)"); // short enough for the printer panel
    if (isPdfOutput())
        return QStringLiteral("PDF file");
    return m_destination.name;
}

QString DestinationPrinter::printSystemProblem() const {
    switch (m_printSystem) {
    case PrintSystem::Answer::Silent:
        return tr("The print system does not answer (%1)").arg(m_printSystemReason);
    case PrintSystem::Answer::Absent:
        return tr("The print system cannot be reached (%1)").arg(m_printSystemReason);
    default:
        return QString();
    }
}

void DestinationPrinter::askPrintSystemAgain() {
    const PrintSystem::Answer before =
        std::exchange(m_printSystem, PrintSystem::probe(kSetupAnswerMs, &m_printSystemReason));
    if (m_printSystem == PrintSystem::Answer::Silent)
        Fail(tr("The print system does not answer; the printer is left as it was. Press Setup "
                "again to try once more."));
    if (before == PrintSystem::Answer::Silent) // it answers now: start where a fresh start would
        m_destination = LookUpDestination(QString());
}

QString DestinationPrinter::foundNote() const {
    switch (m_destination.found) {
    case PrintDestination::Found::FirstListed:
        return tr("No default printer is set: %1 is the first printer of the print system.")
            .arg(m_destination.name);
    case PrintDestination::Found::DefaultGone:
        return tr("The default printer %1 (named by %2) is not in the print system; nothing is "
                  "printed until a printer is chosen in Setup.")
            .arg(m_destination.name, m_destination.namedBy);
    default:
        return QString();
    }
}

std::unique_ptr<PrintJob> DestinationPrinter::beginJob() {
    if (isPdfOutput())
        Fail(tr("No printer is installed; nothing was printed."));
    if (m_destination.found == PrintDestination::Found::DefaultGone)
        Fail(foundNote());
    const QString printer = m_destination.name;
    const bool paused = PrintSystem::checkQueue(printer);
    // The queue prints on the paper the page was laid out for.
    const QString media = m_destination.media;
    return std::make_unique<PdfJob>(
        m_destination.layout, m_destination.dpi, [printer, paused, media](const QByteArray& pdf) {
            const PrintSystem::Job job = PrintSystem::submit(printer, pdf, media);
            if (job.held)
                return JobReport{
                    tr("Printed on %1 as job %2, held in its queue").arg(printer).arg(job.id),
                    tr("The printer %1 holds its jobs: job %2 waits in its queue until it is "
                       "released (lp -i %2 -H resume, or ask the administrator).")
                        .arg(printer)
                        .arg(job.id)};
            if (paused)
                return JobReport{
                    tr("Printed on %1 as job %2, waiting: the printer is paused")
                        .arg(printer)
                        .arg(job.id),
                    tr("The printer %1 is paused: job %2 waits in its queue until the printer "
                       "is resumed (cupsenable %1, or ask the administrator).")
                        .arg(printer)
                        .arg(job.id)};
            return JobReport{tr("Printed on %1 as job %2").arg(printer).arg(job.id), QString()};
        });
}
