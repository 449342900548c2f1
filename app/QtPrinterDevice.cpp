// SPDX-License-Identifier: MIT
#include "app/QtPrinterDevice.h"

#include "app/PlainIconProvider.h"

#include "model/EchoedText.h"
#include "model/WriteAll.h"
#include "output/PdfJob.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <stdexcept>

namespace {

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

// A printer for the dialog that shows the current choice: the queue (or,
// for one that has gone from the print system, the default one) or the PDF
// output with its file, on the current paper.
std::unique_ptr<QPrinter> DialogPrinter(const PrintDestination& current, const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(current.name),
                                              QPrinter::HighResolution);
    if (current.isPdfOutput()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
    }
    printer->setPageLayout(current.layout);
    return printer;
}

// What the dialog chose, on the whole printable area of its paper.
PrintDestination Chosen(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    const bool queue = printer.outputFormat() == QPrinter::NativeFormat;
    return {queue ? printer.printerName() : QString(),
            layout,
            printer.resolution(),
            layout.pageSize().key(),
            PrintDestination::Found::AsNamed,
            QString()};
}

} // namespace

void QtPrinterDevice::setup(QWidget* parent) {
    m_printer.askPrintSystemAgain();
    const std::unique_ptr<QPrinter> printer = DialogPrinter(m_printer.destination(), m_outputFile);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(QPrintDialog::tr("Printer setup"));
    // One page per job: page ranges and collation mean nothing here.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    RelabelAcceptButton(dialog);
    // Cancelled, the printer stays the one chosen, even one that has gone from
    // the print system since (the dialog then shows another one).
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printer.setDestination(Chosen(*printer));
    m_outputFile = m_printer.isPdfOutput() ? printer->outputFileName() : QString();
}

QString QtPrinterDevice::choosePdfFile() const {
    // Starts in the folder of the last file written whole (or where the program
    // started), never in one that failed, which Qt's own memory would give.
    PlainIconProvider icons; // never reads a file to show it; outlives the dialog
    QFileDialog dialog(QApplication::activeWindow(), tr("Save the PDF as"),
                       m_lastPdfFolder.isEmpty() ? QDir::currentPath() : m_lastPdfFolder,
                       tr("PDF files (*.pdf)"));
    dialog.setIconProvider(&icons);
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
    const QString shown = EchoedName(QDir::toNativeSeparators(file));
    if (!out->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail(tr("The file %1 cannot be written (%2); nothing was printed.")
                 .arg(shown, out->errorString()));
    const PrintDestination& page = m_printer.destination();
    return std::make_unique<PdfJob>(page.layout, page.dpi,
                                    [this, out, shown](const QByteArray& pdf) {
                                        // Unbuffered, every byte written is on the disk
                                        // before commit() renames it.
                                        if (!WriteAll(*out, pdf) || !out->commit())
                                            Fail(tr("The file %1 could not be written (%2); "
                                                    "nothing was printed, and an earlier file "
                                                    "of that name is unchanged.")
                                                     .arg(shown, out->errorString()));
                                        m_lastPdfFolder = QFileInfo(out->fileName()).path();
                                        return JobReport{tr("Saved %1").arg(shown), QString()};
                                    });
}

std::unique_ptr<PrintJob> QtPrinterDevice::beginJob() {
    if (!m_printer.isPdfOutput())
        return m_printer.beginJob();
    // A file chosen in the setup dialog is used as it is; otherwise every job asks.
    return beginFileJob(m_outputFile.isEmpty() ? choosePdfFile() : m_outputFile);
}
