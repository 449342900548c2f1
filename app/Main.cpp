// SPDX-License-Identifier: MIT
#include "app/Main.h"

#include "app/Glyphs.h"
#include "app/QuadrixApplication.h"
#include "app/ScaleDialog.h"
#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "render/PreviewGeometry.h"
#include "render/SheetPrinter.h"
#include "render/TilePlan.h"
#include "targets/PatternSize.h"
#include "targets/TargetCheck.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <exception>

TfQuadrix* fQuadrix = nullptr;

namespace {
constexpr int kFormWidth = 585;
constexpr int kFormHeight = 404;
const char* const kFontFamily = "Tahoma";
// Tahoma is not part of a Linux desktop; where a copy is installed (Debian's
// fonts-wine ships a compatible one) it is loaded, otherwise the platform's
// substitute serves.
const char* const kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
constexpr int kFontPixels = 11; // 8 point at 96 dpi
constexpr int kPanelWidth = 150;
constexpr int kReceiptMs = 8000; // long enough to read where the job went
constexpr int kLastPanelWidth = kFormWidth - 3 * kPanelWidth; // what the first three leave
constexpr int kCountMin = 2;
constexpr int kCountMax = 100;
const char* const kCreditText = "Quadrix 1.0";
// How far a caption may be tightened to fit its control where the platform's
// substitute face is wider than the designed one, in pixels per character.
constexpr qreal kMaxWordTightening = 1.0;
constexpr qreal kMaxLetterTightening = 0.5;
// A board that cannot be made: its preview is a grey page with the reason in
// red, in a font this fraction of the preview's width.
const QColor kUnmakeablePage(0xe0, 0xe0, 0xe0);
const QColor kUnmakeableText(0xc0, 0, 0);
constexpr int kUnmakeableFontDivisor = 16;
// A page edge that cuts the drawing: a red band this fraction of the
// preview's width, hatched, in the preview only.
const QColor kCutMark(0xe0, 0, 0);
constexpr int kCutBandDivisor = 40;

} // namespace

int captionRoom(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
}

namespace {
// Tightens a check box caption that does not fit its control: first the
// blanks (so a gap that an edit lies over shrinks evenly), then the letters.
void fitCaption(QCheckBox* box) {
    const QString text = box->text();
    QFont font = box->font();
    const int available = captionRoom(box);
    const auto excess = [&] { return QFontMetrics(font).horizontalAdvance(text) - available; };
    if (excess() <= 0)
        return;
    if (const int blanks = int(text.count(QLatin1Char(' '))); blanks > 0)
        font.setWordSpacing(-qMin(kMaxWordTightening, qreal(excess()) / blanks));
    if (excess() > 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing,
                              -qMin(kMaxLetterTightening, qreal(excess()) / text.size()));
    box->setFont(font);
}
} // namespace

TfQuadrix::TfQuadrix(std::unique_ptr<WindowPrinter> printer, QWidget* parent)
    : QWidget(parent), m_printer(std::move(printer)),
      m_reportError(&QuadrixApplication::ShowException),
      m_reportNotice(&QuadrixApplication::ShowNotice), m_reportPassing([this](const QString& m) {
          QToolTip::showText(sb->mapToGlobal(QPoint(0, 0)), m, sb, QRect(), kReceiptMs);
      }),
      m_confirm(&QuadrixApplication::Confirm) {
    static const bool tahomaLoaded =
        QFile::exists(kTahomaFile) && QFontDatabase::addApplicationFont(kTahomaFile) >= 0;
    Q_UNUSED(tahomaLoaded);
    QFont formFont(kFontFamily);
    formFont.setPixelSize(kFontPixels);
    setFont(formFont);
    setupUi(this);
    setFixedSize(kFormWidth, kFormHeight);
    setWindowIcon(Glyphs::application());

    udWidth->setAssociate(seWidth);
    udWidth->setMin(kCountMin);
    udWidth->setMax(kCountMax);
    udWidth->setPosition(5);
    udHeight->setAssociate(seHeight);
    udHeight->setMin(kCountMin);
    udHeight->setMax(kCountMax);
    udHeight->setPosition(6);
    rgVertical->collectItems();
    rgHorizontal->collectItems();

    bbSetup->setIcon(Glyphs::setup());
    bbInside->setIcon(Glyphs::inside());
    bbPrint->setIcon(Glyphs::print());
    bbExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    buildStatusBar();
    for (QCheckBox* box : {cbFrame, cbSize, cbKeepCheckerConstant})
        fitCaption(box);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    wire();
    handleEvent(this, &TfQuadrix::FormCreate);
}

