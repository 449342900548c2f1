// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// One of OpenCV's predefined ArUco/AprilTag dictionaries. The codes are taken
// from OpenCV at build time (a generated table), so the program itself never
// links OpenCV.
struct MarkerDictionary {
    QString name;   // OpenCV's name, e.g. "DICT_6X6_250"
    int markerBits; // data bits along a side, without the black border
    int count;      // markers it holds, IDs 0 .. count - 1
    // Each marker's bits, row-major from the top-left, bit row * markerBits + col.
    const std::uint64_t* codes;

    // Whether the data cell (row, col) of marker `id` is white (OpenCV's 1),
    // rows counted from the top, columns from the left, border excluded.
    bool bit(int id, int row, int col) const {
        return (codes[id] >> (row * markerBits + col)) & 1u;
    }
};

// The dictionary by OpenCV's name, case-insensitive, "DICT_" optional;
// nullptr when there is none by that name.
const MarkerDictionary* FindDictionary(const QString& name);

// OpenCV's names of every dictionary the program knows, in OpenCV's order.
QStringList DictionaryNames();
