// SPDX-License-Identifier: GPL-3.0-or-later
// The hint on H, through real key events on the real window.
#include "ScreenReader.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

class Hint : public TableFixture {
  protected:
    // The hearts home to the ten: the jack and the king face up on stacks, the queen in the deck.
    void NearlyWon() {
        AllHomeBut({{0, CCard(1, 11)}, {1, CCard(1, 13)}}, {CCard(1, 12)});
        view->SetFlags(0, 1, 0, 0);
    }
    // Frozen packs, three cards turned: the ten of hearts goes home, and then the jack and
    // queen always come up together, the queen on the jack, with nothing to take the queen.
    void Lost() {
        AllHomeBut({{0, CCard(1, 13)}}, {CCard(1, 10), CCard(1, 12), CCard(1, 11)});
        view->SetFlags(1, 0, 0, 0);
    }
};

// H lifts the cards of the first winning move and frames where they go, as a keyboard lift does,
// and tells a screen reader; Enter makes the move. Over and over, they win the game.
TEST_F(Hint, HAndEnterOverAndOverWinTheGame) {
    NearlyWon();
    ScreenReader reader;
    Key(Qt::Key_H);
    EXPECT_EQ(reader.Heard(),
              (std::vector<std::string>{"focus Pack 1: ten of hearts. Holding jack of hearts",
                                        "news Hint: move jack of hearts to Pack 1"}));
    EXPECT_EQ(view->Keyboard().liftArea, 0);
    EXPECT_EQ(view->Model().stackCount[0], 1) << "a hint never changes the table";
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
    int steps = 0;
    bool shownInFlight = false;
    testseams::ObserveSync([&](BView*) {
        if (view->Model().handCount > 0 && steps++ == 2) {
            QKeyEvent h(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier);
            QCoreApplication::sendEvent(QtSide::Widget(*view), &h);
        }
        shownInFlight = shownInFlight || view->Keyboard().focusShown;
    });
    RightClick(AtStack(0));  // the jack of hearts flies home
    testseams::ObserveSync(nullptr);
    EXPECT_GT(steps, 3);
    EXPECT_FALSE(shownInFlight);
    BLooper::DispatchAllPending();
    EXPECT_TRUE(view->Keyboard().focusShown);  // the hint, on the table the flight left
    EXPECT_EQ(view->Keyboard().focusArea, table::kAreaDeck);
}

}  // namespace
