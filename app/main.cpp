// SPDX-License-Identifier: MIT
#include "app/MainWindow.h"
#include "app/QuadrixApplication.h"
#include "cli/CommandLine.h"
#include "cli/QtOptions.h"
#include "app/QtPrinterDevice.h"

#include <exception>

int main(int argc, char** argv) {
    // Any argument but Qt's own means window-less work (or --help, --version).
    std::vector<char*> task = WithoutQtOptions(argc, argv);
    if (task.size() > 1) {
        const int count = int(task.size());
        task.push_back(nullptr); // argv ends in a null pointer
        return CommandLineMain(count, task.data());
    }

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
