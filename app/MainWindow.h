// SPDX-License-Identifier: MIT
#pragma once

#include "app/Main.h"
#include "app/ScreenView.h"
#include "cli/CommandLineOptions.h"
#include "model/ScreenGeometry.h"
#include "output/SheetFile.h"

#include <QMainWindow>
#include <QMap>
#include <QSizeF>
#include <functional>
#include <optional>

// The window as the user sees it: the form TfQuadrix, exactly as it is, with
// a menu bar above its client area (File, Target, Printer, Screen, Help). Not
// resizable.
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
    // File > Tiled over sheets…: the board over sheets of the current paper,
    // printed or saved as one PDF from its dialog.
    void showTileDialog();
    // Writes the tiled board (the assembly page, then every sheet) as a PDF;
    // true when written, otherwise the error box says why.
    bool saveTiled(const QString& path);
    // The board the form shows, as command-line options.
    BoardOptions boardOptions() const;
    // The quadrix command that makes this page (its paper as the current
    // printer's; its margins too when they are alike on every side). Empty,
    // with *problem saying why, while a field holds no number or the command
    // line would refuse the page.
    QString commandLine(QString* problem = nullptr) const;
    // Why a size or distance field the page uses gives no command; "" when none.
    QString fieldProblem() const;

    // Target > Options…: the current kind's own parameters.
    void showTargetDialog();

    // The monitor the window is on, as it reports itself, with the size
    // measured for it this session when it reports none that can be used.
    ScreenMetrics screenMetrics() const;
    // The monitor's geometry with its stored correction; false, the user told
    // why and asked for a measurement, when its size is not usable.
    bool screenGeometry(ScreenGeometry& geometry);
    // Screen > Show full screen: the board on the window's monitor at its exact
    // size; returns the view (deleted when it closes), or null when refused.
    ScreenView* showOnScreen();
    // Screen > Save board card…: the card of the board as shown on the
    // window's monitor; true when written, otherwise the error box says why.
    bool saveScreenCard(const QString& path, const ScreenGeometry& geometry);
    // Screen > Copy command line: the quadrix command that writes the board as
    // a PNG of the monitor's device pixels, at its exact size shown one to one.
    QString screenCommandLine(const ScreenGeometry& geometry) const;
    // Screen > Scale…: bars shown on the monitor, measured with a ruler.
    void showScreenScaleDialog();

private:
    void buildMenus();
    void buildTargetMenu();
    void chooseFileAndSave(FileFormat format);
    void chooseFileAndSaveCard();
    // A name from a file dialog that is closed again when this returns; empty
    // when cancelled.
    QString askFileName(const QString& title, const QString& filter, const QString& suffix);
    void copyCommandLine();
    // Writes a page file by write(), which throws on failure; remembers where
    // it went, or tells the user why not.
    bool writePage(const QString& path, const std::function<void()>& write);
    void chooseFileAndSaveScreenCard();
    void copyScreenCommandLine();
    void showAbout();

    // The measured size only holds for the board it was measured on: its
    // size as drawn, in its unit.
    QString drawnBoard() const;
    std::optional<QSizeF> m_measured;
    QString m_measuredBoard;

    TfQuadrix* m_form;
    QString m_lastFolder; // where the last save went
    QString m_lastPage;   // the page file saved last
    // Picture sizes typed for monitors that report none, by monitor name.
    QMap<QString, QSizeF> m_measuredScreens;
};
