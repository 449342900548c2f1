// SPDX-License-Identifier: MIT
#include "app/ScreenView.h"

#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "output/SheetFile.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace {

// The bars' thickness in millimetres, thick enough to lay a ruler along.
constexpr double kBarMm = 3;
constexpr int kLegendMargin = 8; // desktop pixels from the edge

} // namespace

ScreenView::ScreenView(const BoardOptions& board, const ScreenGeometry& geometry, QWidget* parent)
    : QWidget(parent), m_geometry(geometry) {
    setObjectName(QStringLiteral("screenView"));
    setWindowTitle(tr("Quadrix on %1").arg(geometry.metrics().name));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    drawBoard(board);
}

SheetInputs ScreenView::Sheet(const BoardOptions& board, const ScreenGeometry& geometry) {
    const QSize size = geometry.devicePixels();
    return SheetFromOptions(board, float(geometry.dpiX()), float(geometry.dpiY()), size.width(),
                            size.height(), geometry.correction());
}

QString ScreenView::CommandLine(const BoardOptions& board, const ScreenGeometry& geometry) {
    constexpr int kDigits = 15; // the paper's pixels come out whole at the resolution
    const ScreenGeometry::ImagePage page = geometry.imagePage();
    QStringList args{QStringLiteral("quadrix")};
    args << BoardArguments(board) << QStringLiteral("--paper")
         << QStringLiteral("%1x%2mm").arg(QString::number(page.paperMm.width(), 'g', kDigits),
                                          QString::number(page.paperMm.height(), 'g', kDigits))
         << QStringLiteral("--resolution") << QString::number(page.dpi)
         << ScaleArguments(page.scale) << QStringLiteral("--output") << QStringLiteral("board.png");
    return args.join(QLatin1Char(' '));
}

void ScreenView::drawBoard(const BoardOptions& board) {
    const QSize size = m_geometry.devicePixels();
    const SheetInputs in = Sheet(board, m_geometry);
    m_page = QImage(size, QImage::Format_Grayscale8);
    m_page.fill(Qt::white);
    {
        QPainter painter(&m_page);
        Canvas canvas(painter, m_page, size.width(), size.height());
        DrawBoard(canvas, 1.0f, size.width(), size.height(), in);
    }
    m_page.setDevicePixelRatio(m_geometry.metrics().devicePixelRatio);
    const double perCm = m_geometry.pixelsAcross(kMillimetresPerCm);
    m_legend = tr("%1 on %2: %3 × %4 pixels a cm (%5 dpi from the reported size, scale "
                  "correction %6). H hides this line, Esc leaves.")
                   .arg(SheetTitle(in), m_geometry.metrics().name)
                   .arg(perCm, 0, 'f', 2)
                   .arg(m_geometry.pixelsDown(kMillimetresPerCm), 0, 'f', 2)
                   .arg(m_geometry.dpiX(), 0, 'f', 1)
                   .arg(CorrectionText(m_geometry.correction()));
}

void ScreenView::showBars(double acrossMm, double downMm) {
    const QSize size = m_geometry.devicePixels();
    const int across = int(std::lround(m_geometry.pixelsAcross(acrossMm)));
    const int down = int(std::lround(m_geometry.pixelsDown(downMm)));
    const int thickX = int(std::lround(m_geometry.pixelsAcross(kBarMm)));
    const int thickY = int(std::lround(m_geometry.pixelsDown(kBarMm)));
    m_page = QImage(size, QImage::Format_Grayscale8);
    m_page.fill(Qt::white);
    {
        QPainter painter(&m_page);
        // Across through the middle, down beside it: whole device pixels.
        const int left = (size.width() - across) / 2, top = (size.height() - down) / 2;
        painter.fillRect(QRect(left, size.height() / 2 - thickY / 2, across, thickY), Qt::black);
        painter.fillRect(QRect(size.width() / 2 - thickX / 2, top, thickX, down), Qt::black);
    }
    m_page.setDevicePixelRatio(m_geometry.metrics().devicePixelRatio);
    m_legend = tr("Bars of %1 mm across and %2 mm down on %3: measure them end to end with a "
                  "ruler. Esc leaves.")
                   .arg(acrossMm)
                   .arg(downMm)
                   .arg(m_geometry.metrics().name);
    update();
}

void ScreenView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // One image pixel on one device pixel: the image's ratio is the monitor's.
    painter.drawImage(QPoint(0, 0), m_page);
    if (!m_legendShown)
        return;
    const QRect line =
        rect().adjusted(kLegendMargin, kLegendMargin, -kLegendMargin, -kLegendMargin);
    painter.setPen(Qt::black);
    painter.drawText(line, Qt::AlignBottom | Qt::AlignLeft | Qt::TextWordWrap, m_legend);
}

void ScreenView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->key() == Qt::Key_H) {
        m_legendShown = !m_legendShown;
        update();
    } else
        QWidget::keyPressEvent(event);
}
