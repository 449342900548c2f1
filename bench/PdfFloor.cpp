// SPDX-License-Identifier: MIT
// The floor for a whole quadrix process: a bare Qt program that starts, draws
// the same black checkers with QPdfWriter on A4 at 1200 dpi and exits.
//   quadrix_pdf_floor COLUMNS ROWS CELL_PIXELS FILE [caption]
// It starts a QGuiApplication on the offscreen platform, as quadrix does for
// its window-less runs. With "caption" it also draws one line of text above
// the board, as quadrix's size caption does, so that what text costs (font
// lookup, glyphs, the font embedded in the PDF) is measured beside the floor.

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
    if (argc != 5 && !caption)
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
