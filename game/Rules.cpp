#include "game/Rules.h"

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
