// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCloseEvent>

#include "TestSupport.h"

using namespace testing_support;

namespace {

const char* kWellDone = "Well done, you have completed Tarnwick. Deal again?";

using EndOfGame = TableFixture;

TEST_F(EndOfGame, TheLastPileCardStartsAutocompleteAndTheAlert) {
    AllHomeBut({{0, CCard(1, 13)},
                {0, CCard(3, 12)},
                {2, CCard(2, 13)},
                {2, CCard(4, 12)},
                {4, CCard(3, 13)},
                {5, CCard(4, 13)}});
    Edit([&](Table& t) { t.packCount[3] = 10; });  // the jack of suit 4 is on the pile
    Pile({CCard(4, 11)}, 1);
    view->SetFlags(0, 1, 0, 0);
    testseams::ScriptAlerts({0});
    RightClick(110, 60);  // the jack plays to its pack; the rest follows by itself
    EXPECT_TRUE(Won()) << Layout();
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text, kWellDone);
    EXPECT_EQ(testseams::Alerts()[0].buttons, (std::vector<std::string>{"Sure thing", "No Way"}));
}

TEST_F(EndOfGame, WithAutocompleteOffOnlyTheFourthPackEndsTheGame) {
    AllHomeBut({{0, CCard(1, 13)}, {3, CCard(2, 13)}});
    testseams::ScriptAlerts({0});
    Drag(60, 130, 300, 60);
    EXPECT_EQ(view->Model().packCount[0], 13);
    EXPECT_TRUE(testseams::Alerts().empty());
    Drag(348, 130, 380, 60);
    EXPECT_EQ(testseams::Alerts().size(), 1u);
}

TEST_F(EndOfGame, AFaceDownCardKeepsTheGameFromCompletingItself) {
    AllHomeBut({{0, CCard(1, 12)},
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
    EXPECT_TRUE(Won()) << Layout();
}

// "Sure thing" deals again; "No Way" ends the program, writing the settings.
TEST_F(EndOfGame, TheAlertsAnswerDealsAgainOrEndsTheProgram) {
    AllHomeBut({{0, CCard(1, 13)}});
    testseams::ScriptAlerts({0});
    RightClick(60, 130);
    BLooper::DispatchAllPending();
    EXPECT_EQ(view->Model().deck.GetNumCards(), 24);
    EXPECT_FALSE(view->History().CanUndo());
    EXPECT_FALSE(app->IsQuitting());

    AllHomeBut({{0, CCard(1, 13)}});
    view->SetFlags(1, 0, 1, 0);
    testseams::ScriptAlerts({1});
    RightClick(60, 130);
    BLooper::DispatchAllPending();
    EXPECT_TRUE(app->IsQuitting());
    EXPECT_EQ(Saved().options, (Options{1, 0, 1, 0, 0}));
}

// A close request or the Exit command made while the cards fly is kept: the program quits once
// they are home, settings written, with no alert and no new deal.
TEST_F(EndOfGame, AQuitAskedForDuringAutocompleteWaitsForItsEnd) {
    for (bool closeBox : {true, false}) {
        app.reset();
        Start();
        AllHomeBut({{0, CCard(1, 13)}, {1, CCard(3, 13)}, {1, CCard(2, 12)}, {2, CCard(2, 13)}});
        view->SetFlags(0, 1, 1, 0);
        testseams::ScriptAlerts({0});
        bool asked = false;
        testseams::ObserveSync([&](BView*) {
            if (asked || view->Model().handCount == 0)
                return;
            asked = true;
            if (closeBox)
                QCoreApplication::postEvent(QtSide::Widget(*window), new QCloseEvent);
            else
                window->PostMessage(MSG_EXIT);
        });
        RightClick(60, 130);  // the king of hearts home; the rest follows by itself
        testseams::ObserveSync(nullptr);
        EXPECT_TRUE(asked && Won()) << Layout();
        BLooper::DispatchAllPending();  // the quit, and the window goes
        EXPECT_TRUE(testseams::Alerts().empty());
        EXPECT_TRUE(app->IsQuitting());
        EXPECT_NE(SettingsText(), "");
    }
}

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
        EXPECT_EQ(view->Model().packCount[0], 1) << byKey;
        EXPECT_EQ(view->Model().stackCount[1], 1) << byKey;
        EXPECT_TRUE(testseams::Alerts().empty()) << byKey;
        Drag(156, 140, 300, 50);
        EXPECT_EQ(testseams::Alerts().size(), 1u);
        BLooper::DispatchAllPending();  // "Sure thing" deals again
    }
    // Autocomplete with clubs begun on pack 0 and spades on pack 1: four falling runs, each of
    // two suits, and every card must still find the pack of its own suit.
    ClearTable();
    FillPack(0, 3, 1);
    FillPack(1, 4, 1);
    const int runs[4][2] = {{1, 3}, {3, 1}, {2, 4}, {4, 2}};  // the king's suit, then the other
    for (int s = 0; s < 4; ++s)
        for (int n = 13; n >= 1; --n)
            if (const CCard card(runs[s][n % 2 == 1 ? 0 : 1], n); n > 1 || card.GetSuit() < 3)
                PutOnStack(s, card);
    view->AutoComplete();
    EXPECT_TRUE(Won()) << Layout();
    EXPECT_EQ(view->Model().packs[0][12], CCard(3, 13));
    // On a table laid out against the rules, autocomplete flies what can go home and stops there:
    // a king lying on the seven of hearts never goes onto the hearts.
    ClearTable();
    FillPack(0, 1, 6);
    PutOnStack(0, CCard(1, 7));
    PutOnStack(0, CCard(4, 13));
    view->AutoComplete();
    EXPECT_EQ(view->Model().packCount[0], 6);
    EXPECT_EQ(view->Model().stackCount[0], 2);
}

}  // namespace
