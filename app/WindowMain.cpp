// SPDX-License-Identifier: MIT
#include "app/WindowModule.h"

#include "app/MainWindow.h"
#include "app/QtPrinterDevice.h"
#include "app/QuadrixApplication.h"

#include <exception>

extern "C" Q_DECL_EXPORT int QuadrixWindowMain(int* argc, char** argv) {
    QuadrixApplication app(*argc, argv);
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
