// SPDX-License-Identifier: MIT
// The floor for the window's start: a bare Qt Widgets program that asks the
// print system for the default printer's paper (libcups, the default
// destination alone), shows an empty main window of the same size as
// quadrix's and exits once it has been painted. With "text" the window holds
// one line of text, so that what text costs (fonts found, loaded, shaped) is
// measured apart.
//   quadrix_window_floor [text]

#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>
#include <cups/cups.h>

namespace {
constexpr int kWidth = 585;
constexpr int kHeight = 430; // the form and a menu bar
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[argc - 1], "text") == 0;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (dest) {
        cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
        cups_size_t paper;
        if (info)
            cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &paper);
        cupsFreeDestInfo(info);
        cupsFreeDests(1, dest);
    }
    QMainWindow window;
    window.resize(kWidth, kHeight);
    if (text)
        window.setCentralWidget(new QLabel(QStringLiteral("Pattern size: 5 × 6 checkers")));
    new FirstPaint(&window);
    window.show();
    return app.exec();
}
