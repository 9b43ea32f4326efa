#include "game/CView.h"
#include "game/MessageCodes.h"

using namespace table;

void CView::UpdateUndo() {
    undoinfo snapshot;
    Notify(MSG_UNDO_ENABLE);
    undoFlag = 1;
    for (int s = 0; s < kStacks; ++s) {
        snapshot.stackCount[s] = stackCount[s];
        for (int r = 0; r < kStackCapacity; ++r) {
            snapshot.stacks[s][r] = stacks[s][r];
            snapshot.faceDown[s][r] = faceDown[s][r];
        }
    }
    snapshot.fannedCount = fannedCount;
    for (int p = 0; p < kPacks; ++p) {
        snapshot.packCount[p] = packCount[p];
        for (int k = 0; k < kPackCapacity; ++k)
            snapshot.packs[p][k] = packs[p][k];
    }
    snapshot.deck = *deck;
    snapshot.pile = *pile;

    // A hand still out (a drop being recorded) counts at its source.
    if (handCount != 0) {
        if (handSource >= 0 && handSource < kStacks) {
            for (int i = 0; i < handCount; ++i)
                snapshot.stacks[handSource][snapshot.stackCount[handSource]++] = hand[i];
        } else if (handSource == kAreaPile) {
            for (int i = 0; i < handCount; ++i)
                snapshot.pile.PutCardOnTop(hand[i]);
        } else if (handSource >= kAreaPack0 && handSource < kAreaPack0 + kPacks) {
            const int p = handSource - kAreaPack0;
            for (int i = 0; i < handCount; ++i)
                snapshot.packs[p][snapshot.packCount[p]++] = hand[i];
        }
    }

    undoHistory.push_back(snapshot);
    if (undoHistory.size() > size_t(kUndoDepth))
        undoHistory.erase(undoHistory.begin());
}

void CView::DoUndo() {
    if (undoFlag == 0 || undoHistory.empty())
        return;
    const undoinfo snapshot = undoHistory.back();
    fannedCount = snapshot.fannedCount;
    for (int s = 0; s < kStacks; ++s) {
        stackCount[s] = snapshot.stackCount[s];
        for (int r = 0; r < kStackCapacity; ++r) {
            stacks[s][r] = snapshot.stacks[s][r];
            faceDown[s][r] = snapshot.faceDown[s][r];
        }
    }
    for (int p = 0; p < kPacks; ++p) {
        packCount[p] = snapshot.packCount[p];
        for (int k = 0; k < kPackCapacity; ++k)
            packs[p][k] = snapshot.packs[p][k];
    }
    *deck = snapshot.deck;
    *pile = snapshot.pile;

    UpdatePacks(0);
    for (int p = 0; p < kPacks; ++p)
        UpdatePile(p, 0);
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, 0);

    undoHistory.pop_back();
    if (undoHistory.empty()) {
        undoFlag = 0;
        Notify(MSG_UNDO_DISABLE);
    }
}
