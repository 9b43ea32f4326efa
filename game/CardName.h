// SPDX-License-Identifier: GPL-3.0-or-later
// Cards and counts in words, as a screen reader speaks them.
#pragma once

#include <string>

#include "game/CCard.h"

// "seven of hearts", "ace of spades". Suits 1 to 4 are hearts, diamonds, clubs and spades, the
// order of the card set's rows.
std::string CardName(CCard card);

// "one card", "three cards", "21 cards": numbers up to ten in words, larger ones in figures.
std::string CountOf(int count, const std::string& thing);
