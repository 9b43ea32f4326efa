// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CView.h"

using namespace table;

void CView::UpdateUndo() {
    if (listener)
        listener->UndoAvailable(true);
    history.Record(model);
}

void CView::DoUndo() {
    if (!history.CanUndo())
        return;
    BeginTestCheck();
    model = history.TakeLast();

    UpdatePacks(kToScreen);
    for (int p = 0; p < kPacks; ++p)
        UpdatePile(p, kToScreen);
    for (int s = 0; s < kStacks; ++s)
        UpdateStack(s, kToScreen);

    if (!history.CanUndo() && listener)
        listener->UndoAvailable(false);
    Report("Undid the last move");
    RefreshKeyboard();
    FinishAction();
    EndTestCheck();
}
