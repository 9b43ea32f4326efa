#include "game/CView.h"
#include "game/MessageCodes.h"
#include "platform/Alert.h"
#include "platform/Application.h"

using namespace table;

bool CView::AllPacksComplete() const {
    for (int p = 0; p < kPacks; ++p)
        if (packCount[p] != kPackCapacity)
            return false;
    return true;
}

bool CView::CompletionTestHolds() const {
    if (deck->GetNumCards() != 0 || pile->GetNumCards() != 0 || autoCompleteOn != 1)
        return false;
    for (int s = 0; s < kStacks; ++s)
        for (int r = 0; r < stackCount[s]; ++r)
            if (faceDown[s][r] == 1)
                return false;
    return true;
}

void CView::AutoComplete() {
    // The pack of each suit: the one already holding that suit, else the first empty one left.
    int packOfSuit[5] = {-1, -1, -1, -1, -1};
    bool given[kPacks] = {};
    for (int suit = 1; suit <= 4; ++suit) {
        for (int p = 0; p < kPacks && packOfSuit[suit] == -1; ++p)
            if (packCount[p] > 0 && packs[p][0].GetSuit() == suit)
                packOfSuit[suit] = p;
        for (int p = 0; p < kPacks && packOfSuit[suit] == -1; ++p)
            if (packCount[p] == 0 && !given[p])
                packOfSuit[suit] = p;
        if (packOfSuit[suit] >= 0)
            given[packOfSuit[suit]] = true;
    }

    for (int number = 1; number <= 13; ++number) {
        for (int suit = 1; suit <= 4; ++suit) {
            int foundStack = -1;
            for (int s = 0; s < kStacks && foundStack == -1; ++s)
                for (int r = 0; r < stackCount[s] && foundStack == -1; ++r)
                    if (stacks[s][r].GetNumber() == number && stacks[s][r].GetSuit() == suit)
                        foundStack = s;
            if (foundStack == -1 || packOfSuit[suit] == -1)
                continue;
            // With nothing face down every stack is one falling run, so the card is its top: the
            // top card is what flies.
            LiftHand(foundStack, stackCount[foundStack] - 1);
            handSource = kAreaPack0 + packOfSuit[suit];
            ReturnCardsToStack(handSource);
        }
    }
}

void CView::EndOfGame() {
    BAlert alert("Tarnwick", "Well done, you have completed Tarnwick. Deal again?", "Sure thing",
                 "No Way", nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    if (alert.Go() == 0)
        Notify(MSG_DEAL);
    else if (be_app)
        be_app->PostMessage(B_QUIT_REQUESTED);
}
