// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCloseEvent>
#include <functional>

#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "app/Settings.h"

using namespace testing_support;

namespace {

const char* kWellDone = "Well done, you have completed Tarnwick. Deal again?";

class EndOfGame : public TableFixture {
  protected:
    // Everything on the packs but the given cards, which lie face up on the stacks.
    void NearlyWon(std::vector<std::pair<int, CCard>> onStacks) {
        ClearTable();
        for (int p = 0; p < 4; ++p)
            FillPack(p, p + 1, 13);
        for (auto [s, card] : onStacks) {
            int p = card.GetSuit() - 1;
            Edit(
                [&](Table& t) { t.packCount[p] = std::min(t.packCount[p], card.GetNumber() - 1); });
            PutOnStack(s, card);
        }
    }
    bool AllPacksFull() const {
        for (int p = 0; p < 4; ++p)
            if (view->Model().packCount[p] != 13 || view->Model().packs[p][12].GetNumber() != 13 ||
                view->Model().packs[p][0].GetSuit() != view->Model().packs[p][12].GetSuit())
                return false;
        for (int s = 0; s < 7; ++s)
            if (view->Model().stackCount[s] != 0)
                return false;
        return true;
    }
};

TEST_F(EndOfGame, TheLastPileCardStartsAutocompleteAndTheAlert) {
    NearlyWon({{0, CCard(1, 13)},
               {0, CCard(3, 12)},
               {2, CCard(2, 13)},
               {2, CCard(4, 12)},
               {4, CCard(3, 13)},
               {5, CCard(4, 13)}});
    Edit([&](Table& t) { t.packCount[3] = 10; });  // the jack of suit 4 is on the pile
    Edit([&](Table& t) { t.pile.PutCardOnTop(CCard(4, 11)); });
    Edit([&](Table& t) { t.fannedCount = 1; });
    view->SetFlags(0, 1, 0, 0);
    testseams::ScriptAlerts({0});
    RightClick(110, 60);  // the jack plays to its pack; the rest follows by itself
    EXPECT_TRUE(AllPacksFull());
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text, kWellDone);
    EXPECT_EQ(testseams::Alerts()[0].buttons, (std::vector<std::string>{"Sure thing", "No Way"}));
}

TEST_F(EndOfGame, WithAutocompleteOffOnlyTheFourthPackEndsTheGame) {
    NearlyWon({{0, CCard(1, 13)}, {3, CCard(2, 13)}});
    testseams::ScriptAlerts({0});
    Drag(60, 130, 300, 60);
    EXPECT_EQ(view->Model().packCount[0], 13);
    EXPECT_TRUE(testseams::Alerts().empty());
    Drag(348, 130, 380, 60);
    EXPECT_EQ(testseams::Alerts().size(), 1u);
}

TEST_F(EndOfGame, AFaceDownCardKeepsTheGameFromCompletingItself) {
    NearlyWon({{0, CCard(1, 12)},
               {0, CCard(3, 11)},
               {4, CCard(1, 13)},
               {5, CCard(3, 13)},
               {6, CCard(3, 12)}});
    Edit([&](Table& t) { t.faceDown[6][0] = 1; });
    view->SetFlags(0, 1, 0, 0);
    Drag(60, 145, 640, 150);  // onto the face-down queen: refused
    RightClick(60, 145);      // the jack of suit 3 to its pack
    EXPECT_EQ(view->Model().packCount[2], 11);
    EXPECT_FALSE(view->CompletionTestHolds());
    EXPECT_EQ(view->Model().stackCount[4], 1);  // nothing flew by itself

    // Turning up the last face-down card does not complete the game either...
    Click(640, 130);
    EXPECT_EQ(view->Model().faceDown[6][0], 0);
    EXPECT_EQ(view->Model().stackCount[4], 1);
    // ...the next move that succeeds does.
    testseams::ScriptAlerts({0});
    RightClick(60, 130);
    EXPECT_TRUE(AllPacksFull());
}

TEST_F(EndOfGame, EachSuitGoesToItsPackOrTheFirstFreeOne) {
    ClearTable();
    FillPack(0, 1, 13);
    FillPack(2, 3, 4);
    for (int n = 13; n >= 1; --n) {
        PutOnStack(n % 2 ? 1 : 4, CCard(n % 2 ? 2 : 4, n));
    }
    for (int n = 13; n >= 5; --n)
        PutOnStack(6, CCard(3, n));
    // Not stacked as a game would, but every card is face up: that is all autocomplete needs.
    Edit([&](Table& t) { t.stackCount[1] = 0; });
    Edit([&](Table& t) { t.stackCount[4] = 0; });
    for (int n = 13; n >= 1; --n)
        PutOnStack(1 + (n % 2) * 2, CCard(2, n));
    for (int n = 13; n >= 1; --n)
        PutOnStack(4 + (n % 2), CCard(4, n));
    view->AutoComplete();
    EXPECT_TRUE(AllPacksFull());
    EXPECT_EQ(view->Model().packs[1][0].GetSuit(), 2);
    EXPECT_EQ(view->Model().packs[3][0].GetSuit(), 4);
    EXPECT_EQ(view->Model().packs[2][0].GetSuit(), 3);
}

