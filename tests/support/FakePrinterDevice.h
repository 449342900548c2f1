#pragma once

#include "model/PrinterDevice.h"
#include <QImage>
#include <QPicture>

// A printer with any metrics and no print system behind it. Jobs draw either
// into a page-sized image (to look at the pixels) or into a QPicture (cheap at
// any resolution).
class FakePrinterDevice : public PrinterDevice {
public:
    enum class Surface { Picture, Image };

    FakePrinterDevice(QString name, int dpiX, int dpiY, int pageWidth, int pageHeight);

    QString name() const override { return m_name; }
    int dpiX() const override { return m_dpiX; }
    int dpiY() const override { return m_dpiY; }
    int pageWidth() const override { return m_pageWidth; }
    int pageHeight() const override { return m_pageHeight; }
    void setup(QWidget* parent) override;
    std::unique_ptr<PrintJob> beginJob(QWidget* parent) override;

    // What the next setup() switches to (as if the user chose another printer).
    void setNextSetup(QString name, int dpiX, int dpiY, int pageWidth, int pageHeight);
    void setSurface(Surface surface) { m_surface = surface; }

    int setupCalls = 0;
    int jobsBegun = 0;
    int jobsFinished = 0;
    int jobsAborted = 0;
    QImage lastPage;      // the finished page, Surface::Image

private:
    friend class FakePrintJob;
    QString m_name;
    int m_dpiX, m_dpiY, m_pageWidth, m_pageHeight;
    bool m_hasNext = false;
    QString m_nextName;
    int m_nextDpiX = 0, m_nextDpiY = 0, m_nextWidth = 0, m_nextHeight = 0;
    Surface m_surface = Surface::Picture;
};
