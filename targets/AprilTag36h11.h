// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The AprilTag family 36h11 as libapriltag defines it: 587 codes of 6 x 6
// data bits inside a black border two bits wide, ten bits across in all.
// Each code is kept as its 36 data bits read row by row from the tag's
// top-left corner, the first bit the most significant; a set bit is white.
// Kalibr's generator and detectors read the tags in this same orientation.
class AprilTag36h11 {
public:
    static constexpr int kDataBits = 6;   // data bits across and down
    static constexpr int kBorderBits = 2; // black bits around the data
    static constexpr int kTagBits = kDataBits + 2 * kBorderBits;

    // The family, read from libapriltag once.
    static const AprilTag36h11& Family();

    int count() const { return int(m_rows.size()); }
    // The code of id in row-major order (bit 35 is the top-left data bit).
    uint64_t code(int id) const { return m_rows[std::size_t(id)]; }
    // Whether the data bit at (row, col) from the top-left is white.
    bool white(int id, int row, int col) const {
        return (code(id) >> (kDataBits * kDataBits - 1 - (row * kDataBits + col))) & 1u;
    }

private:
    AprilTag36h11();
    std::vector<uint64_t> m_rows;
};
