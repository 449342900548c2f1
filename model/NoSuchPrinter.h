// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

// A printer asked for by name that the print system does not have: a wrong
// name the user gave, not a failure of the print system.
class NoSuchPrinter : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
