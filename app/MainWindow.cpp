// SPDX-License-Identifier: MIT
#include "app/MainWindow.h"

#include "app/MeasuredDialog.h"
#include "app/PlainIconProvider.h"
#include "app/ScaleDialog.h"
#include "app/TargetDialog.h"
#include "app/TileDialog.h"
#include "card/BoardCard.h"
#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "cli/SheetReport.h"
#include "model/EchoedText.h"
#include "model/NumberText.h"
#include "model/Units.h"
#include "output/SameFile.h"
#include "targets/PatternSize.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <exception>

namespace {

const char* const kVersion = "1.0.0.0";
const char* const kDefaultFileName = "board";

// The unit of a unit combo; with no item selected, that of the last conversion.
int UnitOf(const UnitCombo* combo, const QString& unitName) {
    if (combo->itemIndex() >= 0)
        return combo->itemIndex();
    for (int unit : {kUnitCm, kUnitInches, kUnitPixels})
        if (UnitName(unit) == unitName)
            return unit;
    return kUnitCm;
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<WindowPrinter> printer, QWidget* parent)
    : QMainWindow(parent), m_form(new TfQuadrix(std::move(printer), this)) {
    setWindowTitle(QStringLiteral("Quadrix"));
    setWindowIcon(m_form->windowIcon());
    setCentralWidget(m_form);
    buildMenus();
    // The form's fixed size and the menu bar make the window's; it cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("Save as &PDF…"), QKeySequence(tr("Ctrl+S")), this,
                    [this] { chooseFileAndSave(FileFormat::Pdf); });
    file->addAction(tr("Save as S&VG…"), this, [this] { chooseFileAndSave(FileFormat::Svg); });
    file->addAction(tr("Save as P&NG…"), this, [this] { chooseFileAndSave(FileFormat::Png); })
        ->setObjectName(QStringLiteral("actSavePng"));
    file->addAction(tr("Save &board card…"), this, &MainWindow::chooseFileAndSaveCard);
    file->addAction(tr("Board as &measured…"), this, &MainWindow::showMeasuredDialog)
        ->setObjectName(QStringLiteral("actMeasured"));
    file->addAction(tr("&Tiled over sheets…"), this, &MainWindow::showTileDialog)
        ->setObjectName(QStringLiteral("actTiled"));
    file->addSeparator();
    file->addAction(tr("P&rint"), QKeySequence(tr("Ctrl+P")), m_form->bbPrint,
                    &QAbstractButton::click);
    file->addAction(tr("&Copy command line"), this, &MainWindow::copyCommandLine)
        ->setObjectName(QStringLiteral("actCopyCommandLine"));
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);

    buildTargetMenu();

    QMenu* printer = menuBar()->addMenu(tr("P&rinter"));
    printer->addAction(tr("&Setup…"), m_form->bbSetup, &QAbstractButton::click);
    printer->addAction(tr("S&cale…"), m_form, &TfQuadrix::showScaleDialog);

    QMenu* screen = menuBar()->addMenu(tr("S&creen"));
    screen
        ->addAction(tr("&Show full screen"), QKeySequence(tr("F11")), this,
                    &MainWindow::showOnScreen)
        ->setObjectName(QStringLiteral("actShowOnScreen"));
    screen->addAction(tr("Save board &card…"), this, &MainWindow::chooseFileAndSaveScreenCard)
        ->setObjectName(QStringLiteral("actScreenCard"));
    screen->addAction(tr("C&opy command line"), this, &MainWindow::copyScreenCommandLine)
        ->setObjectName(QStringLiteral("actScreenCommandLine"));
    screen->addAction(tr("Sc&ale…"), this, &MainWindow::showScreenScaleDialog)
        ->setObjectName(QStringLiteral("actScreenScale"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About Quadrix"), this, &MainWindow::showAbout);
}

void MainWindow::buildTargetMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Target"));
    const struct {
        TargetKind kind;
        const char* name;
        QString text;
    } kinds[] = {
        {TargetKind::Checkerboard, "actCheckerboard", tr("C&heckerboard")},
        {TargetKind::Charuco, "actCharuco", tr("Ch&ArUco")},
        {TargetKind::Circles, "actCircles", tr("&Circle grid")},
        {TargetKind::AsymmetricCircles, "actAsymmetricCircles", tr("A&symmetric circle grid")},
        {TargetKind::AprilGrid, "actAprilGrid", tr("A&prilGrid")},
    };
    auto* group = new QActionGroup(this); // exclusive: one kind at a time
    for (const auto& [kind, name, text] : kinds) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(kind == m_form->target().kind);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, kind = kind] {
            TargetOptions target = m_form->target();
            target.kind = kind;
            m_form->setTarget(target);
        });
    }
    menu->addSeparator();
    menu->addAction(tr("&Options…"), this, &MainWindow::showTargetDialog)
        ->setObjectName(QStringLiteral("actTargetOptions"));
}

