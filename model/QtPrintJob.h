#pragma once

#include "model/PrinterDevice.h"
#include <QPainter>
#include <QPicture>

class QPrinter;

// One page for a QPrinter. The drawing is recorded and only sent to the
// printer by finish(): with Qt on Linux an open printer job cannot be
// cancelled (QPrinter::abort() does nothing there and ending the painter
// sends the page), so abort() must be able to drop the page unsent.
class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(QPrinter& printer);
    ~QtPrintJob() override;
    QtPrintJob(const QtPrintJob&) = delete;
    QtPrintJob& operator=(const QtPrintJob&) = delete;

    QPainter& painter() override { return m_recorder; }
    // Fonts are measured in the printer's pixels.
    QPaintDevice& device() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void finish() override;
    void abort() override;

private:
    QPrinter& m_printer;
    QPicture m_page;
    QPainter m_recorder;
    bool m_open = true;
};
