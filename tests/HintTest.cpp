// SPDX-License-Identifier: GPL-3.0-or-later
// The hint on H, through real key events on the real window.
#include "ScreenReader.h"
#include "TestSupport.h"
#include "app/MessageCodes.h"

using namespace testing_support;

namespace {

class Hint : public TableFixture {
  protected:
    // Every pack full but the hearts, which are home up to a number.
    void HeartsHomeTo(int number) {
        ClearTable();
        for (int p = 1; p < 4; ++p)
            FillPack(p, p + 1, 13);
        FillPack(0, 1, number);
    }
    // The hearts home to the ten: the jack and the king of hearts face up on stacks, the queen
    // in the deck.
    void NearlyWon() {
        HeartsHomeTo(10);
        PutOnStack(0, CCard(1, 11));
        PutOnStack(1, CCard(1, 13));
        Edit([](Table& t) { t.deck.PutCardOnTop(CCard(1, 12)); });
        view->SetFlags(0, 1, 0, 0);
        view->UpdateBackground();
    }
    // Frozen packs, three cards turned: the ten of hearts goes home, and then the jack and
    // queen always come up together, the queen on the jack, with nothing to take the queen.
    void Lost() {
        HeartsHomeTo(9);
        PutOnStack(0, CCard(1, 13));
        Edit([](Table& t) {
            for (int n : {10, 12, 11})
                t.deck.PutCardOnTop(CCard(1, n));
        });
        view->SetFlags(1, 0, 0, 0);
        view->UpdateBackground();
    }
};

TEST_F(Hint, HAndEnterOverAndOverWinTheGame) {
    NearlyWon();
    testseams::ScriptAlerts({0});
    int presses = 0;
    while (testseams::Alerts().empty() && presses < 20) {
        Key(Qt::Key_H);
        Key(Qt::Key_Return);
        ++presses;
    }
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text, "Well done, you have completed Tarnwick. Deal again?");
    EXPECT_LE(presses, 4);
}

TEST_F(Hint, AHintLiftsTheCardsAndFramesWhereTheyGoAndEscapePutsThemBack) {
    NearlyWon();
    ScreenReader reader;
    Key(Qt::Key_H);
    EXPECT_EQ(reader.Heard(),
              (std::vector<std::string>{"focus Pack 1: ten of hearts. Holding jack of hearts",
                                        "news Hint: move jack of hearts to Pack 1"}));
    const CView::KeyboardMarks marks = view->Keyboard();
    EXPECT_EQ(marks.liftArea, 0);  // the jack of hearts, lifted
    EXPECT_EQ(marks.focusArea, table::kAreaPack0);
    EXPECT_TRUE(marks.focusShown);
    EXPECT_EQ(view->Model().stackCount[0], 1) << "a hint never changes the table";
    Key(Qt::Key_Escape);
    EXPECT_EQ(view->Keyboard().liftArea, table::kAreaNone);
    EXPECT_FALSE(view->History().CanUndo());
}

TEST_F(Hint, OnALostGameTheAlertSaysHowFarBackAWinIs) {
    Lost();
    testseams::ScriptAlerts();
    Key(Qt::Key_H);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text, "This deal cannot be won. Deal again to try another.");
    EXPECT_EQ(testseams::Alerts()[0].buttons, std::vector<std::string>{"OK"});

    // A move made from a game that could be won, then one from the lost table: two undos take
    // it back to where a win was.
    NearlyWon();
    Click(60, 60);  // the deck turned
    Lost();
    Click(60, 60);
    testseams::ScriptAlerts();
    Key(Qt::Key_H);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text,
              "No moves win this game from here. Undo 2 moves to get back to a game that can "
              "still be won.");
}

// The search that runs ahead of H answers for the table and options it was started on alone,
// and for a table that cannot be won, goes back through the history to one that can.
TEST_F(Hint, TheSearchAheadAnswersForItsOwnTableAndLooksBack) {
    NearlyWon();
    HintSearch search;
    search.Start(view->Model(), view->History(), view->GetOptions());
    const auto won = search.Wait(view->Model(), view->GetOptions(), 60);  // a generous deadline
    ASSERT_TRUE(won);
    EXPECT_EQ(won->now.outcome, SolveResult::Outcome::kWon);
    Options frozen = view->GetOptions();
    frozen.freezePacks = 1;
    EXPECT_FALSE(search.Wait(view->Model(), frozen, 0));
    Table other = view->Model();
    other.stackCount[1] = 0;
    EXPECT_FALSE(search.Wait(other, view->GetOptions(), 0));

    Click(60, 60);  // the deck turned
    Lost();
    Click(60, 60);
    search.Start(view->Model(), view->History(), view->GetOptions());
    const auto lost = search.Wait(view->Model(), view->GetOptions(), 60);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->now.outcome, SolveResult::Outcome::kLost);
    EXPECT_EQ(lost->back, (std::vector<SolveResult::Outcome>{SolveResult::Outcome::kLost,
                                                             SolveResult::Outcome::kWon}));
}

// A key waits while cards fly: H pressed mid-flight shows its hint once they have landed.
TEST_F(Hint, HDuringAFlightWaitsForTheCardsToLand) {
    NearlyWon();
    // The jack of hearts flies home.
    const auto [during, steps] =
        KeyMidFlight(Qt::Key_H, [&] { RightClick(table::StackX(0) + 30, table::kStackY + 40); });
    EXPECT_GT(steps, 3);
    EXPECT_FALSE(during.focusShown);
    EXPECT_EQ(view->Model().packCount[0], 11);
    BLooper::DispatchAllPending();
    EXPECT_TRUE(view->Keyboard().focusShown);  // the hint, on the table the flight left
    EXPECT_EQ(view->Keyboard().focusArea, table::kAreaDeck);
}

}  // namespace
