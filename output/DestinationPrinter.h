// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrintDestination.h"
#include "model/PrintSystem.h"
#include "model/PrinterDevice.h"

#include <QCoreApplication>

// A printer of the print system, looked up alone through libcups: its page
// at the drawing resolution, and jobs that go to its queue as PDF documents
// which the print system confirms. With no printer installed, or a print
// system that does not answer, the PDF output stands in; it takes no jobs here.
class DestinationPrinter : public PrinterDevice {
    Q_DECLARE_TR_FUNCTIONS(DestinationPrinter)
public:
    // The printer named printerName, or the default one for an empty name.
    // Throws NoSuchPrinter when the print system has no printer of that name,
    // std::runtime_error when a name is given and the print system cannot be
    // asked.
    explicit DestinationPrinter(const QString& printerName = QString());

    QString name() const override;
    int dpiX() const override { return m_destination.dpi; }
    int dpiY() const override { return m_destination.dpi; }
    int pageWidth() const override { return m_destination.printableRect().width(); }
    int pageHeight() const override { return m_destination.printableRect().height(); }
    QPageLayout pageLayout() const override { return m_destination.layout; }
    // A job on the queue; throws std::runtime_error naming the problem when
    // the queue cannot take one, or on the PDF output.
    std::unique_ptr<PrintJob> beginJob() override;

    const PrintDestination& destination() const { return m_destination; }
    // Takes what the user chose (in a setup dialog) as the printer.
    void setDestination(PrintDestination destination) { m_destination = std::move(destination); }
    bool isPdfOutput() const { return m_destination.isPdfOutput(); }

    // Why the print system could not be asked when last tried ("The print
    // system does not answer (no answer within 0.5 s)"); empty when it answered.
    QString printSystemProblem() const;
    // How the printer was found when it is not the default: the first one
    // listed, or a default named but gone; empty otherwise.
    QString foundNote() const;
    // Asks the print system again, with a longer wait, before the user chooses
    // a printer: throws std::runtime_error when it does not answer; when it
    // answers again after it did not, the default printer is taken.
    void askPrintSystemAgain();

private:
    // How the print system behaved when last asked, and why (declared first:
    // the constructor's initializer fills them in).
    QString m_printSystemReason;
    PrintSystem::Answer m_printSystem;
    PrintDestination m_destination;
};
