// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Ends the program once a top-level window has been painted the first time:
// the end of a window's start as its user sees it. Watches the window, or the
// whole application.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QObject* watched) : QObject(watched) { watched->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !watched->parent() &&
            !m_seen) {
            m_seen = true;
            // Queued: the paint in hand completes first.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
