#include "game/Rules.h"
#include "view/CView.h"

using namespace table;

bool CView::CompletionTestHolds() const {
    return options.AutoCompletes() && NothingLeftHidden(model);
}

void CView::AutoComplete() {
    // Each card flies once; the bound only guards against a table that breaks the rules.
    for (int flown = 0; flown < 52; ++flown) {
        const std::optional<Move> move = AutoCompleteMove(model);
        if (!move)
            break;
        LiftHand(move->from.ToArea(), move->row);
        ReturnCardsToStack(move->to.ToArea());
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
