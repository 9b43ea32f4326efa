// The rules of play as plain checks on cards, free of any table or drawing.
#pragma once

#include "game/CCard.h"

// A run taken from a stack: every card face up, colours alternating, numbers falling by one.
// cards[0] is the deepest card; faceDown[i] belongs to cards[i].
bool IsRunValid(const CCard* cards, const int* faceDown, int count);

// A card (the first of a hand) dropped on a stack whose top card is top; stackCount 0 is empty.
bool CanDropOnStack(CCard card, int stackCount, CCard top, int topFaceDown);

// A single card dropped on a pack whose top card is top; packCount 0 is empty.
bool CanDropOnPack(CCard card, int packCount, CCard top);
