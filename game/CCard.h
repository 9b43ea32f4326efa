// SPDX-License-Identifier: GPL-3.0-or-later
// One playing card by value: suit 1 to 4, number 1 (ace) to 13 (king), and the colour that
// follows from the suit. Suit and number -1 is the no-card value.
#pragma once

#include <cstdint>

class CCard {
  public:
    CCard() = default;
    CCard(int32_t suit, int32_t number);

    void SetSuit(int32_t suit);
    void SetNumber(int32_t number) { this->number = number; }
    int32_t GetSuit() const { return suit; }
    int32_t GetNumber() const { return number; }
    int32_t GetColour() const { return colour; }

    bool operator==(const CCard&) const = default;

  private:
    int32_t suit = -1;
    int32_t number = -1;
    int32_t colour = 0;  // never read for the no-card value
};
