// SPDX-License-Identifier: GPL-3.0-or-later
// The hint on H: the solver looks for a winning line from the table as it is, and its first move
// is shown with the keyboard's own means, the cards lifted and the frame on their place, or the
// frame on what to turn. Enter then makes the move; Escape puts the cards back.
#include "game/CardName.h"
#include "game/Solver.h"
#include "platform/Alert.h"
#include "view/CView.h"

using namespace table;

namespace {

// What a key press may take: waiting for the search that began after the last action, then, if
// that has not finished, looking itself.
constexpr double kHintWait = 0.06;
const SolveBudget kHintBudget{200'000, 0.03};

}  // namespace

void CView::FinishAction() {
    SpeakReport();
    // No window, no player to ask: a table laid out off screen starts no search.
    if (Window())
        hintSearch.Start(model, history, options);
}

void CView::ShowHint() {
    const std::optional<HintSearch::Answer> ready = hintSearch.Wait(model, options, kHintWait);
    const SolveResult found = ready ? ready->now : Solve(model, options, kHintBudget);
    if (found.outcome == SolveResult::Outcome::kLost) {
        SayHowFarBack(ready ? ready->back : std::vector<SolveResult::Outcome>{});
        return;
    }
    if (found.moves.empty())
        return;  // won already: nothing is left to move
    const Move move = found.moves.front();
    const std::string hint =
        found.outcome == SolveResult::Outcome::kWon ? "Hint: " : "Hint, a guess: ";
    lifted = Place::None();
    focusShown = true;
    if (move.kind == Move::Kind::kTurnDeck) {
        focus = Place::Deck();
        focusRow = -1;
        Report(hint + "turn the deck");
    } else if (move.kind == Move::Kind::kTurnCard) {
        focus = move.from;
        focusRow = move.row;
        Report(hint + "turn over the top card of " + PlaceName(move.from.ToArea()));
    } else {
        lifted = move.from;
        liftRow = move.from.IsStack() ? move.row : -1;
        liftedFrom = model;
        focus = move.to;
        focusRow = move.to.IsStack() ? model.stackCount[move.to.index] - 1 : -1;
        Report(hint + "move " + CardName(CardAt(lifted, liftRow)) + " to " +
               PlaceName(move.to.ToArea()));
    }
}

void CView::SayHowFarBack(const std::vector<SolveResult::Outcome>& known) {
    // Back through the history, the latest first, to the last table that can still be won: what
    // the search has found already, then the rest looked at now.
    bool allLost = true;
    for (size_t k = 1; k <= history.Size(); ++k) {
        const SolveResult::Outcome back =
            k <= known.size() ? known[k - 1] : Solve(history.Back(k), options, kHintBudget).outcome;
        if (back == SolveResult::Outcome::kWon) {
            const std::string moves = k == 1 ? "1 move" : std::to_string(k) + " moves";
            BAlert("Tarnwick",
                   ("No moves win this game from here. Undo " + moves +
                    " to get back to a game that can still be won.")
                       .c_str(),
                   "OK")
                .Go();
            return;
        }
        allLost = allLost && back == SolveResult::Outcome::kLost;
    }
    BAlert("Tarnwick",
           allLost && history.Size() < UndoHistory::kDepth
               ? "This deal cannot be won. Deal again to try another."
               : "No moves win this game from here.",
           "OK")
        .Go();
}
