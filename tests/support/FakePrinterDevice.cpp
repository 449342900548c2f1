#include "support/FakePrinterDevice.h"

#include <QPainter>

class FakePrintJob : public PrintJob {
public:
    explicit FakePrintJob(FakePrinterDevice& printer) : m_printer(printer) {
        if (printer.m_surface == FakePrinterDevice::Surface::Image) {
            m_image = QImage(printer.m_pageWidth, printer.m_pageHeight, QImage::Format_RGB32);
            m_image.fill(Qt::white);
            m_painter.begin(&m_image);
        } else {
            m_painter.begin(&m_picture);
        }
    }
    ~FakePrintJob() override {
        if (m_painter.isActive())
            abort();
    }
    QPainter& painter() override { return m_painter; }
    QPaintDevice& device() override {
        if (m_printer.m_surface == FakePrinterDevice::Surface::Image)
            return m_image;
        return m_picture;
    }
    int pageWidth() const override { return m_printer.m_pageWidth; }
    int pageHeight() const override { return m_printer.m_pageHeight; }
    void finish() override {
        m_painter.end();
        m_printer.lastPage = m_image;
        ++m_printer.jobsFinished;
    }
    void abort() override {
        m_painter.end();
        ++m_printer.jobsAborted;
    }

private:
    FakePrinterDevice& m_printer;
    QImage m_image;
    QPicture m_picture;
    QPainter m_painter;
};

FakePrinterDevice::FakePrinterDevice(QString name, int dpiX, int dpiY, int pageWidth,
                                     int pageHeight)
    : m_name(std::move(name)), m_dpiX(dpiX), m_dpiY(dpiY), m_pageWidth(pageWidth),
      m_pageHeight(pageHeight) {}

void FakePrinterDevice::setup(QWidget*) {
    ++setupCalls;
    if (!m_hasNext)
        return;
    m_name = m_nextName;
    m_dpiX = m_nextDpiX;
    m_dpiY = m_nextDpiY;
    m_pageWidth = m_nextWidth;
    m_pageHeight = m_nextHeight;
    m_hasNext = false;
}

void FakePrinterDevice::setNextSetup(QString name, int dpiX, int dpiY, int pageWidth,
                                     int pageHeight) {
    m_hasNext = true;
    m_nextName = std::move(name);
    m_nextDpiX = dpiX;
    m_nextDpiY = dpiY;
    m_nextWidth = pageWidth;
    m_nextHeight = pageHeight;
}

std::unique_ptr<PrintJob> FakePrinterDevice::beginJob(QWidget*) {
    ++jobsBegun;
    return std::make_unique<FakePrintJob>(*this);
}
