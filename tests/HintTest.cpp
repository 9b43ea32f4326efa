// SPDX-License-Identifier: GPL-3.0-or-later
// The hint on H, through real key events on the real window.
#include "ScreenReader.h"
#include "TestSupport.h"
#include "app/MessageCodes.h"

using namespace testing_support;

namespace {

class Hint : public TableFixture {
  protected:
    // Every pack full but for the hearts from the jack: the jack and the king of hearts face up
    // on stacks, the queen in the deck.
    void NearlyWon() {
        ClearTable();
        for (int p = 1; p < 4; ++p)
            FillPack(p, p + 1, 13);
        FillPack(0, 1, 10);
        PutOnStack(0, CCard(1, 11));
        PutOnStack(1, CCard(1, 13));
        Edit([](Table& t) { t.deck.PutCardOnTop(CCard(1, 12)); });
        view->SetFlags(0, 1, 0, 0);
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

// Frozen packs, three cards turned: the ten of hearts goes home, and then the jack and queen
// always come up together, the queen on the jack, with nothing to take the queen: lost.
TEST_F(Hint, OnALostGameTheAlertSaysHowFarBackAWinIs) {
    auto lost = [this] {
        ClearTable();
        for (int p = 1; p < 4; ++p)
            FillPack(p, p + 1, 13);
        FillPack(0, 1, 9);
        PutOnStack(0, CCard(1, 13));
        Edit([](Table& t) {
            for (int n : {10, 12, 11})
                t.deck.PutCardOnTop(CCard(1, n));
        });
        view->SetFlags(1, 0, 0, 0);
        view->UpdateBackground();
    };
    lost();
    testseams::ScriptAlerts();
    Key(Qt::Key_H);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text, "This deal cannot be won. Deal again to try another.");
    EXPECT_EQ(testseams::Alerts()[0].buttons, std::vector<std::string>{"OK"});

    // A move made from a game that could be won, then one from the lost table: two undos take
    // it back to where a win was.
    NearlyWon();
    Click(60, 60);  // the deck turned
    lost();
    Click(60, 60);
    testseams::ScriptAlerts();
    Key(Qt::Key_H);
    ASSERT_EQ(testseams::Alerts().size(), 1u);
    EXPECT_EQ(testseams::Alerts()[0].text,
              "No moves win this game from here. Undo 2 moves to get back to a game that can "
              "still be won.");
}

}  // namespace
