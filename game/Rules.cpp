// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Rules.h"

#include <set>
#include <utility>

using namespace table;

bool IsRunValid(const CCard* cards, const int* faceDown, int count) {
    for (int i = 0; i < count; ++i) {
        if (faceDown[i] == 1)
            return false;
        if (i == 0)
            continue;
        if (cards[i].GetColour() == cards[i - 1].GetColour())
            return false;
        if (cards[i - 1].GetNumber() - cards[i].GetNumber() != 1)
            return false;
    }
    return true;
}

bool CanDropOnStack(CCard card, int stackCount, CCard top, int topFaceDown) {
    if (stackCount == 0)
        return card.GetNumber() == 13;
    return topFaceDown != 1 && card.GetColour() != top.GetColour() &&
           top.GetNumber() - card.GetNumber() == 1;
}

bool CanDropOnPack(CCard card, int packCount, CCard top) {
    if (packCount == 0)
        return card.GetNumber() == 1;
    return card.GetSuit() == top.GetSuit() && card.GetNumber() == top.GetNumber() + 1;
}

bool CanDropOnStack(const Table& t, int s, CCard card) {
    const int n = t.stackCount[s];
    return n == 0 ? CanDropOnStack(card, 0, CCard(), 0)
                  : CanDropOnStack(card, n, t.stacks[s][n - 1], t.faceDown[s][n - 1]);
}

bool CanDropOnPack(const Table& t, int p, CCard card) {
    const int n = t.packCount[p];
    return CanDropOnPack(card, n, n > 0 ? t.packs[p][n - 1] : CCard());
}

bool CanLiftRun(const Table& t, int s, int row) {
    return IsRunValid(&t.stacks[s][row], &t.faceDown[s][row], t.stackCount[s] - row);
}

int PackFor(const Table& t, CCard card) {
    for (int p = 0; p < kPacks; ++p)
        if (CanDropOnPack(t, p, card))
            return p;
    return -1;
}

int StackFor(const Table& t, CCard card, int ownStack) {
    for (int s = 0; s < kStacks; ++s)
        if (s != ownStack && CanDropOnStack(t, s, card))
            return s;
    return -1;
}

bool TurnDeck(Table& t, bool dealOne) {
    if (t.deck.GetNumCards() > 0) {
        const int n = dealOne ? 1 : kFannedMax;
        for (int i = 1; i <= n && t.deck.GetNumCards() > 0; ++i) {
            t.pile.PutCardOnTop(t.deck.GetTopCard());
            t.fannedCount = i;
        }
        return true;
    }
    if (t.pile.GetNumCards() == 0)
        return false;
    while (t.pile.GetNumCards() > 0)
        t.deck.PutCardOnTop(t.pile.GetTopCard());
    return true;
}

Table ShuffledTable(time_t second) {
    Table t;
    t.deck = PackOfCards(0);
    t.deck.Shuffle(second);
    return t;
}

void DealStacks(Table& t) {
    // Row by row: the first seven cards go one to each stack, left to right.
    for (int r = 0; r < kStacks; ++r) {
        for (int s = r; s < kStacks; ++s) {
            t.stacks[s][r] = t.deck.GetTopCard();
            t.faceDown[s][r] = 1;
        }
        t.stackCount[r] = r + 1;
        t.faceDown[r][r] = 0;
    }
}

bool AllPacksComplete(const Table& t) {
    for (int p = 0; p < kPacks; ++p)
        if (t.packCount[p] != kPackCapacity)
            return false;
    return true;
}

bool NothingLeftHidden(const Table& t) {
    if (t.deck.GetNumCards() != 0 || t.pile.GetNumCards() != 0)
        return false;
    for (int s = 0; s < kStacks; ++s)
        for (int r = 0; r < t.stackCount[s]; ++r)
            if (t.faceDown[s][r] == 1)
                return false;
    return true;
}

