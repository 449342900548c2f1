// SPDX-License-Identifier: MIT
// The floor for a whole quadrix process: a bare Qt program that starts, draws
// the same black checkers with QPdfWriter on A4 at 1200 dpi and exits.
//   quadrix_pdf_floor COLUMNS ROWS CELL_PIXELS FILE
// It starts a QGuiApplication on the offscreen platform, as quadrix does for
// its window-less runs (the caption's labels need fonts).

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char** argv) {
    if (argc != 5)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int columns = atoi(argv[1]);
    const int rows = atoi(argv[2]);
    const int cell = atoi(argv[3]);
    QPdfWriter pdf(QString::fromLocal8Bit(argv[4]));
    pdf.setResolution(1200);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&pdf);
    const int left = (pdf.width() - columns * cell) / 2;
    const int top = (pdf.height() - rows * cell) / 2;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            if ((i + j) % 2 == 0)
                painter.fillRect(QRect(left + j * cell, top + i * cell, cell, cell), Qt::black);
    return painter.end() ? 0 : 1;
}