TEST_F(EndOfGame, SureThingDealsAgain) {
    NearlyWon({{0, CCard(1, 13)}});
    testseams::ScriptAlerts({0});
    RightClick(60, 130);
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->Model().deck.GetNumCards(), 24);
    EXPECT_FALSE(view->History().CanUndo());
    EXPECT_FALSE(app->IsQuitting());
}

TEST_F(EndOfGame, NoWayEndsTheProgramWritingTheSettings) {
    NearlyWon({{0, CCard(1, 13)}});
    view->SetFlags(1, 0, 1, 0);
    testseams::ScriptAlerts({1});
    RightClick(60, 130);
    BLooper::DispatchAllPending();
    EXPECT_TRUE(app->IsQuitting());
    Settings saved;
    ASSERT_TRUE(ReadSettings(config.path().toStdString() + "/Tarnwick", saved));
    EXPECT_EQ(saved.options.freezePacks, 1);
    EXPECT_EQ(saved.options.dealOne, 1);
}

// A close request or the Exit command made while the cards fly is kept: the program quits once
// they are home, settings written, with no alert and no new deal.
class QuitDuringAutocomplete : public EndOfGame {
  protected:
    void AskWhileTheCardsFly(std::function<void()> ask) {
        NearlyWon({{0, CCard(1, 13)}, {1, CCard(3, 13)}, {1, CCard(2, 12)}, {2, CCard(2, 13)}});
        view->SetFlags(0, 1, 1, 0);
        testseams::ScriptAlerts({0});
        bool asked = false;
        testseams::ObserveSync([&](BView*) {
            if (!asked && view->Model().handCount > 0)
                ask(), asked = true;
        });
        RightClick(60, 130);  // the king of hearts home; the rest follows by itself
        testseams::ObserveSync(nullptr);
        EXPECT_TRUE(asked);
        EXPECT_TRUE(AllPacksFull()) << Layout();
        BLooper::DispatchAllPending();  // the quit, and the window goes
        EXPECT_TRUE(testseams::Alerts().empty());
        EXPECT_TRUE(app->IsQuitting());
        Settings saved;
        EXPECT_TRUE(ReadSettings(config.path().toStdString() + "/Tarnwick", saved));
    }
};

TEST_F(QuitDuringAutocomplete, ByTheCloseBox) {
    AskWhileTheCardsFly(
        [this] { QCoreApplication::postEvent(QtSide::Widget(*window), new QCloseEvent); });
}

TEST_F(QuitDuringAutocomplete, ByTheExitCommand) {
    AskWhileTheCardsFly([this] { window->PostMessage(MSG_EXIT); });
}

}  // namespace

namespace {

// Autocomplete on, nothing hidden: the ace of hearts on stack 0, its two on stack 1. The ace
// put on an empty pack, by the mouse or by the keys, leaves the two where it is; the two put on
// the ace then finishes the game.
TEST_F(EndOfGame, AnAceOnAnEmptyPackNeverEndsTheGameByMouseOrByKey) {
    for (bool byKey : {false, true}) {
        ClearTable();
        PutOnStack(0, CCard(1, 1));
        PutOnStack(1, CCard(1, 2));
        view->SetFlags(0, 1, 0, 0);
        view->UpdateBackground();
        testseams::ScriptAlerts({0});
        if (byKey) {
            for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Right,
                            Qt::Key_Right, Qt::Key_Space})
                Key(key);
        } else {
            Drag(60, 140, 300, 50);
        }
        EXPECT_EQ(view->Model().packCount[0], 1) << (byKey ? "by key" : "by mouse");
        EXPECT_EQ(view->Model().stackCount[1], 1) << (byKey ? "by key" : "by mouse");
        EXPECT_TRUE(testseams::Alerts().empty()) << (byKey ? "by key" : "by mouse");
        Drag(156, 140, 300, 50);
        EXPECT_EQ(view->Model().packCount[0], 2);
        EXPECT_EQ(testseams::Alerts().size(), 1u);
        BLooper::DispatchAllPending();  // "Sure thing" deals again
    }
}

}  // namespace

namespace {

// On a table laid out against the rules, autocomplete flies what can go home and stops there:
// a king lying on the seven of hearts never goes onto the hearts.
TEST_F(EndOfGame, AutocompleteOnATableThatBreaksTheRulesStopsWhereNoCardFits) {
    ClearTable();
    FillPack(0, 1, 6);
    PutOnStack(0, CCard(1, 7));
    PutOnStack(0, CCard(4, 13));
    view->AutoComplete();
    EXPECT_EQ(view->Model().packCount[0], 6);
    EXPECT_EQ(view->Model().stackCount[0], 2);
}

}  // namespace
