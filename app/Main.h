#pragma once

#include "model/Layout.h"
#include "model/PrinterDevice.h"
#include "render/SheetInputs.h"
#include "ui_Main.h"

#include <QWidget>
#include <functional>
#include <memory>

// The main window. Its controls come from Main.ui and are public, as are the
// derived members (Layout); its handlers keep counts, checker size and pattern
// size linked, convert them to printer pixels and rebuild the preview.
class TfQuadrix : public QWidget, public Ui::TfQuadrix, public Layout {
    Q_OBJECT
public:
    // Builds the window on the given printer and runs FormCreate, so that the
    // first preview exists before the window is shown.
    explicit TfQuadrix(std::unique_ptr<PrinterDevice> printer, QWidget* parent = nullptr);
    ~TfQuadrix() override;

    PrinterDevice& printer() { return *m_printer; }

    // The four panels of the status bar sb.
    QLabel* sbPanel[4] = {};

    // Where handler errors are shown; the standard error box unless a test
    // replaces it.
    using ErrorReporter = std::function<void(const QString&)>;
    void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }
    void reportError(const QString& message) const { m_reportError(message); }

    // Everything the renderer reads from the window, as it is now.
    SheetInputs sheetInputs() const;

    // Handlers, each taking the sender.
    void FormCreate(QObject* sender);
    void bbSetupClick(QObject* sender);
    void Change(QObject* sender);
    void bbPrintClick(QObject* sender);
    void ChangePattern1(QObject* sender);
    void ChangeChecker(QObject* sender);
    void rgAlignmentClick(QObject* sender);
    void ChangeOptions(QObject* sender);
    void ChangePattern2(QObject* sender);
    void bbInsideClick(QObject* sender);

signals:
    // Raised at the end of every Change and every preview rebuild, so that
    // tests can count them from outside.
    void changeDone();
    void previewRebuilt();

private:
    void buildStatusBar();
    void wire();
    void readPrinter();
    // The linked sizes: one pair read from its edits, the other computed
    // from it and the counts; then written into its edits.
    void patternFromChecker();
    void checkerFromPattern();
    void writePattern();
    void writeChecker();
    // Runs one event's handler; an error it raises is shown and the window goes on.
    void handleEvent(QObject* sender, void (TfQuadrix::*handler)(QObject*));

    std::unique_ptr<PrinterDevice> m_printer;
    ErrorReporter m_reportError;
};

// The width a check box leaves for its caption, beside the indicator.
int captionRoom(const QCheckBox* box);

// The one main window of the program.
extern TfQuadrix* fQuadrix;
