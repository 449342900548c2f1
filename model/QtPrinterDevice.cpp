// SPDX-License-Identifier: MIT
#include "model/QtPrinterDevice.h"

#include "model/NoSuchPrinter.h"
#include "model/QtPrintJob.h"
#include "model/WriteAll.h"
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <stdexcept>

namespace {

// The print system is asked before the window is built: a local one answers
// in milliseconds, and the window must not wait for one that does not.
constexpr int kStartupAnswerMs = 500;
// Later, when the user asks for it (setup), a slower answer is still taken.
constexpr int kSetupAnswerMs = 3000;

[[noreturn]] void Fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

// The print dialog serves only to choose the printer and its paper here, so
// its accept button must not promise to print.
void RelabelAcceptButton(QPrintDialog& dialog) {
    const auto boxes = dialog.findChildren<QDialogButtonBox*>();
    for (QDialogButtonBox* box : boxes) {
        const auto buttons = box->buttons();
        for (QAbstractButton* button : buttons) {
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(QPrintDialog::tr("OK"));
        }
    }
}

// What the setup dialog may change, to put back when it is cancelled.
struct PrinterChoice {
    QPrinter::OutputFormat format;
    QString printerName;
    QString outputFileName;
    QPageLayout layout;
};

PrinterChoice Snapshot(const QPrinter& printer) {
    return {printer.outputFormat(), printer.printerName(), printer.outputFileName(),
            printer.pageLayout()};
}

void Restore(QPrinter& printer, const PrinterChoice& choice) {
    // The file name first: setting it may switch the output format, which the
    // next step then puts right.
    if (printer.outputFileName() != choice.outputFileName)
        printer.setOutputFileName(choice.outputFileName);
    if (printer.outputFormat() != choice.format)
        printer.setOutputFormat(choice.format);
    if (choice.format == QPrinter::NativeFormat && printer.printerName() != choice.printerName)
        printer.setPrinterName(choice.printerName);
    printer.setPageLayout(choice.layout);
}

} // namespace

QtPrinterDevice::QtPrinterDevice(const QString& printerName)
    : m_printSystem(PrintSystem::probe(kStartupAnswerMs, &m_printSystemReason)) {
    const auto create = [this] {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    };
    // A printer named by the user is one the print system must confirm.
    if (!printerName.isEmpty() && m_printSystem != PrintSystem::Answer::Answers)
        Fail(tr("%1; nothing was printed on %2.").arg(printSystemProblem(), printerName));
    // Qt's printer support asks the print system with its own long timeouts.
    if (m_printSystem == PrintSystem::Answer::Silent) {
        PrintSystem::withoutPrintSystem(create);
    } else {
        create();
        usePrinter(printerName);
    }
    usePrintableArea();
}

void QtPrinterDevice::usePrinter(const QString& printerName) {
    const QPrinterInfo chosen = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(printerName);
    if (chosen.isNull() && !printerName.isEmpty())
        throw NoSuchPrinter(
            tr("There is no printer %1 in the print system.").arg(printerName).toStdString());
    if (!chosen.isNull())
        m_printer->setPrinterName(chosen.printerName());
    takeChoice();
    // A fresh QPrinter starts on A4 whatever the printer's own paper is.
    if (!isPdfOutput()) {
        const QPageSize paper = QPrinterInfo(*m_printer).defaultPageSize();
        if (paper.isValid())
            m_printer->setPageSize(paper);
    }
}

QtPrinterDevice::~QtPrinterDevice() = default;

bool QtPrinterDevice::isPdfOutput() const {
    return m_queue.isEmpty();
}

void QtPrinterDevice::takeChoice() {
    m_queue =
        m_printer->outputFormat() == QPrinter::PdfFormat ? QString() : m_printer->printerName();
}

QString QtPrinterDevice::printSystemProblem() const {
    switch (m_printSystem) {
    case PrintSystem::Answer::Silent:
        return tr("The print system does not answer (%1)").arg(m_printSystemReason);
    case PrintSystem::Answer::Absent:
        return tr("The print system cannot be reached (%1)").arg(m_printSystemReason);
    default:
        return QString();
    }
}

