// SPDX-License-Identifier: GPL-3.0-or-later
// Where everything lies on the table, in table-view pixels. Hit testing, drawing and card
// flights all take their coordinates from here. Rectangles include both corners.
#pragma once

#include "game/Table.h"
#include "platform/Types.h"

namespace table {

constexpr int kWidth = 701;
constexpr int kHeight = 501;

constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kFanStep = 15;

constexpr int kTopRowY = 15;
constexpr int kDeckX = 25;
constexpr int kPileX = 105;
constexpr int kPackX = 265;
constexpr int kPackStep = 80;
constexpr int kStackX = 25;
constexpr int kStackStep = 96;
constexpr int kStackY = 126;
// A press counts for a stack from 11 pixels left of its cards to 12 pixels right of them.
constexpr int kStackReachLeft = 11;
constexpr int kStackReachRight = kCardWidth - 1 + 12;
// A stack's column reaches below the table; every copy is clipped.
constexpr int kStackColumnBottom = 750;

constexpr int StackX(int s) {
    return kStackX + kStackStep * s;
}
constexpr int StackCardY(int row) {
    return kStackY + kFanStep * row;
}
constexpr int PackX(int p) {
    return kPackX + kPackStep * p;
}
// The k-th fanned pile card, k from 0 (leftmost).
constexpr int PileCardX(int k) {
    return kPileX + kFanStep * k;
}
// The height less one of a picture of n cards fanned downwards.
constexpr int HandHeight(int n) {
    return kCardHeight - 1 + kFanStep * (n - 1);
}

inline BRect CardRect(int x, int y) {
    return BRect(x, y, x + kCardWidth - 1, y + kCardHeight - 1);
}
inline BRect DeckRect() {
    return CardRect(kDeckX, kTopRowY);
}
inline BRect PileRegion() {
    return BRect(kPileX, kTopRowY, 220, kTopRowY + kCardHeight - 1);
}
inline BRect PackRect(int p) {
    return CardRect(PackX(p), kTopRowY);
}
// What a pack redraw copies to the screen: a band around the pack.
inline BRect PackRefreshRect(int p) {
    return BRect(PackX(p) - 100, 0, PackX(p) + 171, 211);
}
inline BRect StackColumn(int s) {
    return BRect(StackX(s), kStackY, StackX(s) + kCardWidth - 1, kStackColumnBottom);
}
inline BRect StackCardRect(int s, int row) {
    return CardRect(StackX(s), StackCardY(row));
}

}  // namespace table
