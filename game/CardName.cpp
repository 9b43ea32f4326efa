// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CardName.h"

namespace {

constexpr const char* kNumbers[] = {"no",    "one",   "two",  "three", "four", "five",  "six",
                                    "seven", "eight", "nine", "ten",   "jack", "queen", "king"};
constexpr const char* kSuits[] = {"hearts", "diamonds", "clubs", "spades"};

}  // namespace

std::string CardName(CCard card) {
    const int n = card.GetNumber();
    const int s = card.GetSuit();
    if (n < 1 || n > 13 || s < 1 || s > 4)
        return "no card";
    return std::string(n == 1 ? "ace" : kNumbers[n]) + " of " + kSuits[s - 1];
}

std::string CountOf(int count, const std::string& thing) {
    const std::string number = count >= 0 && count <= 10 ? kNumbers[count] : std::to_string(count);
    return number + " " + thing + (count == 1 ? "" : "s");
}
