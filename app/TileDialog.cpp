// SPDX-License-Identifier: MIT
#include "app/TileDialog.h"

#include "render/Canvas.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The assembly is shown within a square of this side, in screen pixels.
constexpr int kShownSide = 420;

// The assembly page drawn at the printer's pixels, as it prints, then
// reduced smoothly for the screen.
QImage AssemblyPicture(const SheetInputs& in, const TilePlan& plan) {
    QImage page(plan.pageWidth, plan.pageHeight, QImage::Format_Grayscale8);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        Canvas canvas(painter, page, plan.pageWidth, plan.pageHeight);
        DrawTileAssembly(canvas, plan, in);
    }
    return page.scaled(kShownSide, kShownSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

TileDialog::TileDialog(const SheetInputs& in, const TilePlan& plan, const QString& paper,
                       QWidget* parent)
    : QDialog(parent), m_assembly(AssemblyPicture(in, plan)) {
    setWindowTitle(tr("Tiled over sheets"));
    setObjectName(QStringLiteral("tileDialog"));
    auto* note = new QLabel(tr("The board takes %1 sheets of %2, %3 across and %4 down, after a "
                               "first page that shows how they go together. Print every sheet at "
                               "100 %, cut each along its trim lines and lay it on its "
                               "neighbour's crosses.")
                                .arg(plan.sheets())
                                .arg(paper)
                                .arg(plan.across)
                                .arg(plan.down),
                            this);
    note->setObjectName(QStringLiteral("lTileSheets"));
    note->setWordWrap(true);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgTileAssembly"));
    picture->setPixmap(QPixmap::fromImage(m_assembly));
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
