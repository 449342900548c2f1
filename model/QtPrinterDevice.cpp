#include "model/QtPrinterDevice.h"

#include "model/QtPrintJob.h"
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <stdexcept>

namespace {

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
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    const QPrinterInfo chosen = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                      : QPrinterInfo::printerInfo(printerName);
    if (chosen.isNull() && !printerName.isEmpty())
        throw std::runtime_error(
            QStringLiteral("There is no printer named %1.").arg(printerName).toStdString());
    if (!chosen.isNull())
        m_printer->setPrinterName(chosen.printerName());
    // A fresh QPrinter starts on A4 whatever the printer's own paper is.
    if (!isPdfOutput()) {
        const QPageSize paper = QPrinterInfo(*m_printer).defaultPageSize();
        if (paper.isValid())
            m_printer->setPageSize(paper);
    }
    usePrintableArea();
}

QtPrinterDevice::~QtPrinterDevice() = default;

bool QtPrinterDevice::isPdfOutput() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat || m_printer->printerName().isEmpty();
}

void QtPrinterDevice::usePrintableArea() {
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

QString QtPrinterDevice::name() const {
    if (isPdfOutput())
        return QStringLiteral("PDF file");
    return m_printer->printerName();
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
    const PrinterChoice before = Snapshot(*m_printer);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QPrintDialog::tr("Printer setup"));
    // One page per job: page ranges and collation mean nothing here.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    RelabelAcceptButton(dialog);
    if (dialog.exec() != QDialog::Accepted)
        Restore(*m_printer, before); // the dialog may have switched printers while open
    usePrintableArea();
}

void QtPrinterDevice::choosePdfFile(QWidget* parent) {
    QString file =
        QFileDialog::getSaveFileName(parent, QFileDialog::tr("Save the PDF as"), m_askedPdfFile,
                                     QFileDialog::tr("PDF files (*.pdf)"));
    if (file.isEmpty())
        throw std::runtime_error("No file was chosen for the PDF output; nothing was printed.");
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    m_printer->setOutputFileName(file);
    m_askedPdfFile = file;
}

std::unique_ptr<PrintJob> QtPrinterDevice::beginJob(QWidget* parent) {
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        const QString file = m_printer->outputFileName();
        if (file.isEmpty() || file == m_askedPdfFile)
            choosePdfFile(parent);
        // Find out now, before anything is drawn, whether the file can be written.
        QFile probe(m_printer->outputFileName());
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::Append))
            throw std::runtime_error(
                QStringLiteral("The file %1 cannot be written; nothing was printed.")
                    .arg(probe.fileName())
                    .toStdString());
        probe.close();
        if (!existed)
            probe.remove();
    }
    return std::make_unique<QtPrintJob>(*m_printer);
}