TfQuadrix::~TfQuadrix() {
    if (fQuadrix == this)
        fQuadrix = nullptr;
}

void TfQuadrix::buildStatusBar() {
    sb->setSizeGripEnabled(false);
    const char* const initial[4] = {"Printer: default", "Page size: 1000x1000 pixels",
                                    "Resolution: 100 DPI", kCreditText};
    for (int i = 0; i < 4; ++i) {
        sbPanel[i] = new QLabel(QString::fromLatin1(initial[i]), sb);
        sbPanel[i]->setObjectName(QStringLiteral("sbPanel%1").arg(i));
        if (i < 3) {
            sbPanel[i]->setFixedWidth(kPanelWidth);
            sb->addWidget(sbPanel[i]);
        } else {
            sb->addWidget(sbPanel[i], 1); // the last panel runs to the right end
        }
    }
}

void TfQuadrix::handleEvent(QObject* sender, void (TfQuadrix::*handler)(QObject*)) {
    try {
        (this->*handler)(sender);
    } catch (const std::exception& e) {
        m_reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        m_reportError(QString());
    }
}

void TfQuadrix::wire() {
    const auto on = [this](QObject* sender, void (TfQuadrix::*handler)(QObject*)) {
        return [this, sender, handler] { handleEvent(sender, handler); };
    };
    for (QLineEdit* e : {seWidth, seHeight})
        connect(e, &QLineEdit::textChanged, this, on(e, &TfQuadrix::ChangePattern1));
    for (QLineEdit* e : {ePatternWidth, ePatternHeight})
        connect(e, &QLineEdit::textChanged, this, on(e, &TfQuadrix::ChangePattern2));
    connect(cbUnitsP, &UnitCombo::unitChanged, this, on(cbUnitsP, &TfQuadrix::ChangePattern2));
    for (QLineEdit* e : {eCheckerWidth, eCheckerHeight})
        connect(e, &QLineEdit::textChanged, this, on(e, &TfQuadrix::ChangeChecker));
    connect(cbUnitsC, &UnitCombo::unitChanged, this, on(cbUnitsC, &TfQuadrix::ChangeChecker));
    for (RadioGroup* g : {rgHorizontal, rgVertical})
        connect(g, &RadioGroup::itemClicked, this, on(g, &TfQuadrix::rgAlignmentClick));
    for (QCheckBox* c : {cbFrame, cbSize})
        connect(c, &QCheckBox::toggled, this, on(c, &TfQuadrix::rgAlignmentClick));
    for (QLineEdit* e : {eFrameDistance, eSizeDistance})
        connect(e, &QLineEdit::textChanged, this, on(e, &TfQuadrix::ChangeOptions));
    for (UnitCombo* c : {cbUnitsF, cbUnitsS})
        connect(c, &UnitCombo::unitChanged, this, on(c, &TfQuadrix::ChangeOptions));
    connect(bbSetup, &QToolButton::clicked, this, on(bbSetup, &TfQuadrix::bbSetupClick));
    connect(bbInside, &QToolButton::clicked, this, on(bbInside, &TfQuadrix::bbInsideClick));
    connect(bbPrint, &QToolButton::clicked, this, on(bbPrint, &TfQuadrix::bbPrintClick));
    // Closes the window the form lies in (itself, or the shell with the menu bar).
    connect(bbExit, &QToolButton::clicked, this, [this] { window()->close(); });
}

