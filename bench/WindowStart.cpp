// SPDX-License-Identifier: MIT
// The window's start, as quadrix starts it with no arguments: the application,
// the printer looked up, the window built and shown; it exits once the window
// has been painted. Timed as a whole process by bench_process.

#include "FirstPaint.h"
#include "app/MainWindow.h"
#include "app/QtPrinterDevice.h"
#include "app/QuadrixApplication.h"

int main(int argc, char** argv) {
    QuadrixApplication app(argc, argv);
    MainWindow window(std::make_unique<QtPrinterDevice>());
    fQuadrix = &window.form();
    new FirstPaint(&window);
    window.show();
    return app.exec();
}