void MainWindow::showTargetDialog() {
    TargetDialog dialog(m_form->target(), m_form->udWidth->position(), m_form->udHeight->position(),
                        this);
    const double pitch = StrToFloatDef(m_form->eCheckerWidth->text(), 0);
    dialog.setTagSize(pitch / (1 + m_form->target().tagSpacing), m_form->unitName);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.options() != m_form->target())
        m_form->setTarget(dialog.options());
    // A tag size typed: the pitch follows it, tag x (1 + spacing), square.
    if (const std::optional<double> tag = dialog.tagSize()) {
        const QString text = FloatToStr(*tag * (1 + dialog.options().tagSpacing));
        m_form->eCheckerWidth->setText(text);
        m_form->eCheckerHeight->setText(text);
    }
}

bool MainWindow::saveAs(FileFormat format, const QString& path) {
    // A name that asks for the other format would hold what it does not say.
    FileFormat named = format;
    if (FormatForFile(path, named) && named != format) {
        m_form->reportError(tr("%1 is the name of a %2 file; this saves %3, so nothing was "
                               "written. Choose a name ending in .%4.")
                                .arg(EchoedName(path), FormatName(named), FormatName(format),
                                     FormatName(format).toLower()));
        return false;
    }
    return writePage(path, [&] {
        WriteSheetFile(path, format, PrinterFilePage(m_form->printer()), m_form->sheetInputs());
    });
}

bool MainWindow::writePage(const QString& path, const std::function<void()>& write) {
    try {
        write();
        m_lastFolder = QFileInfo(path).absolutePath();
        m_lastPage = path;
        return true;
    } catch (const std::exception& e) {
        m_form->reportError(QString::fromUtf8(e.what()));
    }
    return false;
}

QString MainWindow::askFileName(const QString& title, const QString& filter,
                                const QString& suffix) {
    // Starts in the last folder a save went to, or where the program started;
    // never in one where a save failed, which Qt's own memory would give.
    PlainIconProvider icons; // never reads a file to show it; outlives the dialog
    QFileDialog dialog(this, title, m_lastFolder.isEmpty() ? QDir::currentPath() : m_lastFolder,
                       filter);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The extension is added before the dialog asks about replacing a file.
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QString::fromLatin1(kDefaultFileName) + QLatin1Char('.') + suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    // The dialog is gone before the file is written: left open behind an error
    // box it would go on reading its folder, which can block (/proc).
    return dialog.selectedFiles().constFirst();
}

void MainWindow::chooseFileAndSave(FileFormat format) {
    // A board that cannot be made is refused before a name is asked for (the
    // renderer refuses it too, whatever calls it).
    if (const QString problem = m_form->boardProblem(); !problem.isEmpty()) {
        m_form->reportError(problem);
        return;
    }
    const QString& cut = m_form->cutMessage();
    if (!cut.isEmpty() && !m_form->confirm(tr("%1\n\nSave the board cut off?").arg(cut)))
        return;
    struct FileKind {
        QString suffix;
        QString title;
        QString filter;
    };
    const FileKind kind =
        format == FileFormat::Pdf
            ? FileKind{QStringLiteral("pdf"), tr("Save as PDF"), tr("PDF files (*.pdf)")}
        : format == FileFormat::Svg
            ? FileKind{QStringLiteral("svg"), tr("Save as SVG"), tr("SVG files (*.svg)")}
            : FileKind{QStringLiteral("png"), tr("Save as PNG"), tr("PNG images (*.png)")};
    const QString path = askFileName(kind.title, kind.filter, kind.suffix);
    if (!path.isEmpty())
        saveAs(format, path);
}