SheetInputs TfQuadrix::sheetInputs() const {
    SheetInputs in;
    in.frame = cbFrame->isChecked();
    in.frameDistanceText = eFrameDistance->text();
    in.frameUnit = cbUnitsF->itemIndex();
    in.vertical = rgVertical->itemIndex();
    in.horizontal = rgHorizontal->itemIndex();
    in.dpiX = dpiX;
    in.dpiY = dpiY;
    in.correction = m_correction;
    in.patternWidthPx = patternWidthPx;
    in.patternHeightPx = patternHeightPx;
    in.checkerWidthPx = checkerWidthPx;
    in.checkerHeightPx = checkerHeightPx;
    in.columns = udWidth->position();
    in.rows = udHeight->position();
    in.sizeCaption = cbSize->isChecked();
    in.sizeDistanceText = eSizeDistance->text();
    in.sizeUnit = cbUnitsS->itemIndex();
    in.checkerWidthText = eCheckerWidth->text();
    in.checkerHeightText = eCheckerHeight->text();
    in.unitName = unitName;
    in.target = m_target;
    return in;
}

void TfQuadrix::readPrinter() {
    dpiX = float(m_printer->dpiX());
    dpiY = float(m_printer->dpiY());
    sbPanel[0]->setText(QStringLiteral("Printer: ") + m_printer->name());
    QString problem;
    m_correction = LoadCorrection(m_printer->name(), &problem);
    QString tip = tr("Scale correction: %1").arg(CorrectionText(m_correction));
    for (const QString& note : {problem, m_printer->foundNote()})
        tip += note.isEmpty() ? QString() : QLatin1Char('\n') + note;
    sbPanel[0]->setToolTip(tip);
    // Told once, when the window is up (at start) or after Setup.
    if (!problem.isEmpty() && problem != m_correctionProblem)
        QTimer::singleShot(0, this, [this, problem] { m_reportNotice(problem); });
    m_correctionProblem = problem;
}

void TfQuadrix::FormCreate(QObject* sender) {
    readPrinter();
    cbUnitsC->setItemIndex(kUnitCm);
    updating = false;
    ChangeChecker(sender);
}

void TfQuadrix::bbSetupClick(QObject* sender) {
    m_printer->setup(this); // confirmed or cancelled, the printer is read again
    readPrinter();
    Change(sender);
}

void TfQuadrix::Change(QObject* sender) {
    updating = true;
    cbUnitsF->setItemIndex(cbUnitsC->itemIndex());
    cbUnitsS->setItemIndex(cbUnitsC->itemIndex());
    const DefaultDistances distances = ComputeDefaultDistances(checkerWidth, checkerHeight);
    eFrameDistance->setText(distances.frame);
    eSizeDistance->setText(distances.size);
    updating = false;

    const CheckerConversion conversion =
        ConvertChecker(cbUnitsP->itemIndex(), eCheckerWidth->text(), eCheckerHeight->text(), dpiX,
                       dpiY, m_printer->pageWidth(), m_printer->pageHeight(), m_correction);
    if (conversion.converted) {
        checkerWidthPx = conversion.checkerWidthPx;
        checkerHeightPx = conversion.checkerHeightPx;
        unitName = conversion.unitName;
    }
    patternWidthPx = ToSingle(double(cellsAcross()) * checkerWidthPx);
    patternHeightPx = ToSingle(double(udHeight->position()) * checkerHeightPx);

    rgAlignmentClick(sender);

    sbPanel[1]->setText(PageSizePanelText(conversion.pageWidth, conversion.pageHeight, unitName));
    sbPanel[2]->setText(ResolutionPanelText(dpiX, dpiY));
    updateCornerHints();
    emit changeDone();
}

bool TfQuadrix::squareCells() const {
    return NeedsSquareCells(m_target.kind);
}

CellLead TfQuadrix::leadOf(const QObject* sender) const {
    return sender == eCheckerHeight || sender == ePatternHeight || sender == seHeight
               ? CellLead::Height
               : CellLead::Width;
}

void TfQuadrix::take(const LinkedSizes& sizes) {
    checkerWidth = sizes.cellWidth;
    checkerHeight = sizes.cellHeight;
    patternWidth = sizes.boardWidth;
    patternHeight = sizes.boardHeight;
}

