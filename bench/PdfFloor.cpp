// SPDX-License-Identifier: MIT
// The floor for a whole quadrix process: a bare Qt program that starts, draws
// the same black checkers with QPdfWriter on A4 at 1200 dpi and exits.
//   quadrix_pdf_floor COLUMNS ROWS CELL_PIXELS FILE [caption | tile ACROSS DOWN]
// It starts a QGuiApplication on the offscreen platform, as quadrix does for
// its window-less runs. With "caption" it also draws one line of text above
// the board, as quadrix's size caption does, so that what text costs (font
// lookup, glyphs, the font embedded in the PDF) is measured beside the floor.
// With "tile" the board is split over ACROSS x DOWN pages of A4, each page
// the checkers that reach it, as a tiled board's sheets are written.

#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstring>

namespace {

constexpr int kResolution = 1200;
// The caption's text cell on the default board: two fifteenths of a 3 cm
// checker at 1200 dpi.
constexpr int kCaptionPixels = 189;

} // namespace

int main(int argc, char** argv) {
    const bool caption = argc == 6 && std::strcmp(argv[5], "caption") == 0;
    const bool tile = argc == 8 && std::strcmp(argv[5], "tile") == 0;
    if (argc != 5 && !caption && !tile)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int columns = atoi(argv[1]);
    const int rows = atoi(argv[2]);
    const int cell = atoi(argv[3]);
    QPdfWriter pdf(QString::fromLocal8Bit(argv[4]));
    pdf.setResolution(kResolution);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&pdf);
    if (tile) {
        const int across = atoi(argv[6]);
        const int down = atoi(argv[7]);
        const QRect page(0, 0, pdf.width(), pdf.height());
        for (int k = 0; k < across * down; ++k) {
            if (k > 0)
                pdf.newPage();
            const QPoint at((k % across) * page.width(), (k / across) * page.height());
            for (int i = 0; i < rows; ++i)
                for (int j = 0; j < columns; ++j) {
                    const QRect cell_(QPoint(j * cell, i * cell) - at, QSize(cell, cell));
                    if ((i + j) % 2 == 0 && cell_.intersects(page))
                        painter.fillRect(cell_ & page, Qt::black);
                }
        }
        return painter.end() ? 0 : 1;
    }
    const int left = (pdf.width() - columns * cell) / 2;
    const int top = (pdf.height() - rows * cell) / 2;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            if ((i + j) % 2 == 0)
                painter.fillRect(QRect(left + j * cell, top + i * cell, cell, cell), Qt::black);
    if (caption) {
        QFont font;
        font.setStyleStrategy(QFont::NoAntialias);
        font.setPixelSize(kCaptionPixels);
        painter.setFont(font);
        painter.drawText(QPoint(left, top - kCaptionPixels), QStringLiteral(" 3 cm "));
    }
    return painter.end() ? 0 : 1;
}