QString MainWindow::drawnBoard() const {
    const TfQuadrix& f = *m_form;
    return tr("%1 \u00d7 %2 %3, %4 \u00d7 %5 %6")
        .arg(f.udWidth->position())
        .arg(f.udHeight->position())
        .arg(CellNoun(f.target().kind), f.ePatternWidth->text(), f.ePatternHeight->text(),
             f.unitName);
}

void MainWindow::setMeasured(const std::optional<QSizeF>& measured) {
    m_measured = measured;
    m_measuredBoard = drawnBoard();
}

void MainWindow::showMeasuredDialog() {
    MeasuredDialog dialog(drawnBoard(), m_form->unitName,
                          m_measuredBoard == drawnBoard() ? m_measured : std::nullopt, this);
    if (dialog.exec() == QDialog::Accepted)
        setMeasured(dialog.measured());
}

void MainWindow::showTileDialog() {
    if (const QString problem = m_form->boardProblem(); !problem.isEmpty()) {
        m_form->reportError(problem);
        return;
    }
    const PrinterDevice& printer = m_form->printer();
    const SheetInputs in = m_form->sheetInputs();
    const TilePlan plan = PlanTiles(in, printer.pageWidth(), printer.pageHeight());
    const QString paper = PrinterFilePage(printer).layout.pageSize().name();
    if (!plan.possible) {
        m_form->reportError(tr("One cell with the strip that sheets overlap by is larger than a "
                               "sheet of %1 holds, so no tiling keeps the cells whole. Choose "
                               "smaller cells or a larger paper in Setup.")
                                .arg(paper));
        return;
    }
    TileDialog dialog(in, plan, paper, this);
    switch (dialog.exec()) {
    case TileDialog::Print:
        m_form->printTiled();
        break;
    case TileDialog::Save:
        if (const QString path = askFileName(tr("Save tiled board as PDF"), tr("PDF files (*.pdf)"),
                                             QStringLiteral("pdf"));
            !path.isEmpty())
            saveTiled(path);
        break;
    default:
        break;
    }
}

bool MainWindow::saveTiled(const QString& path) {
    return writePage(path, [&] {
        const PrinterDevice& printer = m_form->printer();
        const SheetInputs in = m_form->sheetInputs();
        WriteTiledFile(path, PrinterFilePage(printer), in,
                       PlanTiles(in, printer.pageWidth(), printer.pageHeight()));
    });
}