void TfQuadrix::patternFromChecker(CellLead lead) {
    take(BoardFromCell(ReadSize(eCheckerWidth->text()), ReadSize(eCheckerHeight->text()),
                       cellsAcross(), udHeight->position(), squareCells(), lead));
}

void TfQuadrix::checkerFromPattern(CellLead lead) {
    take(CellFromBoard(ReadSize(ePatternWidth->text()), ReadSize(ePatternHeight->text()),
                       cellsAcross(), udHeight->position(), squareCells(), lead));
}

void TfQuadrix::writeFollower(QLineEdit* width, QLineEdit* height, float widthValue,
                              float heightValue, CellLead lead) {
    if (!squareCells())
        return;
    // A checker edit takes the leading one's text, so that both read alike.
    const bool checker = width == eCheckerWidth;
    if (lead == CellLead::Height)
        width->setText(checker ? height->text() : FloatToStr(widthValue));
    else
        height->setText(checker ? width->text() : FloatToStr(heightValue));
}

void TfQuadrix::writePattern() {
    ePatternWidth->setText(FloatToStr(patternWidth));
    ePatternHeight->setText(FloatToStr(patternHeight));
}

void TfQuadrix::writeChecker() {
    eCheckerWidth->setText(FloatToStr(checkerWidth));
    eCheckerHeight->setText(FloatToStr(checkerHeight));
}

void TfQuadrix::ChangeChecker(QObject* sender) {
    if (updating)
        return;
    cbUnitsP->setItemIndex(cbUnitsC->itemIndex());
    const CellLead lead = leadOf(sender);
    patternFromChecker(lead);
    updating = true; // the pattern edits' own handler returns at once
    writePattern();
    writeFollower(eCheckerWidth, eCheckerHeight, checkerWidth, checkerHeight, lead);
    updating = false;
    Change(sender);
}

void TfQuadrix::ChangePattern2(QObject* sender) {
    if (updating)
        return;
    cbUnitsC->setItemIndex(cbUnitsP->itemIndex());
    const CellLead lead = leadOf(sender);
    checkerFromPattern(lead);
    updating = true;
    writeChecker();
    writeFollower(ePatternWidth, ePatternHeight, patternWidth, patternHeight, lead);
    updating = false;
    Change(sender);
}

void TfQuadrix::ChangePattern1(QObject* sender) {
    if (updating)
        return;
    updating = true;
    cbUnitsC->setItemIndex(cbUnitsP->itemIndex());
    const CellLead lead = leadOf(sender);
    if (cbKeepCheckerConstant->isChecked()) {
        patternFromChecker(lead);
        writePattern();
        writeFollower(eCheckerWidth, eCheckerHeight, checkerWidth, checkerHeight, lead);
    } else {
        checkerFromPattern(lead);
        writeChecker();
        writeFollower(ePatternWidth, ePatternHeight, patternWidth, patternHeight, lead);
    }
    updating = false;
    Change(sender);
}

void TfQuadrix::bbInsideClick(QObject*) {
    const bool keep = cbKeepCheckerConstant->isChecked();
    cbKeepCheckerConstant->setChecked(true);
    udWidth->setPosition(udWidth->position() + 2);
    udHeight->setPosition(udHeight->position() + 2);
    cbKeepCheckerConstant->setChecked(keep);
}

void TfQuadrix::rgAlignmentClick(QObject*) {
    m_cutMessage.clear();
    m_legendLeftOut = false;
    if (const QString problem = boardProblem(); !problem.isEmpty()) {
        markUnmakeable(problem);
    } else {
        const SheetInputs in = sheetInputs();
        const int width = m_printer->pageWidth(), height = m_printer->pageHeight();
        RebuildPreview(img->bitmap(), img->width(), img->height(), width, height, in);
        const BoardFit fit = FitBoard(in, width, height);
        m_legendLeftOut = fit.legendCut;
        if (!fit.fits) {
            m_cutMessage = FitMessage(fit, AdviseFit(in, m_printer->pageLayout()), in);
            markCut(fit);
        }
    }
    img->Refresh();
    updateStatusPanel();
    emit previewRebuilt();
}

