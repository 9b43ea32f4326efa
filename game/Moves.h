// SPDX-License-Identifier: GPL-3.0-or-later
// The moves of the game: every way the table changes in play is made here, and every way of
// playing (the mouse, the keyboard, the secondary button, autocomplete) asks these functions, so
// each rule is written once.
//
// A card move goes in two steps, as a drag does: the cards are lifted into the table's hand, then
// landed somewhere. Apply makes both steps at once.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/CCard.h"
#include "game/Options.h"
#include "game/Place.h"
#include "game/Table.h"

struct Move {
    enum class Kind : int8_t {
        kTurnDeck,      // one or three cards onto the pile, or the pile back over
        kTurnCard,      // a stack's face-down top card face up
        kStackToStack,  // a run, from its row up
        kPileToStack,
        kPileToPack,
        kStackToPack,  // a stack's top card
        kPackToStack,  // not while the packs are frozen
        kPackToPack,   // an ace from one pack to another, empty one
    };

    Kind kind = Kind::kTurnDeck;
    Place from = Place::Deck();
    int row = -1;  // a stack's row the move starts from; -1 elsewhere
    Place to;      // where the cards go; no place for a turn

    static Move TurnDeck() { return {}; }
    static Move TurnCard(int stack, int row) {
        return {Kind::kTurnCard, Place::Stack(stack), row, Place::None()};
    }
    // A card move from one place to another, of the kind their places make; nullopt when no kind
    // moves cards from the one to the other.
    static std::optional<Move> Cards(Place from, int row, Place to);

    bool operator==(const Move&) const = default;
};

// The top card of the pile, a stack or a pack; the no-card value where there is none.
CCard TopCard(const Table& t, Place place);

// Whether a hand headed by this card, count cards in all, may be put down at a place with these
// rules: a stack takes a run on the card one higher of the other colour, or a king when empty; a
// pack takes one card, the next of its suit, or an ace when empty. Nothing else takes cards.
bool FitsAt(const Table& t, Place to, CCard head, int count);

// Whether a press may take the cards of a place from the row up into the hand: the pile's top
// card, a pack's top card unless the packs are frozen, or a run of face-up cards of a stack.
bool CanLift(const Table& t, const Options& o, Place from, int row);
// Takes them: the hand holds them, deepest first, and remembers their place. The pile shows one
// card fewer fanned, but never none while cards are left on it.
void Lift(Table& t, Place from, int row);
// Whether the hand may land at a place; and landing it there. Landing on the pile (only a hand
// going back) fans one card more, up to three.
bool CanLand(const Table& t, Place to);
void Land(Table& t, Place to);
// The fanned count once a hand lands back on the pile.
int FannedAfterReturn(const Table& t);
// The table as the undo history keeps it: a hand still out counts at the place it came from.
Table AtRest(const Table& t);

// Whether the end of the game is looked for after a drop at a place: after every drop but one
// onto an empty pack, as an ace on an empty pack never ends the game.
bool DropMayEndGame(const Table& before, Place to);

// Whether a move may be made now, with the hand empty.
bool IsLegal(const Table& t, const Options& o, const Move& m);
// Every legal move, turns first, then cards by the place they come from.
std::vector<Move> LegalMoves(const Table& t, const Options& o);
// Makes a legal move; false, with the table unchanged, for one that is not.
bool Apply(Table& t, const Options& o, const Move& m);

// The secondary button's move for a face-up card: a top card to the first pack that takes it,
// else the card (with any cards on it) to the first other stack that takes it. nullopt when the
// card has nowhere to go.
std::optional<Move> SecondaryMove(const Table& t, const Options& o, Place from, int row);
// Autocomplete's next move: the lowest card by number, then suit, to the pack kept for its suit.
std::optional<Move> AutoCompleteMove(const Table& t);
