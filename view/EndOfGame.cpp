#include "game/Rules.h"
#include "view/CView.h"

using namespace table;

bool CView::CompletionTestHolds() const {
    return autoCompleteOn == 1 && NothingLeftHidden(model);
}

void CView::AutoComplete() {
    const SuitPacks packs = PacksForSuits(model);
    int s = -1;
    int p = -1;
    // Each card flies once; the bound only guards against a table that breaks the rules.
    for (int flown = 0; flown < 52 && NextAutoCompleteCard(model, packs, &s, &p); ++flown) {
        // With nothing face down every stack is one falling run, so the card is its top: the
        // top card is what flies.
        LiftHand(s, model.stackCount[s] - 1);
        handSource = kAreaPack0 + p;
        ReturnCardsToStack(handSource);
    }
}

void CView::FinishIfDone() {
    if (AllPacksComplete(model)) {
        EndOfGame();
    } else if (CompletionTestHolds()) {
        AutoComplete();
        EndOfGame();
    }
}

void CView::EndOfGame() {
    Announce("Every card is on its pack. The game is won");
    if (listener)
        listener->GameWon();
}
