// SPDX-License-Identifier: MIT
#include "app/QuadrixApplication.h"

#include <QMessageBox>
#include <exception>

QuadrixApplication::QuadrixApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Quadrix");
    setApplicationDisplayName("Quadrix");
    setApplicationVersion("1.0.0.0");
    // Where the per-printer scale corrections are kept, and the desktop entry
    // a Wayland desktop matches the window to.
    setOrganizationName("Quadrix");
    setDesktopFileName("org.quadrix_project.Quadrix");
}

void QuadrixApplication::ShowException(const QString& message) {
    QMessageBox::critical(activeWindow(), applicationName(), message);
}

void QuadrixApplication::ShowNotice(const QString& message) {
    QMessageBox::information(activeWindow(), applicationName(), message);
}

bool QuadrixApplication::Confirm(const QString& message) {
    return QMessageBox::question(activeWindow(), applicationName(), message) == QMessageBox::Yes;
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
