// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Rules.h"
#include "view/CView.h"

using namespace table;

bool CView::CompletionTestHolds() const {
    return options.AutoCompletes() && NothingLeftHidden(model);
}

void CView::AutoComplete() {
    // Each card flies once. On a table that breaks the rules (laid out by hand) a card may have
    // no legal way home: the flights stop there rather than overfill a pack.
    for (int flown = 0; flown < 52; ++flown) {
        const std::optional<Move> move = AutoCompleteMove(model);
        if (!move || !IsLegal(model, options, *move))
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
    Report("Every card is on its pack. The game is won");
    SpeakReport();  // before the window's alert
    if (listener)
        listener->GameWon();
}