void TfQuadrix::markCut(const BoardFit& fit) {
    QImage& bitmap = img->bitmap();
    if (bitmap.isNull())
        return;
    const float scale =
        PreviewScale(img->width(), img->height(), m_printer->pageWidth(), m_printer->pageHeight());
    const auto at = [scale](Coord v, int extent) {
        return int(std::clamp<double>(double(v) * scale, 0, extent));
    };
    const int w = bitmap.width(), h = bitmap.height();
    const int band = std::max(2, w / kCutBandDivisor);
    const int top = at(fit.drawn.Top, h), bottom = at(fit.drawn.Bottom, h);
    const int left = at(fit.drawn.Left, w), right = at(fit.drawn.Right, w);
    QPainter painter(&bitmap);
    const auto mark = [&](const QRect& edge) {
        painter.fillRect(edge, kCutMark.lighter(170));
        painter.fillRect(edge, QBrush(kCutMark, Qt::BDiagPattern));
    };
    if (fit.drawn.Left < 0)
        mark(QRect(0, top, band, bottom - top));
    if (fit.drawn.Right > m_printer->pageWidth())
        mark(QRect(w - band, top, band, bottom - top));
    if (fit.drawn.Top < 0)
        mark(QRect(left, 0, right - left, band));
    if (fit.drawn.Bottom > m_printer->pageHeight())
        mark(QRect(left, h - band, right - left, band));
}

void TfQuadrix::ChangeOptions(QObject* sender) {
    if (updating)
        return;
    rgAlignmentClick(sender);
}

void TfQuadrix::markUnmakeable(const QString& problem) {
    const QSize size = PreviewBitmapSize(
        PreviewScale(img->width(), img->height(), m_printer->pageWidth(), m_printer->pageHeight()),
        m_printer->pageWidth(), m_printer->pageHeight());
    QImage& bitmap = img->bitmap();
    bitmap = QImage(size, QImage::Format_RGB32);
    bitmap.fill(kUnmakeablePage);
    QPainter painter(&bitmap);
    QFont font = painter.font();
    font.setPixelSize(qMax(1, size.width() / kUnmakeableFontDivisor));
    painter.setFont(font);
    painter.setPen(kUnmakeableText);
    painter.drawText(bitmap.rect().adjusted(font.pixelSize(), 0, -font.pixelSize(), 0),
                     Qt::AlignCenter | Qt::TextWordWrap, problem);
}

void TfQuadrix::ChangeTarget(QObject* sender) {
    rgAlignmentClick(sender);
    updateCornerHints();
}

void TfQuadrix::setTarget(const TargetOptions& target) {
    // A target that counts its cells otherwise links the sizes anew, keeping the
    // checker; so does one whose cells must be square when they are not, the
    // width leading.
    const bool relink =
        CellsAcross(target, 1) != CellsAcross(m_target, 1) ||
        (NeedsSquareCells(target.kind) && eCheckerWidth->text() != eCheckerHeight->text());
    m_target = target;
    handleEvent(this, relink ? &TfQuadrix::ChangeChecker : &TfQuadrix::ChangeTarget);
}

int TfQuadrix::cellsAcross() const {
    return CellsAcross(m_target, udWidth->position());
}

QString TfQuadrix::boardProblem() const {
    return TargetProblem(m_target, udWidth->position(), udHeight->position());
}

void TfQuadrix::bbPrintClick(QObject*) {
    if (!m_cutMessage.isEmpty() &&
        !m_confirm(tr("%1\n\nPrint the board cut off?").arg(m_cutMessage)))
        return;
    reportJob(PrintSheet(*m_printer, sheetInputs()));
}

void TfQuadrix::printTiled() {
    try {
        const SheetInputs in = sheetInputs();
        reportJob(PrintTiles(*m_printer, in,
                             PlanTiles(in, m_printer->pageWidth(), m_printer->pageHeight())));
    } catch (const std::exception& e) {
        m_reportError(QString::fromUtf8(e.what()));
    }
}