bool MainWindow::saveBoardCard(const QString& path) {
    // The page just saved is replaced by its card only when the user says so.
    if (!m_lastPage.isEmpty() && SameFile(path, m_lastPage) &&
        QMessageBox::question(this, tr("Save board card"),
                              tr("%1 holds the page you saved. Replace the page with the board "
                                 "card?")
                                  .arg(EchoedName(path)),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return false;
    try {
        const PrinterDevice& printer = m_form->printer();
        const SheetInputs in = m_form->sheetInputs();
        CardPage page{printer.name(), PrinterFilePage(printer).layout.pageSize().name(),
                      QDate::currentDate(),
                      BoardCutOff(in, printer.pageWidth(), printer.pageHeight())};
        QStringList notes;
        if (m_measured && m_measuredBoard == drawnBoard()) {
            const int unit = UnitOf(m_form->cbUnitsC, m_form->unitName);
            page.measuredWidth = LengthMetres(m_measured->width(), unit, in.dpiX);
            page.measuredHeight = LengthMetres(m_measured->height(), unit, in.dpiY);
        } else if (m_measured) {
            notes << tr("The measured size was taken on a board of %1; this board is %2, so the "
                        "card gives its drawn size.")
                         .arg(m_measuredBoard, drawnBoard());
        }
        const BoardCard card(in, page);
        card.write(path);
        m_lastFolder = QFileInfo(path).absolutePath();
        if (SameFile(path, m_lastPage))
            m_lastPage.clear();
        notes << card.notes() << card.problems();
        if (!notes.isEmpty())
            m_form->reportNotice(
                tr("Wrote the board card %1.\n\n%2")
                    .arg(QDir::toNativeSeparators(path), notes.join(QStringLiteral("\n\n"))));
        return true;
    } catch (const std::exception& e) {
        m_form->reportError(QString::fromUtf8(e.what()));
    }
    return false;
}

void MainWindow::chooseFileAndSaveCard() {
    const QString path =
        askFileName(tr("Save board card"), tr("YAML files (*.yaml)"), QStringLiteral("yaml"));
    if (!path.isEmpty())
        saveBoardCard(path);
}

bool MainWindow::saveScreenCard(const QString& path, const ScreenGeometry& geometry) {
    try {
        const QSizeF mm = geometry.metrics().physicalMm;
        CardPage page{QString(), tr("%1 × %2 mm").arg(mm.width()).arg(mm.height()),
                      QDate::currentDate(), QString()};
        page.screen = geometry.metrics().name;
        BoardCard(ScreenView::Sheet(boardOptions(), geometry), page).write(path);
        m_lastFolder = QFileInfo(path).absolutePath();
        return true;
    } catch (const std::exception& e) {
        m_form->reportError(QString::fromUtf8(e.what()));
    }
    return false;
}

void MainWindow::chooseFileAndSaveScreenCard() {
    ScreenGeometry geometry(ScreenMetrics{}, ScaleCorrection{});
    if (!screenGeometry(geometry))
        return;
    const QString path =
        askFileName(tr("Save board card"), tr("YAML files (*.yaml)"), QStringLiteral("yaml"));
    if (!path.isEmpty())
        saveScreenCard(path, geometry);
}

BoardOptions MainWindow::boardOptions() const {
    const TfQuadrix& f = *m_form;
    BoardOptions o;
    o.columns = f.udWidth->position();
    o.rows = f.udHeight->position();
    // The texts the pixel sizes come from, read as the conversion reads them.
    o.checker =
        SizeOption{StrToFloatDef(f.eCheckerWidth->text(), 0),
                   StrToFloatDef(f.eCheckerHeight->text(), 0), UnitOf(f.cbUnitsP, f.unitName)};
    o.horizontal = f.rgHorizontal->itemIndex();
    o.vertical = f.rgVertical->itemIndex();
    o.frame = f.cbFrame->isChecked();
    o.frameDistance =
        LengthOption{StrToFloatDef(f.eFrameDistance->text(), 0), UnitOf(f.cbUnitsF, f.unitName)};
    o.caption = f.cbSize->isChecked();
    o.captionDistance =
        LengthOption{StrToFloatDef(f.eSizeDistance->text(), 0), UnitOf(f.cbUnitsS, f.unitName)};
    o.target = f.target();
    return o;
}

QString MainWindow::fieldProblem() const {
    const TfQuadrix& f = *m_form;
    // A field with no number has no option that says it.
    const struct {
        const QLineEdit* edit;
        bool used;
        QString name;
    } fields[] = {{f.eCheckerWidth, true, tr("checker width")},
                  {f.eCheckerHeight, true, tr("checker height")},
                  {f.eFrameDistance, f.cbFrame->isChecked(), tr("frame distance")},
                  {f.eSizeDistance, f.cbSize->isChecked(), tr("caption distance")}};
    for (const auto& [edit, used, name] : fields) {
        double value = 0;
        if (used && !TryStrToFloat(edit->text(), value))
            return tr("The %1 holds no number (\u201c%2\u201d), so no command line makes this "
                      "page.")
                .arg(name, Echoed(edit->text()));
    }
    return QString();
}

namespace {

// What the command line would refuse of a command, or "" when it runs it.
QString RefusedCommand(const QStringList& command) {
    const ParsedCommandLine checked = ParseCommandLine(command);
    return checked.action == ParsedCommandLine::Action::Error
               ? MainWindow::tr("The command line would refuse this page: %1").arg(checked.text)
               : QString();
}

} // namespace

QString MainWindow::commandLine(QString* problem) const {
    if (const QString fields = fieldProblem(); !fields.isEmpty()) {
        if (problem)
            *problem = fields;
        return QString();
    }
    const FilePage page = PrinterFilePage(m_form->printer());
    // The file is made on a paper of its own, so the printer's correction goes along.
    const auto arguments = [&](NumberForm form) {
        QStringList args{QStringLiteral("quadrix")};
        args << BoardArguments(boardOptions(), form) << PageArguments(page.layout, page.dpi)
             << ScaleArguments(m_form->correction(), form) << QStringLiteral("--output")
             << QString::fromLatin1(kDefaultFileName) + QStringLiteral(".pdf");
        return args;
    };
    const QStringList full = arguments(NumberForm::Full);
    // The command line's own checks: what it would refuse is not given.
    if (const QString refused = RefusedCommand(full); !refused.isEmpty()) {
        if (problem)
            *problem = refused;
        return QString();
    }
    // The page each command makes, by the command line's own road.
    const auto pageOf = [&page](const QStringList& args) {
        const ParsedCommandLine parsed = ParseCommandLine(args);
        if (parsed.action != ParsedCommandLine::Action::Run)
            return QByteArray();
        const QRect area = page.printableRect();
        return SheetSvg(page,
                        SheetFromOptions(parsed.options.board, page.dpi, page.dpi, area.width(),
                                         area.height(),
                                         parsed.options.output.scale.value_or(ScaleCorrection())));
    };
    // Short numbers give the same page nearly always; a text that is no
    // single-precision value (typed with nine digits, say) can move a pixel,
    // and then every digit the window holds is written.
    const QStringList shortest = arguments(NumberForm::Shortest);
    try {
        const QByteArray made = pageOf(shortest);
        if (!made.isEmpty() && made == pageOf(full))
            return shortest.join(QLatin1Char(' '));
    } catch (const std::exception&) {
        // a board the renderer refuses: the full form, as the window holds it
    }
    return full.join(QLatin1Char(' '));
}

void MainWindow::copyCommandLine() {
    QString problem;
    const QString command = commandLine(&problem);
    if (command.isEmpty())
        m_form->reportError(problem); // and the clipboard keeps what it held
    else
        QGuiApplication::clipboard()->setText(command);
}

ScreenMetrics MainWindow::screenMetrics() const {
    const QScreen* screen = this->screen();
    ScreenMetrics m;
    m.name = QStringLiteral("%1 %2 (%3)")
                 .arg(screen->manufacturer(), screen->model(), screen->name())
                 .simplified();
    m.physicalMm = m_measuredScreens.value(m.name, screen->physicalSize());
    m.desktopPixels = screen->geometry().size();
    m.devicePixelRatio = screen->devicePixelRatio();
    return m;
}

bool MainWindow::screenGeometry(ScreenGeometry& geometry) {
    ScreenMetrics metrics = screenMetrics();
    QString problem;
    const ScaleCorrection stored = LoadCorrection(ScreenCorrectionKey(metrics.name), &problem);
    if (!problem.isEmpty())
        m_form->reportError(problem);
    geometry = ScreenGeometry(metrics, stored);
    if (geometry.usable())
        return true;
    // No guess: the user measures the picture and types its size.
    bool typed = false;
    const QString text = QInputDialog::getText(
        this, tr("Size of %1").arg(metrics.name),
        tr("%1, so the board's size on it is not known. Measure the picture (its lit area) "
           "from edge to edge with a ruler and type its width and height in mm, such as "
           "597x336:")
            .arg(geometry.problem()),
        QLineEdit::Normal, QString(), &typed);
    if (!typed)
        return false;
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d*)?)\\s*[x×]\\s*(\\d+(?:\\.\\d*)?)\\s*(?:mm)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    metrics.physicalMm =
        m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
    geometry = ScreenGeometry(metrics, stored);
    if (!geometry.usable()) {
        m_form->reportError(
            tr("'%1' is no size of this monitor's picture: %2.").arg(text, geometry.problem()));
        return false;
    }
    m_measuredScreens.insert(metrics.name, metrics.physicalMm);
    return true;
}

