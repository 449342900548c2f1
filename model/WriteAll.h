// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class QIODevice;

// Writes all of data to device, going on after a short write: a disk with a
// few kilobytes free takes part of a write without an error, and only the next
// write gives the reason (No space left on device). Returns false, with the
// device's errorString() saying why, when not every byte was written.
bool WriteAll(QIODevice& device, const QByteArray& data);
