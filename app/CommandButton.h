// SPDX-License-Identifier: MIT
#pragma once

#include <QToolButton>

// A command button of the window: a tool button with its glyph above the
// caption that, when focused, is clicked by Enter or Return as by Space.
class CommandButton : public QToolButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
