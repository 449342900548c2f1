// SPDX-License-Identifier: MIT
#pragma once

#include "app/Main.h"
#include "support/FakePrinterDevice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// A window on a test printer, with errors and notices collected instead of shown.
struct WindowFixture {
    explicit WindowFixture(int dpiX = 600, int dpiY = 600, int pageWidth = 4800,
                           int pageHeight = 6600) {
        auto device =
            std::make_unique<FakePrinterDevice>("Test printer", dpiX, dpiY, pageWidth, pageHeight);
        printer = device.get();
        window = std::make_unique<TfQuadrix>(std::move(device));
        window->setErrorReporter([this](const QString& m) { errors << m; });
        window->setNoticeReporter([this](const QString& m) { notices << m; });
        window->setConfirmer([this](const QString& q) { return questions << q, answer; });
    }

    // Replaces the whole text in one edit, as a paste does.
    static void paste(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        edit->insert(text); // an empty text deletes the selection
    }

    // Picks an item from a combo's list as a user does.
    static void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    FakePrinterDevice* printer = nullptr;
    std::unique_ptr<TfQuadrix> window;
    QStringList errors, notices, questions;
    bool answer = true; // to every question
};