void QtPrinterDevice::usePrintableArea() {
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

QString QtPrinterDevice::name() const {
    if (isPdfOutput() && m_printSystem == PrintSystem::Answer::Silent)
        return tr("PDF file (CUPS silent)"); // short enough for the printer panel
    if (isPdfOutput())
        return QStringLiteral("PDF file");
    return m_queue;
}

// QPrinter reports these from its settings alone; no job is opened (on a PDF
// output an abandoned job would leave a file behind).
int QtPrinterDevice::dpiX() const {
    return m_printer->logicalDpiX();
}
int QtPrinterDevice::dpiY() const {
    return m_printer->logicalDpiY();
}
int QtPrinterDevice::pageWidth() const {
    return m_printer->width();
}
int QtPrinterDevice::pageHeight() const {
    return m_printer->height();
}

QPageLayout QtPrinterDevice::pageLayout() const {
    return m_printer->pageLayout();
}

void QtPrinterDevice::setup(QWidget* parent) {
    const PrintSystem::Answer before =
        std::exchange(m_printSystem, PrintSystem::probe(kSetupAnswerMs, &m_printSystemReason));
    if (m_printSystem == PrintSystem::Answer::Silent)
        Fail(tr("The print system does not answer; the printer is left as it was. Press Setup "
                "again to try once more."));
    if (before == PrintSystem::Answer::Silent) // it answers now: start where a fresh start would
        usePrinter(QString());
    const PrinterChoice choice = Snapshot(*m_printer);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QPrintDialog::tr("Printer setup"));
    // One page per job: page ranges and collation mean nothing here.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    RelabelAcceptButton(dialog);
    // Cancelled, the printer stays the one chosen, even one that has gone from
    // the print system since (the dialog then shows another one).
    if (dialog.exec() == QDialog::Accepted)
        takeChoice();
    else
        Restore(*m_printer, choice); // the dialog may have switched printers while open
    usePrintableArea();
}

QString QtPrinterDevice::choosePdfFile(QWidget* parent) const {
    // Starts in the folder of the last file written whole, never in one that failed.
    QFileDialog dialog(parent, tr("Save the PDF as"), m_lastPdfFolder, tr("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Added before the dialog looks for an existing file, so "board" is asked
    // about when board.pdf exists.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        Fail(tr("No file was chosen for the PDF output; nothing was printed."));
    return dialog.selectedFiles().constFirst();
}

std::unique_ptr<PrintJob> QtPrinterDevice::beginFileJob(const QString& file) {
    // The page goes to a temporary file beside the target, renamed over it
    // only when all of it was written: an earlier file survives any failure.
    auto out = std::make_shared<QSaveFile>(file);
    const QString shown = QDir::toNativeSeparators(file);
    if (!out->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail(tr("The file %1 cannot be written (%2); nothing was printed.")
                 .arg(shown, out->errorString()));
    return std::make_unique<QtPrintJob>(*m_printer, [this, out, shown](const QByteArray& pdf) {
        // Unbuffered, every byte written is on the disk before commit() renames it.
        if (!WriteAll(*out, pdf) || !out->commit())
            Fail(tr("The file %1 could not be written (%2); nothing was printed, and an earlier "
                    "file of that name is unchanged.")
                     .arg(shown, out->errorString()));
        m_lastPdfFolder = QFileInfo(out->fileName()).path();
        return QString();
    });
}

std::unique_ptr<PrintJob> QtPrinterDevice::beginQueueJob() {
    const QString printer = m_queue;
    const bool paused = PrintSystem::checkQueue(printer);
    // The queue prints on the paper the page was laid out for.
    const QString media = m_printer->pageLayout().pageSize().key();
    return std::make_unique<QtPrintJob>(
        *m_printer, [printer, paused, media](const QByteArray& pdf) {
            const int job = PrintSystem::submit(printer, pdf, media);
            if (!paused)
                return QString();
            return tr("The printer %1 is paused: job %2 waits in its queue until the printer is "
                      "resumed (cupsenable %1, or ask the administrator).")
                .arg(printer)
                .arg(job);
        });
}

std::unique_ptr<PrintJob> QtPrinterDevice::beginJob(QWidget* parent) {
    if (!isPdfOutput())
        return beginQueueJob();
    // A file chosen in the setup dialog is used as it is; otherwise every job asks.
    const QString chosen = m_printer->outputFileName();
    return beginFileJob(chosen.isEmpty() ? choosePdfFile(parent) : chosen);
}