SuitPacks PacksForSuits(const Table& t) {
    // The pack already holding the suit, else the first empty one not yet given to a suit.
    SuitPacks result;
    bool given[kPacks] = {};
    for (int suit = 1; suit <= 4; ++suit) {
        int& pack = result.pack[suit];
        for (int p = 0; p < kPacks && pack == -1; ++p)
            if (t.packCount[p] > 0 && t.packs[p][0].GetSuit() == suit)
                pack = p;
        for (int p = 0; p < kPacks && pack == -1; ++p)
            if (t.packCount[p] == 0 && !given[p])
                pack = p;
        if (pack >= 0)
            given[pack] = true;
    }
    return result;
}

bool NextAutoCompleteCard(const Table& t, const SuitPacks& packs, int* stack, int* pack) {
    for (int number = 1; number <= 13; ++number)
        for (int suit = 1; suit <= 4; ++suit) {
            if (packs.pack[suit] == -1)
                continue;
            for (int s = 0; s < kStacks; ++s)
                for (int r = 0; r < t.stackCount[s]; ++r)
                    if (t.stacks[s][r] == CCard(suit, number)) {
                        *stack = s;
                        *pack = packs.pack[suit];
                        return true;
                    }
        }
    return false;
}

int CardCount(const Table& t) {
    int n = t.deck.GetNumCards() + t.pile.GetNumCards() + t.handCount;
    for (int s = 0; s < kStacks; ++s)
        n += t.stackCount[s];
    for (int p = 0; p < kPacks; ++p)
        n += t.packCount[p];
    return n;
}

std::string TableFault(const Table& t, int expected) {
    std::set<std::pair<int, int>> seen;
    int cards = 0;
    std::string fault;
    auto count = [&](CCard c, const char* where) {
        ++cards;
        if (c.GetSuit() < 1 || c.GetSuit() > 4 || c.GetNumber() < 1 || c.GetNumber() > 13)
            fault = std::string("a card that is no card in the ") + where;
        else if (!seen.insert({c.GetSuit(), c.GetNumber()}).second)
            fault = std::string("a card twice, again in the ") + where;
    };
    for (int i = 0; i < t.deck.GetNumCards(); ++i)
        count(t.deck.GetCard(i), "deck");
    for (int i = 0; i < t.pile.GetNumCards(); ++i)
        count(t.pile.GetCard(i), "pile");
    if (t.handCount < 0 || t.handCount > kHandCapacity)
        return "the hand has a count out of range";
    for (int i = 0; i < t.handCount; ++i)
        count(t.hand[i], "hand");
    for (int s = 0; s < kStacks; ++s) {
        const int n = t.stackCount[s];
        if (n < 0 || n > kStackCapacity)
            return "stack " + std::to_string(s + 1) + " has a count out of range";
        int firstUp = n;
        for (int r = 0; r < n; ++r) {
            count(t.stacks[s][r], "stacks");
            if (t.faceDown[s][r] != 1 && firstUp == n)
                firstUp = r;
        }
        if (!IsRunValid(&t.stacks[s][firstUp], &t.faceDown[s][firstUp], n - firstUp))
            return "stack " + std::to_string(s + 1) + " shows a broken run";
    }
    for (int p = 0; p < kPacks; ++p) {
        const int n = t.packCount[p];
        if (n < 0 || n > kPackCapacity)
            return "pack " + std::to_string(p + 1) + " has a count out of range";
        for (int k = 0; k < n; ++k) {
            count(t.packs[p][k], "packs");
            if (t.packs[p][k].GetNumber() != k + 1 ||
                t.packs[p][k].GetSuit() != t.packs[p][0].GetSuit())
                return "pack " + std::to_string(p + 1) + " is not one suit from its ace up";
        }
    }
    if (t.fannedCount < 0 || t.fannedCount > kFannedMax)
        return "the fanned count is " + std::to_string(t.fannedCount);
    if (!fault.empty())
        return fault;
    if (cards != expected)
        return std::to_string(cards) + " cards on the table, not " + std::to_string(expected);
    return std::string();
}
