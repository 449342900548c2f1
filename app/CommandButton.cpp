// SPDX-License-Identifier: MIT
#include "app/CommandButton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent) : QToolButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
        QToolButton::keyPressEvent(event);
        return;
    }
    // Held down, it clicks once, as Space does.
    if (!event->isAutoRepeat())
        click();
}
