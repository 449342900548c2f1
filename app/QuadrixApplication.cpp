#include "app/QuadrixApplication.h"

#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <exception>

namespace {
// Tahoma is not part of a Linux desktop; where a copy is installed (Debian's
// fonts-wine ships a compatible one) it is loaded, otherwise the platform's
// substitute serves.
const char* const kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
} // namespace

QuadrixApplication::QuadrixApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Quadrix");
    setApplicationDisplayName("Quadrix");
    setApplicationVersion("1.0.0.0");
    if (QFile::exists(kTahomaFile))
        QFontDatabase::addApplicationFont(kTahomaFile);
}

void QuadrixApplication::ShowException(const QString& message) {
    QMessageBox::critical(activeWindow(), applicationName(), message);
}

bool QuadrixApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QString());
    }
    return false;
}
