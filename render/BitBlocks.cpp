// SPDX-License-Identifier: MIT
#include "render/BitBlocks.h"

#include <algorithm>

void BitBlocks(int bits, const std::function<bool(int row, int column)>& set,
               std::vector<BitBlock>& blocks) {
    blocks.clear();
    std::vector<BitBlock> open; // runs of the previous rows, still growing
    std::vector<BitBlock> next;
    for (int r = 0; r <= bits; ++r) {
        next.clear();
        for (int c = 0; r < bits && c < bits;) {
            if (!set(r, c)) {
                ++c;
                continue;
            }
            const int from = c;
            while (c < bits && set(r, c))
                ++c;
            next.push_back({from, r, c, r + 1});
        }
        for (const BitBlock& o : open) {
            auto same = std::find_if(next.begin(), next.end(), [&o](const BitBlock& n) {
                return n.left == o.left && n.right == o.right;
            });
            if (same != next.end())
                same->top = o.top; // grows down by this row
            else
                blocks.push_back({o.left, o.top, o.right, r});
        }
        open.swap(next);
    }
}
