// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <stdexcept>

// Raised by the strict text-to-number conversion; its message is shown as is
// in the error box.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};
