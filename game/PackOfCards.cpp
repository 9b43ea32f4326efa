// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PackOfCards.h"

#include <utility>

#include "game/Random.h"

PackOfCards::PackOfCards(int32_t empty) {
    if (empty != 0)
        return;
    for (int32_t i = 0; i < kCapacity; ++i)
        cards[i] = CCard(i / 13 + 1, i % 13 + 1);
    count = kCapacity;
}

void PackOfCards::Shuffle(time_t second) {
    SeedRandom(unsigned(second));
    for (int pass = 0; pass < 100; ++pass) {
        for (int32_t i = 0; i < kCapacity; ++i) {
            // 51.0, not 52.0: the last slot is never picked as j. Deals depend on it staying so.
            int32_t j = int32_t(NextRandom() / kRandomRange * 51.0);
            std::swap(cards[i], cards[j]);
        }
    }
}

CCard PackOfCards::GetCard(int32_t i) const {
    return i <= count - 1 ? cards[i] : CCard();
}

CCard PackOfCards::GetTopCard() {
    if (count == 0)
        return CCard();
    CCard top = cards[0];
    for (int32_t i = 1; i < count; ++i)
        cards[i - 1] = cards[i];
    --count;
    return top;
}

void PackOfCards::PutCardOnTop(CCard card) {
    for (int32_t i = count; i > 0; --i)
        cards[i] = cards[i - 1];
    cards[0] = card;
    ++count;
}

void PackOfCards::TurnOver() {
    for (int32_t i = 0; i < kCapacity / 2; ++i)
        std::swap(cards[i], cards[kCapacity - 1 - i]);
}
