// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;
class QPaintDevice;

// What the user is told of a finished job: where it went ("job 12 on
// Office"), and what went not quite as asked (held in a paused queue), empty
// when nothing did.
struct JobReport {
    QString receipt;
    QString notice;
};

// One open print job: a page to draw on, then either finished or abandoned.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // The painter on the page; its origin is the printable area's top-left.
    virtual QPainter& painter() = 0;
    // The device the painter draws on, for measuring fonts in its pixels.
    virtual QPaintDevice& device() = 0;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // Ends the page and starts the next of the same job; throws
    // std::runtime_error when the job takes no further page.
    virtual void newPage() { throw std::runtime_error("This print job takes one page only."); }
    // Finishes the page and sends the job; throws std::runtime_error when the
    // job could not be completed.
    virtual void finish() = 0;
    // Abandons the job: nothing of it is sent.
    virtual void abort() = 0;
    // After finish(): where the job went, and what the user should know of
    // a job that went through but not quite as asked.
    virtual JobReport report() const { return {}; }
};

// The current printer: what the layout needs to know of it, and print jobs.
// The print system's implementation looks the printer up through libcups;
// tests use a double with any metrics.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    // The name shown in the status line.
    virtual QString name() const = 0;
    // Resolution in dots per inch, across and down.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // The printable page size in printer pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // The paper, orientation and printable area (as margins). A printer that
    // knows no paper gives a page that is all printable area, of the page size
    // at dpiX.
    virtual QPageLayout pageLayout() const {
        const QSizeF inches(double(pageWidth()) / dpiX(), double(pageHeight()) / dpiX());
        return QPageLayout(QPageSize(inches, QPageSize::Inch), QPageLayout::Portrait, {});
    }
    // Opens a one-page job. Throws std::runtime_error with a message for the
    // user when no job can be started.
    virtual std::unique_ptr<PrintJob> beginJob() = 0;
};
