// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <vector>

// A rectangle of a mark's bits: [left, right) x [top, bottom), in bits.
struct BitBlock {
    int left, top, right, bottom;
};

// The bits of a mark `bits` across and down for which `set` holds, as few
// rectangles: each row's runs of set bits, a run joined with the same run in
// the rows below it. Fewer rectangles make a smaller, faster page.
void BitBlocks(int bits, const std::function<bool(int row, int column)>& set,
               std::vector<BitBlock>& blocks);
