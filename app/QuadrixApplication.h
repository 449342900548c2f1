// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

// The application object. An exception that leaves an event handler is shown
// in the standard error box and the event loop goes on: none may reach Qt.
class QuadrixApplication : public QApplication {
    Q_OBJECT
public:
    QuadrixApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows message in the standard error box (empty for an unknown error).
    static void ShowException(const QString& message);
    // Shows message in an information box: something to know, not an error.
    static void ShowNotice(const QString& message);
    // Asks message as a question; true when the user answers Yes.
    static bool Confirm(const QString& message);
};
