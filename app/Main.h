// SPDX-License-Identifier: MIT
#pragma once

#include "app/WindowPrinter.h"
#include "model/Layout.h"
#include "model/LayoutMath.h"
#include "model/ScaleCorrection.h"
#include "render/BoardFit.h"
#include "render/SheetInputs.h"
#include "render/TestPage.h"
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
    explicit TfQuadrix(std::unique_ptr<WindowPrinter> printer, QWidget* parent = nullptr);
    ~TfQuadrix() override;

    WindowPrinter& printer() { return *m_printer; }

    // The four panels of the status bar sb.
    QLabel* sbPanel[4] = {};

    // Where handler errors are shown; the standard error box unless a test
    // replaces it.
    using ErrorReporter = std::function<void(const QString&)>;
    void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }
    // Where notes that are not errors go (a job held in a paused queue); an
    // information box unless a test replaces it.
    void setNoticeReporter(ErrorReporter reporter) { m_reportNotice = std::move(reporter); }
    // Where a message in passing goes (where a job went); by default it passes
    // over the status line, whose panels stay as they are.
    void setPassingReporter(ErrorReporter reporter) { m_reportPassing = std::move(reporter); }
    void reportError(const QString& message) const { m_reportError(message); }
    // Where the user is asked yes or no (a board the page cuts, before Print
    // or Save); a question box unless a test replaces it.
    using Confirmer = std::function<bool(const QString&)>;
    void setConfirmer(Confirmer confirmer) { m_confirm = std::move(confirmer); }
    bool confirm(const QString& question) const { return m_confirm(question); }
    // What the page cuts off the board and what would fit, as last drawn; ""
    // when it fits.
    const QString& cutMessage() const { return m_cutMessage; }
    void reportNotice(const QString& message) const { m_reportNotice(message); }

    // Everything the renderer reads from the window, as it is now.
    SheetInputs sheetInputs() const;

    // The current printer's scale correction, stored under its name; a new
    // one is stored (an error when it cannot be), and the sizes recomputed.
    const ScaleCorrection& correction() const { return m_correction; }
    void setCorrection(const ScaleCorrection& correction);
    // The test page for the current printer, in the window's unit (cm for pixels).
    TestPageInputs testPageInputs() const;
    // Measures the current printer's scale in the scale dialog.
    void showScaleDialog();
    // Prints the board over sheets of the current paper as one job: the
    // assembly page, then every sheet.
    void printTiled();

    // What the board's cells hold (the Target menu); a new one rebuilds the
    // preview and the count hints.
    const TargetOptions& target() const { return m_target; }
    void setTarget(const TargetOptions& target);
    // Why the board cannot be made as it stands (more markers than the
    // dictionary holds); "" when it can.
    QString boardProblem() const;

    // Handlers, each taking the sender.
    void FormCreate(QObject* sender);
    void bbSetupClick(QObject* sender);
    void Change(QObject* sender);
    void bbPrintClick(QObject* sender);
    // Tells where a job went, in passing, and what the user must know of it.
    void reportJob(const JobReport& job);
    void ChangePattern1(QObject* sender);
    void ChangeChecker(QObject* sender);
    void rgAlignmentClick(QObject* sender);
    void ChangeOptions(QObject* sender);
    void ChangePattern2(QObject* sender);
    void bbInsideClick(QObject* sender);
    void ChangeTarget(QObject* sender);

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
    // from it and the counts; then written into its edits. Square cells take
    // the leading side's size, and the other edit of the read pair follows.
    void patternFromChecker(CellLead lead);
    void checkerFromPattern(CellLead lead);
    void take(const LinkedSizes& sizes);
    void writePattern();
    void writeChecker();
    void writeFollower(QLineEdit* width, QLineEdit* height, float widthValue, float heightValue,
                       CellLead lead);
    // The side a sender leads: the height's for the height edits and count.
    CellLead leadOf(const QObject* sender) const;
    bool squareCells() const;
    // Runs one event's handler; an error it raises is shown and the window goes on.
    void handleEvent(QObject* sender, void (TfQuadrix::*handler)(QObject*));

    // The counts as the detector is given them (inner corners, circles or
    // tags), and whether the board can be made, in the tooltips and status bar.
    void updateCornerHints();
    // The cells the board counts across: the columns, but two a circle of the
    // asymmetric circle grid.
    int cellsAcross() const;
    // Over a preview whose board cannot be made: the reason, on a veiled page.
    void markUnmakeable(const QString& problem);
    // Over the preview only: the page edges that cut the drawing, hatched.
    void markCut(const BoardFit& fit);
    // The last status panel: the credit, or why the board cannot be made; its
    // tooltip adds what the page cuts and an oblong checker.
    void updateStatusPanel();

    std::unique_ptr<WindowPrinter> m_printer;
    ScaleCorrection m_correction;
    // Why the printer's stored correction is not used, as last told the user.
    QString m_correctionProblem;
    TargetOptions m_target;
    ErrorReporter m_reportError;
    ErrorReporter m_reportNotice;
    ErrorReporter m_reportPassing;
    Confirmer m_confirm;
    QString m_cutMessage;
    bool m_legendLeftOut = false; // the page cannot hold it beneath the board
};

// The width a check box leaves for its caption, beside the indicator.
int captionRoom(const QCheckBox* box);

// The one main window of the program.
extern TfQuadrix* fQuadrix;
