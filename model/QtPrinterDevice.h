#pragma once

#include "model/PrinterDevice.h"
#include <QString>
#include <memory>

class QPrinter;

// The real printer, through QPrinter at its high resolution. It starts on the
// system's default printer with that printer's own default paper, and always
// offers the whole printable area (the printer's minimum margins). With no
// printer installed, Qt's PDF output stands in.
class QtPrinterDevice : public PrinterDevice {
public:
    // The printer named printerName, or the default one for an empty name.
    // Throws std::runtime_error when no printer has that name.
    explicit QtPrinterDevice(const QString& printerName = QString());
    ~QtPrinterDevice() override;
    QtPrinterDevice(const QtPrinterDevice&) = delete;
    QtPrinterDevice& operator=(const QtPrinterDevice&) = delete;

    QString name() const override;
    int dpiX() const override;
    int dpiY() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    QPageLayout pageLayout() const override;
    void setup(QWidget* parent) override;
    std::unique_ptr<PrintJob> beginJob(QWidget* parent) override;

    // The wrapped printer, for reading its page layout (margins, paper).
    const QPrinter& printer() const { return *m_printer; }

private:
    void usePrintableArea();
    bool isPdfOutput() const;
    void choosePdfFile(QWidget* parent);

    std::unique_ptr<QPrinter> m_printer;
    // The PDF file name last chosen in our own save dialog; while the printer
    // still writes to it, every job asks again rather than overwrite it silently.
    QString m_askedPdfFile;
};
