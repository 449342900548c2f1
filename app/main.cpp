#include "app/Main.h"
#include "app/QuadrixApplication.h"
#include "model/QtPrinterDevice.h"

#include <exception>

int main(int argc, char** argv) {
    QuadrixApplication app(argc, argv);
    try {
        TfQuadrix window(std::make_unique<QtPrinterDevice>());
        fQuadrix = &window;
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        QuadrixApplication::ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        QuadrixApplication::ShowException(QString());
    }
    return 0;
}
