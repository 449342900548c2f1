// SPDX-License-Identifier: MIT
#pragma once

#include "app/Main.h"
#include "cli/CommandLineOptions.h"
#include "output/SheetFile.h"

#include <QMainWindow>
#include <QSizeF>
#include <optional>

// The window as the user sees it: the form TfQuadrix, exactly as it is, with
// a menu bar above its client area (File, Target, Printer, Help). Not resizable.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(std::unique_ptr<WindowPrinter> printer, QWidget* parent = nullptr);

    TfQuadrix& form() { return *m_form; }

    // Writes the page as Print would put it on paper on the current printer;
    // true when written, otherwise the error box says why (also for a name
    // whose extension asks for the other format).
    bool saveAs(FileFormat format, const QString& path);
    // Writes the board card of the page Print would make; true when written,
    // otherwise the error box says why. Over the page saved last only when the
    // user confirms. A tool that cannot use the board is named, with the
    // reason, in a notice.
    bool saveBoardCard(const QString& path);
    // File > Board as measured…: the printed board's cells as measured, in
    // the window's unit, for the board it was measured on; unset clears it.
    void setMeasured(const std::optional<QSizeF>& measured);
    void showMeasuredDialog();
    // The board the form shows, as command-line options.
    BoardOptions boardOptions() const;
    // The quadrix command that makes this page (its paper as the current
    // printer's; its margins too when they are alike on every side). Empty,
    // with *problem saying why, while a field holds no number or the command
    // line would refuse the page.
    QString commandLine(QString* problem = nullptr) const;

    // Target > Options…: the current kind's own parameters.
    void showTargetDialog();

private:
    void buildMenus();
    void buildTargetMenu();
    void chooseFileAndSave(FileFormat format);
    void chooseFileAndSaveCard();
    // A name from a file dialog that is closed again when this returns; empty
    // when cancelled.
    QString askFileName(const QString& title, const QString& filter, const QString& suffix);
    void copyCommandLine();
    void showAbout();

    // The measured size only holds for the board it was measured on: its
    // size as drawn, in its unit.
    QString drawnBoard() const;
    std::optional<QSizeF> m_measured;
    QString m_measuredBoard;

    TfQuadrix* m_form;
    QString m_lastFolder; // where the last save went
    QString m_lastPage;   // the page file saved last
};
