// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

using namespace table;

void CView::WhichClicked(int32_t x, int32_t y, int32_t& area, int32_t& row) const {
    if (y <= kStackY - 1) {
        if (y < kTopRowY || y > kTopRowY + kCardHeight - 1)
            return;
        const int right = kCardWidth - 1;
        if (x >= kDeckX && x <= kDeckX + right)
            area = kAreaDeck;
        // The pile's range follows its top card, so it moves with the fanned count; right after a
        // deal (count 0) it overlaps the deck's right edge and wins there.
        const int pileX = PileCardX(model.fannedCount - 1);
        if (x >= pileX && x <= pileX + right)
            area = kAreaPile;
        for (int p = 0; p < kPacks; ++p)
            if (x >= PackX(p) && x <= PackX(p) + right)
                area = kAreaPack0 + p;
        return;
    }

    area = -1;
    row = -1;
    for (int s = 0; s < kStacks; ++s)
        if (x >= StackX(s) - kStackReachLeft && x <= StackX(s) + kStackReachRight)
            area = s;
    if (area == -1)
        return;
    for (int j = 0; j < kStackCapacity; ++j)
        if (y >= StackCardY(j) && y <= StackCardY(j) + kFanStep - 1)
            row = j;
    const int n = model.stackCount[area];
    if (row > n - 1) {
        if (y >= StackCardY(n - 1) && y <= StackCardY(n - 1) + kCardHeight - 1)
            row = n - 1;
        else
            row = -1;
    }
}
