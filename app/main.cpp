// SPDX-License-Identifier: MIT
#include "app/MainWindow.h"
#include "app/QuadrixApplication.h"
#include "cli/CommandLine.h"
#include "model/QtPrinterDevice.h"

#include <exception>

int main(int argc, char** argv) {
    // Any argument means window-less work (or --help, --version).
    if (argc > 1)
        return CommandLineMain(argc, argv);

    QuadrixApplication app(argc, argv);
    try {
        MainWindow window(std::make_unique<QtPrinterDevice>());
        fQuadrix = &window.form();
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        QuadrixApplication::ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        QuadrixApplication::ShowException(QString());
    }
    return 0;
}
