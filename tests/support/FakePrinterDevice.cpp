// SPDX-License-Identifier: MIT
#include "support/FakePrinterDevice.h"

#include <QPainter>
#include <QPicture>

namespace {
class FakePrintJob : public PrintJob {
public:
    explicit FakePrintJob(FakePrinterDevice& printer) : m_printer(printer) {
        m_painter.begin(&m_picture);
    }
    QPainter& painter() override { return m_painter; }
    QPaintDevice& device() override { return m_picture; }
    int pageWidth() const override { return m_printer.pageWidth(); }
    int pageHeight() const override { return m_printer.pageHeight(); }
    void newPage() override { ++m_pages; }
    void finish() override {
        m_painter.end();
        ++m_printer.jobsFinished;
        m_printer.pagesFinished += m_pages;
    }
    void abort() override {
        m_painter.end();
        ++m_printer.jobsAborted;
    }

private:
    FakePrinterDevice& m_printer;
    QPicture m_picture;
    QPainter m_painter;
    int m_pages = 1;
};
} // namespace

std::unique_ptr<PrintJob> FakePrinterDevice::beginJob() {
    ++jobsBegun;
    return std::make_unique<FakePrintJob>(*this);
}