ScreenView* MainWindow::showOnScreen() {
    if (const QString problem = m_form->boardProblem(); !problem.isEmpty()) {
        m_form->reportError(problem);
        return nullptr;
    }
    ScreenGeometry geometry(ScreenMetrics{}, ScaleCorrection{});
    if (!screenGeometry(geometry))
        return nullptr;
    auto* view = new ScreenView(boardOptions(), geometry);
    view->setScreen(screen());
    view->setGeometry(screen()->geometry());
    view->showFullScreen();
    view->activateWindow(); // Escape and H reach it at once
    return view;
}

void MainWindow::showScreenScaleDialog() {
    constexpr double kBarShare = 0.8; // of the picture's smaller side
    constexpr int kBarStepMm = 10;    // bars in whole cm
    ScreenGeometry geometry(ScreenMetrics{}, ScaleCorrection{});
    if (!screenGeometry(geometry))
        return;
    const QSizeF mm = geometry.metrics().physicalMm;
    const int across = std::max(kBarStepMm, int(mm.width() * kBarShare) / kBarStepMm * kBarStepMm);
    const int down = std::max(kBarStepMm, int(mm.height() * kBarShare) / kBarStepMm * kBarStepMm);
    const QString name = geometry.metrics().name;
    QPointer<ScreenView> bars; // deleted when it closes
    ScaleDialog dialog(
        name, tr("mm"), across, down, geometry.correction(),
        [&] {
            if (bars)
                bars->close();
            bars = new ScreenView(boardOptions(), geometry);
            bars->showBars(across, down);
            bars->setScreen(screen());
            bars->setGeometry(screen()->geometry());
            bars->showFullScreen();
            // The dialog stays above the bars, to type in.
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->raise();
                modal->activateWindow();
            }
        },
        this, ScaleDialog::Device::Screen);
    // Clear of the bars, which cross in the middle.
    dialog.move(screen()->availableGeometry().topLeft());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (bars)
        bars->close();
    if (!accepted || dialog.correction() == geometry.correction())
        return;
    try {
        StoreCorrection(ScreenCorrectionKey(name), dialog.correction());
    } catch (const std::exception& e) {
        m_form->reportError(QString::fromUtf8(e.what()));
    }
}

