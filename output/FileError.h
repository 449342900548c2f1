// SPDX-License-Identifier: MIT
#pragma once

#include "model/EchoedText.h"

#include <QCoreApplication>
#include <QString>
#include <stdexcept>

// A file that could not be written, with the reason as the system gave it.
// The message names both: "Cannot write board.pdf: No space left on device"
// (a very long name cut short).
class FileError : public std::runtime_error {
public:
    FileError(const QString& path, const QString& reason)
        : std::runtime_error(QCoreApplication::translate("FileError", "Cannot write %1: %2")
                                 .arg(EchoedName(path), reason)
                                 .toStdString()) {}
};
