// SPDX-License-Identifier: GPL-3.0-or-later
// Tables laid out by hand, for the tests of the model and of the window alike: an empty table
// (Table() holds no card) filled place by place.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "game/Table.h"

namespace tables {

// A card on a stack, face up unless down.
inline void PutOnStack(Table& t, int s, CCard card, int down = 0) {
    t.faceDown[s][t.stackCount[s]] = down;
    t.stacks[s][t.stackCount[s]++] = card;
}
// A pack of one suit from its ace up to a number.
inline void FillPack(Table& t, int p, int suit, int upTo) {
    for (int n = 1; n <= upTo; ++n)
        t.packs[p][n - 1] = CCard(suit, n);
    t.packCount[p] = upTo;
}
// Cards turned onto the pile in this order, the last on top, with how many show fanned.
inline void TurnOntoPile(Table& t, std::initializer_list<CCard> cards, int fanned) {
    for (CCard c : cards)
        t.pile.PutCardOnTop(c);
    t.fannedCount = fanned;
}
// Cards held in the hand, deepest first, taken from a place (its area code).
inline void Hold(Table& t, std::initializer_list<CCard> cards, int source) {
    t.handCount = 0;
    for (CCard c : cards)
        t.hand[t.handCount++] = c;
    t.handSource = source;
}

// Every pack full but for the cards given, which the caller puts elsewhere: a pack keeps its
// cards below the lowest one missing.
inline Table AllHomeBut(const std::vector<CCard>& away) {
    int upTo[5] = {0, 13, 13, 13, 13};
    for (CCard c : away)
        upTo[c.GetSuit()] = std::min(upTo[c.GetSuit()], c.GetNumber() - 1);
    Table t;
    for (int suit = 1; suit <= 4; ++suit)
        FillPack(t, suit - 1, suit, upTo[suit]);
    return t;
}

}  // namespace tables
