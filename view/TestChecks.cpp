// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TestChecks.h"

#include <cstdio>
#include <cstdlib>

#include "view/CView.h"

namespace {

#ifdef NDEBUG
bool checking = false;
#else
bool checking = true;
#endif

}  // namespace

void testchecks::CheckEveryMove(bool on) {
    checking = on;
}

bool testchecks::CheckingEveryMove() {
    return checking;
}

void CView::BeginTestCheck() {
    if (!testchecks::CheckingEveryMove())
        return;
    testCheckBase.cards = CardCount(model);
    testCheckBase.sound = TableFault(model, testCheckBase.cards).empty();
}

void CView::EndTestCheck() {
    TestCheckTable(/*atRest=*/true);
    testCheckBase.sound = false;  // a table laid out between two presses is not held to this one
}

void CView::TestCheckTable(bool atRest) const {
    if (!testchecks::CheckingEveryMove() || !testCheckBase.sound)
        return;  // a table laid out by hand that breaks the rules already
    std::string fault = TableFault(model, testCheckBase.cards);
    if (fault.empty() && atRest && model.handCount != 0)
        fault = "cards left in the hand";
    if (!fault.empty()) {
        std::fprintf(stderr, "Tarnwick: a move broke a rule: %s\n", fault.c_str());
        std::abort();
    }
}
