// SPDX-License-Identifier: MIT
#pragma once

#include "app/WindowPrinter.h"

// A printer with any metrics and no print system behind it; its jobs draw
// into a QPicture, cheap at any resolution, and are counted.
class FakePrinterDevice : public WindowPrinter {
public:
    FakePrinterDevice(QString name, int dpiX, int dpiY, int pageWidth, int pageHeight)
        : m_next{std::move(name), dpiX, dpiY, pageWidth, pageHeight}, m_now(m_next) {}

    QString name() const override { return m_now.name; }
    int dpiX() const override { return m_now.dpiX; }
    int dpiY() const override { return m_now.dpiY; }
    int pageWidth() const override { return m_now.width; }
    int pageHeight() const override { return m_now.height; }
    // Switches to what setNextSetup() gave, as if the user chose it.
    void setup(QWidget*) override { m_now = m_next; }
    std::unique_ptr<PrintJob> beginJob() override;

    void setNextSetup(QString name, int dpiX, int dpiY, int pageWidth, int pageHeight) {
        m_next = {std::move(name), dpiX, dpiY, pageWidth, pageHeight};
    }

    int jobsBegun = 0;
    int jobsFinished = 0;
    int jobsAborted = 0;
    int pagesFinished = 0; // in the jobs finished

private:
    struct Metrics {
        QString name;
        int dpiX, dpiY, width, height;
    };
    Metrics m_next;
    Metrics m_now;
};
