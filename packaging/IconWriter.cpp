// SPDX-License-Identifier: MIT
// Writes the application icon as PNG files at the sizes a desktop looks for,
// from the same drawing the window uses.
#include "app/Glyphs.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(dir) ||
            !Glyphs::applicationImage(size).save(out.filePath(dir + "/quadrix.png")))
            return 1;
    }
    return 0;
}
