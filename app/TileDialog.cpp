// SPDX-License-Identifier: MIT
#include "app/TileDialog.h"

#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The board is shown within a square of this side, in screen pixels.
constexpr int kShownSide = 420;
// Seams in the colour the window marks a cut edge with, over the strip the
// sheets overlap by, lighter; the sheets' names on white.
const QColor kSeam(0xe0, 0, 0);
constexpr int kSeamWidth = 2;
constexpr int kStripAlpha = 60;
constexpr int kNameMargin = 2;

// The board as it prints, reduced to the dialog, with the name of each
// sheet's part, and each seam and its overlap strip, drawn over it. Drawn at the
// screen's size: the page at the printer's pixels would be hundreds of
// megabytes, and its one-pixel lines would vanish in the reduction.
QImage SeamPicture(const SheetInputs& in, const TilePlan& plan) {
    const double scale =
        std::min(kShownSide / double(plan.boardWidth), kShownSide / double(plan.boardHeight));
    QImage picture(std::max(1, int(std::ceil(double(plan.boardWidth) * scale))),
                   std::max(1, int(std::ceil(double(plan.boardHeight) * scale))),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.save();
    painter.scale(scale, scale);
    const TRect cover = DrawnBoardRect(1.0f, 0, 0, TopLeft(in));
    Canvas board(painter, picture, int(plan.boardWidth), int(plan.boardHeight));
    DrawBoardShifted(board, in, -cover.Left, -cover.Top);
    painter.restore();

    QColor strip = kSeam;
    strip.setAlpha(kStripAlpha);
    const double w = picture.width(), h = picture.height();
    for (Coord x : plan.seamsX)
        painter.fillRect(QRectF(double(x) * scale, 0, double(plan.overlapX) * scale, h), strip);
    for (Coord y : plan.seamsY)
        painter.fillRect(QRectF(0, double(y) * scale, w, double(plan.overlapY) * scale), strip);
    painter.setPen(Qt::black);
    for (int k = 0; k < plan.sheets(); ++k) {
        const TRect part = plan.sheetBoard(k);
        const QRectF area(double(part.Left) * scale, double(part.Top) * scale,
                          double(part.Right - part.Left) * scale,
                          double(part.Bottom - part.Top) * scale);
        const QString name = SheetName(k / plan.across, k % plan.across);
        const QRectF label = painter.boundingRect(area, Qt::AlignCenter, name);
        painter.fillRect(label.adjusted(-kNameMargin, 0, kNameMargin, 0), Qt::white);
        painter.drawText(label, Qt::AlignCenter, name);
    }
    painter.setPen(QPen(kSeam, kSeamWidth));
    for (Coord x : plan.seamsX)
        painter.drawLine(QPointF(double(x) * scale, 0), QPointF(double(x) * scale, h));
    for (Coord y : plan.seamsY)
        painter.drawLine(QPointF(0, double(y) * scale), QPointF(w, double(y) * scale));
    return picture;
}

} // namespace

TileDialog::TileDialog(const SheetInputs& in, const TilePlan& plan, const QString& paper,
                       QWidget* parent)
    : QDialog(parent), m_seams(SeamPicture(in, plan)) {
    setWindowTitle(tr("Tiled over sheets"));
    setObjectName(QStringLiteral("tileDialog"));
    auto* note = new QLabel(tr("The board takes %1 of %2, %3 across and %4 down%5, after a first "
                               "page that shows how they go together. Print every sheet at 100 %, "
                               "cut each along its trim lines and lay it on its neighbour's "
                               "crosses.")
                                .arg(SheetsText(plan.sheets()), paper)
                                .arg(plan.across)
                                .arg(plan.down)
                                .arg(plan.sheets() > 1 ? tr(" (seams in red)") : QString()),
                            this);
    note->setObjectName(QStringLiteral("lTileSheets"));
    note->setWordWrap(true);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgTileSeams"));
    picture->setPixmap(QPixmap::fromImage(m_seams));
    picture->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* print = buttons->addButton(tr("&Print"), QDialogButtonBox::AcceptRole);
    QPushButton* save = buttons->addButton(tr("&Save as PDF…"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("bbTilePrint"));
    save->setObjectName(QStringLiteral("bbTileSave"));
    connect(print, &QPushButton::clicked, this, [this] { done(Print); });
    connect(save, &QPushButton::clicked, this, [this] { done(Save); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(picture);
    layout->addWidget(buttons);
}