void MainWindow::copyScreenCommandLine() {
    // What the command line would refuse is not copied; the clipboard keeps what it held.
    if (const QString fields = fieldProblem(); !fields.isEmpty()) {
        m_form->reportError(fields);
        return;
    }
    ScreenGeometry geometry(ScreenMetrics{}, ScaleCorrection{});
    if (!screenGeometry(geometry))
        return;
    const QString command = screenCommandLine(geometry);
    if (const QString refused = RefusedCommand(command.split(QLatin1Char(' '))); !refused.isEmpty())
        m_form->reportError(refused);
    else
        QGuiApplication::clipboard()->setText(command);
}

QString MainWindow::screenCommandLine(const ScreenGeometry& geometry) const {
    return ScreenView::CommandLine(boardOptions(), geometry);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About Quadrix"),
                       tr("<p><b>Quadrix %1</b></p>"
                          "<p>Designs a camera calibration target (checkerboard, ChArUco, circle "
                          "grid or AprilGrid) and prints it, or saves it as PDF or SVG, at its "
                          "exact size.</p>"
                          "<p>Licence: MIT</p><p>Qt %2 (built with %3)</p>")
                           .arg(QLatin1String(kVersion), QLatin1String(qVersion()),
                                QLatin1String(QT_VERSION_STR)));
}