void TfQuadrix::reportJob(const JobReport& job) {
    QString receipt = job.receipt;
    if (const QString found = m_printer->foundNote(); !found.isEmpty() && !receipt.isEmpty())
        receipt += QLatin1Char('\n') + found;
    if (!receipt.isEmpty())
        m_reportPassing(receipt);
    if (!job.notice.isEmpty())
        m_reportNotice(job.notice);
}

void TfQuadrix::updateCornerHints() {
    const int across = udWidth->position(), down = udHeight->position();
    // The board by its cells, then its pattern size as each tool counts it.
    QString hint =
        QStringLiteral("%1 \u00d7 %2 %3:\n").arg(across).arg(down).arg(CellNoun(m_target.kind)) +
        PatternSizes(m_target, across, down).join(QLatin1Char('\n'));
    if (squareCells())
        hint += QLatin1Char('\n') +
                tr("The cells are square: the side you change sets them, the other follows.");
    const QString problem = boardProblem();
    if (!problem.isEmpty())
        hint += QLatin1Char('\n') + problem;
    for (QWidget* w : {static_cast<QWidget*>(seWidth), static_cast<QWidget*>(udWidth),
                       static_cast<QWidget*>(seHeight), static_cast<QWidget*>(udHeight),
                       static_cast<QWidget*>(Label1)})
        w->setToolTip(hint);
    updateStatusPanel();
}

void TfQuadrix::updateStatusPanel() {
    // The last panel carries the credit, or says the board cannot be made.
    const QString problem = boardProblem();
    QLabel* panel = sbPanel[3];
    panel->setStyleSheet(
        problem.isEmpty() ? QString() : QStringLiteral("color: %1").arg(kUnmakeableText.name()));
    panel->setText(problem.isEmpty()
                       ? QString::fromLatin1(kCreditText)
                       : panel->fontMetrics().elidedText(problem, Qt::ElideRight, kLastPanelWidth));
    QStringList notes{problem, m_cutMessage};
    if (m_legendLeftOut)
        notes << tr("The legend does not fit beneath the board on this page; it is left out.");
    const QString width = eCheckerWidth->text(), height = eCheckerHeight->text();
    if (StrToFloatDef(width, 0) != StrToFloatDef(height, 0))
        notes << tr("The checkers are oblong, %1 \u00d7 %2 %3: a calibration tool must be given "
                    "both sides.")
                     .arg(width, height, unitName);
    notes.removeAll(QString());
    panel->setToolTip(notes.join(QLatin1Char('\n')));
}

void TfQuadrix::setCorrection(const ScaleCorrection& correction) {
    m_correction = correction;
    sbPanel[0]->setToolTip(tr("Scale correction: %1").arg(CorrectionText(m_correction)));
    Change(this);
    StoreCorrection(m_printer->name(), correction); // in force even when this throws
}

TestPageInputs TfQuadrix::testPageInputs() const {
    return {m_printer->pageWidth(),
            m_printer->pageHeight(),
            dpiX,
            dpiY,
            cbUnitsC->itemIndex() == kUnitInches,
            m_correction};
}

void TfQuadrix::showScaleDialog() {
    const TestPageInputs page = testPageInputs();
    const TestPageLayout layout = LayOutTestPage(page);
    ScaleDialog dialog(
        m_printer->name(), page.inches ? tr("inches") : tr("cm"), layout.unitsAcross,
        layout.unitsDown, m_correction,
        [this, page] {
            reportJob(PrintPage(*m_printer, [page](Canvas& canvas, int width, int height) {
                TestPageInputs in = page;
                in.pageWidth = width;
                in.pageHeight = height;
                DrawTestPage(canvas, in);
            }));
        },
        this);
    if (dialog.exec() != QDialog::Accepted || dialog.correction() == m_correction)
        return;
    try {
        setCorrection(dialog.correction());
    } catch (const std::exception& e) {
        m_reportError(QString::fromUtf8(e.what()));
    }
}
