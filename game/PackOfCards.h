// SPDX-License-Identifier: GPL-3.0-or-later
// Up to 52 cards with a top end: slot 0 is the top. The deck and the pile are packs, and every
// deal starts from a new full pack, shuffled.
#pragma once

#include <cstdint>
#include <ctime>

#include "game/CCard.h"

class PackOfCards {
  public:
    static constexpr int32_t kCapacity = 52;

    // A non-zero argument makes an empty pack; 0 a full pack in new order (ace of suit 1 on top).
    explicit PackOfCards(int32_t empty);

    // The deal of a second: seeded with it, so the same second always shuffles alike.
    void Shuffle(time_t second);
    int32_t GetNumCards() const { return count; }
    CCard GetCard(int32_t i) const;
    CCard GetTopCard();
    void PutCardOnTop(CCard card);
    void TurnOver();

    bool operator==(const PackOfCards&) const = default;

  private:
    CCard cards[kCapacity];
    int32_t count = 0;
};
