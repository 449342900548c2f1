#include "model/QtPrintJob.h"

#include <QPrinter>
#include <stdexcept>

namespace {

std::string BeginFailure(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("The file %1 could not be written; nothing was printed.")
            .arg(printer.outputFileName())
            .toStdString();
    return QStringLiteral("The printer %1 could not start a print job; nothing was printed.")
        .arg(printer.printerName())
        .toStdString();
}

} // namespace

QtPrintJob::QtPrintJob(QPrinter& printer) : m_printer(printer) {
    if (!m_recorder.begin(&m_page))
        throw std::runtime_error("The page could not be prepared for printing.");
}

QtPrintJob::~QtPrintJob() {
    if (m_open)
        abort();
}

QPaintDevice& QtPrintJob::device() {
    return m_printer;
}

int QtPrintJob::pageWidth() const {
    return m_printer.width();
}

int QtPrintJob::pageHeight() const {
    return m_printer.height();
}

void QtPrintJob::finish() {
    if (!m_open)
        throw std::logic_error("The print job has already ended.");
    m_open = false;
    m_recorder.end();

    QPainter out;
    if (!out.begin(&m_printer))
        throw std::runtime_error(BeginFailure(m_printer));
    // Replaying a picture scales it from the picture's resolution to the
    // device's; the page was recorded in printer pixels already, so undo that.
    out.scale(qreal(m_page.logicalDpiX()) / m_printer.logicalDpiX(),
              qreal(m_page.logicalDpiY()) / m_printer.logicalDpiY());
    out.drawPicture(0, 0, m_page);
    out.end();
    if (m_printer.printerState() == QPrinter::Error)
        throw std::runtime_error(
            "The printer reported an error; the page may not have been printed.");
}

void QtPrintJob::abort() {
    if (!m_open)
        return;
    m_open = false;
    // The printer was never opened: dropping the recorded page is the whole abort.
    m_recorder.end();
    m_page = QPicture();
}
