// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CCard.h"

CCard::CCard(int32_t cardSuit, int32_t cardNumber) : number(cardNumber) {
    SetSuit(cardSuit);
}

void CCard::SetSuit(int32_t cardSuit) {
    suit = cardSuit;
    if (suit == 1 || suit == 2)
        colour = 1;
    else if (suit == 3 || suit == 4)
        colour = 2;
}
