// SPDX-License-Identifier: MIT
#include "app/Glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kGlyphSize = 16;
const QColor kInk(0x20, 0x20, 0x20);
const QColor kPaper(Qt::white);
const QColor kBody(0xB0, 0xB0, 0xB0);
const QColor kAccent(0x20, 0x60, 0xC0);

template <typename Draw> QIcon glyph(Draw draw) {
    QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    draw(p);
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

// A small printer: paper slot at the top, body, output tray.
void drawPrinter(QPainter& p) {
    p.fillRect(4, 1, 8, 5, kPaper);
    p.setPen(kInk);
    p.drawRect(4, 1, 7, 5);
    p.fillRect(1, 6, 14, 6, kBody);
    p.drawRect(1, 6, 13, 5);
    p.fillRect(3, 12, 10, 3, kPaper);
    p.drawRect(3, 11, 9, 3);
}

void drawBoard(QPainter& p, int x, int y, int cells, int cell) {
    for (int i = 0; i < cells; ++i)
        for (int j = 0; j < cells; ++j)
            p.fillRect(x + j * cell, y + i * cell, cell, cell,
                       (i + j) % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white));
}
} // namespace

namespace Glyphs {

QIcon setup() {
    return glyph([](QPainter& p) {
        drawPrinter(p);
        // A check mark: choose the printer and its paper.
        p.setPen(QPen(kAccent, 2));
        p.drawLine(8, 9, 10, 12);
        p.drawLine(10, 12, 15, 4);
    });
}

QIcon inside() {
    return glyph([](QPainter& p) {
        // The old board becomes the inside of a larger one.
        p.setPen(kInk);
        p.drawRect(0, 0, 15, 15);
        drawBoard(p, 4, 4, 4, 2);
        p.setPen(kAccent);
        p.drawRect(2, 2, 11, 11);
    });
}

QIcon print() {
    return glyph([](QPainter& p) {
        drawPrinter(p);
        drawBoard(p, 5, 2, 3, 2);
    });
}

QImage applicationImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const int cells = 4;
    const int cell = size / cells;
    const int offset = (size - cell * cells) / 2;
    drawBoard(p, offset, offset, cells, cell);
    p.end();
    return image;
}

QIcon application() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(applicationImage(size)));
    return icon;
}

} // namespace Glyphs
