#include "view/CView.h"

using namespace table;

namespace {

// How many moves Undo goes back.
constexpr size_t kUndoDepth = 20;

}  // namespace

void CView::UpdateUndo() {
    if (listener)
        listener->UndoAvailable(true);
    undoFlag = 1;
    Table before = model;
    // A hand still out (a drop being recorded) counts at its source.
    if (handCount != 0) {
        if (handSource >= 0 && handSource < kStacks) {
            for (int i = 0; i < handCount; ++i)
                before.stacks[handSource][before.stackCount[handSource]++] = hand[i];
        } else if (handSource == kAreaPile) {
            for (int i = 0; i < handCount; ++i)
                before.pile.PutCardOnTop(hand[i]);
        } else if (handSource >= kAreaPack0 && handSource < kAreaPack0 + kPacks) {
            const int p = handSource - kAreaPack0;
            for (int i = 0; i < handCount; ++i)
                before.packs[p][before.packCount[p]++] = hand[i];
        }
    }
    undoHistory.push_back(before);
    if (undoHistory.size() > kUndoDepth)
        undoHistory.erase(undoHistory.begin());
}

void CView::DoUndo() {
    if (undoFlag == 0 || undoHistory.empty())
        return;
    const bool soundBefore = IsSound();
    model = undoHistory.back();
    undoHistory.pop_back();

    UpdatePacks(0);
    for (int p = 0; p < kPacks; ++p)
        UpdatePile(p, 0);
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, 0);

    if (undoHistory.empty()) {
        undoFlag = 0;
        if (listener)
            listener->UndoAvailable(false);
    }
    RefreshKeyboard();
    CheckAtRest(soundBefore);
}
