// SPDX-License-Identifier: GPL-3.0-or-later
// A place of the table: the deck, the pile, one of the seven stacks or one of the four packs.
// The program speaks of places; the area codes of hit testing, where the hand came from and what
// the keyboard marks are converted only where those numbers are kept.
#pragma once

#include <cstdint>

namespace table {

constexpr int kStacks = 7;
constexpr int kPacks = 4;

// Area codes: what lies under a point. Stacks are 0 to 6.
constexpr int kAreaNone = -1;
constexpr int kAreaDeck = 10;
constexpr int kAreaPile = 11;
constexpr int kAreaPack0 = 12;

}  // namespace table

struct Place {
    enum class Kind : int8_t { kNone, kDeck, kPile, kStack, kPack };

    Kind kind = Kind::kNone;
    int8_t index = 0;  // the stack or pack, from 0

    static constexpr Place None() { return {}; }
    static constexpr Place Deck() { return {Kind::kDeck, 0}; }
    static constexpr Place Pile() { return {Kind::kPile, 0}; }
    static constexpr Place Stack(int s) { return {Kind::kStack, int8_t(s)}; }
    static constexpr Place Pack(int p) { return {Kind::kPack, int8_t(p)}; }

    constexpr bool IsNone() const { return kind == Kind::kNone; }
    constexpr bool IsDeck() const { return kind == Kind::kDeck; }
    constexpr bool IsPile() const { return kind == Kind::kPile; }
    constexpr bool IsStack() const { return kind == Kind::kStack; }
    constexpr bool IsPack() const { return kind == Kind::kPack; }

    // Any number that is no area code is no place.
    static constexpr Place FromArea(int32_t area) {
        if (area >= 0 && area < table::kStacks)
            return Stack(area);
        if (area == table::kAreaDeck)
            return Deck();
        if (area == table::kAreaPile)
            return Pile();
        if (area >= table::kAreaPack0 && area < table::kAreaPack0 + table::kPacks)
            return Pack(area - table::kAreaPack0);
        return None();
    }
    constexpr int32_t ToArea() const {
        switch (kind) {
            case Kind::kDeck:
                return table::kAreaDeck;
            case Kind::kPile:
                return table::kAreaPile;
            case Kind::kStack:
                return index;
            case Kind::kPack:
                return table::kAreaPack0 + index;
            case Kind::kNone:
                break;
        }
        return table::kAreaNone;
    }

    bool operator==(const Place&) const = default;
};
