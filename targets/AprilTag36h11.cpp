// SPDX-License-Identifier: MIT
#include "targets/AprilTag36h11.h"

#include <apriltag/tag36h11.h>
#include <memory>

// libapriltag stores each code with its bits in the order of the family's
// bit_x/bit_y tables (from the most significant bit on), counted within the
// tag with its one-bit white frame; the data square starts one bit inside.
AprilTag36h11::AprilTag36h11() {
    const std::unique_ptr<apriltag_family_t, void (*)(apriltag_family_t*)> family(tag36h11_create(),
                                                                                  tag36h11_destroy);
    const int frame = (family->total_width - family->width_at_border) / 2;
    const int first = frame + 1; // the data square's first row and column
    m_rows.reserve(family->ncodes);
    for (uint32_t id = 0; id < family->ncodes; ++id) {
        const uint64_t code = family->codes[id];
        uint64_t rows = 0;
        for (uint32_t i = 0; i < family->nbits; ++i) {
            if (!((code >> (family->nbits - 1 - i)) & 1u))
                continue;
            const int row = int(family->bit_y[i]) + frame - first;
            const int col = int(family->bit_x[i]) + frame - first;
            rows |= uint64_t(1) << (kDataBits * kDataBits - 1 - (row * kDataBits + col));
        }
        m_rows.push_back(rows);
    }
}

const AprilTag36h11& AprilTag36h11::Family() {
    static const AprilTag36h11 family;
    return family;
}
