// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of play: checks on cards, and the moves and tests of a whole table. Every way of
// playing (drag, the secondary button, autocomplete) asks these, so each rule is written once.
#pragma once

#include <ctime>

#include "game/CCard.h"
#include "game/Table.h"

// A run taken from a stack: every card face up, colours alternating, numbers falling by one.
// cards[0] is the deepest card; faceDown[i] belongs to cards[i].
bool IsRunValid(const CCard* cards, const int* faceDown, int count);

// A card (the first of a hand) dropped on a stack whose top card is top; stackCount 0 is empty.
bool CanDropOnStack(CCard card, int stackCount, CCard top, int topFaceDown);

// A single card dropped on a pack whose top card is top; packCount 0 is empty.
bool CanDropOnPack(CCard card, int packCount, CCard top);

// The same two checks against the table's stack s or pack p.
bool CanDropOnStack(const Table& t, int s, CCard card);
bool CanDropOnPack(const Table& t, int p, CCard card);

// Whether the cards of stack s from row up may be lifted: a legal run, all face up.
bool CanLiftRun(const Table& t, int s, int row);

// The secondary button's choice: the first pack that takes the card (an ace takes the first
// empty one), or -1; the first stack other than its own that takes it, or -1.
int PackFor(const Table& t, CCard card);
int StackFor(const Table& t, CCard card, int ownStack);

// A press on the deck: turns one or three cards onto the pile, or, with the deck empty, the pile
// back over (reversed, so the deck's top is the first card turned). False when both are empty.
bool TurnDeck(Table& t, bool dealOne);

// A table before the deal: a new full pack, shuffled by the second, as the deck; nothing else.
Table ShuffledTable(time_t second);
// Deals the deck's top cards row by row onto empty stacks, each stack's last card face up.
void DealStacks(Table& t);

// Every pack holds its king.
bool AllPacksComplete(const Table& t);
// Deck and pile are empty and no stack card lies face down: the game can finish by itself.
bool NothingLeftHidden(const Table& t);

// Autocomplete: the pack each suit (1 to 4) goes to, -1 when none is left for it; and the next
// card to fly, the lowest by number and then suit that lies on a stack and has a pack. False when
// no card is left to fly.
struct SuitPacks {
    int pack[5] = {-1, -1, -1, -1, -1};
};
SuitPacks PacksForSuits(const Table& t);
bool NextAutoCompleteCard(const Table& t, const SuitPacks& packs, int* stack, int* pack);
