// Random play through the real mouse handling: presses, drags and secondary clicks anywhere, with
// the odd undo, checking after every press that the table is a legal one and on screen as it is
// off screen. TARNWICK_SOAK_GAMES asks for more games than the default.
#include <cstdlib>
#include <random>

#include "TestSupport.h"
#include "app/MessageCodes.h"
#include "game/Rules.h"

using namespace testing_support;

namespace {

class Soak : public TableFixture {
  protected:
    void ExpectLegalTable(const std::string& what) {
        ASSERT_EQ(TableFault(view->model), "") << what << "\n" << Layout();
        ASSERT_EQ(view->handCount, 0) << what;
        ASSERT_EQ(view->mouseState, CView::kMouseIdle) << what;
        ASSERT_TRUE(Screen() == Offscreen()) << what << "\n" << Layout();
    }

    // A point on a card that can be taken, or anywhere now and then.
    BPoint SomeCard(std::mt19937& rng) {
        switch (rng() % 4) {
            case 0:
                return BPoint(105 + 15 * std::max(0, view->model.fannedCount - 1) + 10, 40);
            case 1:
                return BPoint(280 + 80 * (rng() % 4), 40);
            case 2: {
                const int s = int(rng() % 7);
                const int n = view->model.stackCount[s];
                const int r = n == 0 ? 0 : int(rng() % n);
                return BPoint(30 + 96 * s, 130 + 15 * r + (r == n - 1 ? int(rng() % 80) : 0));
            }
            default:
                return BPoint(rng() % 701, rng() % 501);
        }
    }
    BPoint SomePlace(std::mt19937& rng) {
        if (rng() % 3 == 0)
            return BPoint(280 + 80 * (rng() % 4), 30 + rng() % 70);
        if (rng() % 10 == 0)
            return BPoint(rng() % 701, rng() % 501);
        const int s = int(rng() % 7);
        return BPoint(10 + 96 * s + rng() % 100, 126 + 15 * view->model.stackCount[s] + rng() % 60);
    }
};

TEST_F(Soak, RandomPlayKeepsEveryCardAndEveryRule) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = asked ? std::atoi(asked) : 8;
    const int pressesPerGame = 300;
    std::mt19937 rng(20261206);
    int wins = 0;
    for (int game = 0; game < games; ++game) {
        testseams::FixClock(1700000000 + game);
        testseams::ScriptAlerts({0});
        window->PostMessage(MSG_DEAL);
        BLooper::DispatchAllPending();
        view->SetFlags(rng() % 2, rng() % 4 != 0, rng() % 2, 0);
        for (int press = 0; press < pressesPerGame; ++press) {
            const int action = int(rng() % 100);
            std::string what;
            if (action < 25) {
                what = "deck";
                Click(60, 60, 1 + int(rng() % 2));
            } else if (action < 65) {
                const BPoint from = SomeCard(rng), to = SomePlace(rng);
                what = "drag";
                Drag({from, BPoint((from.x + to.x) / 2, (from.y + to.y) / 2), to});
            } else if (action < 85) {
                what = "secondary";
                const BPoint at = SomeCard(rng);
                RightClick(int(at.x), int(at.y));
            } else if (action < 95) {
                what = "odd buttons";
                std::vector<testseams::MouseSample> samples;
                for (int i = 0; i < 1 + int(rng() % 4); ++i)
                    samples.push_back({SomePlace(rng), uint32(rng() % 5)});
                testseams::Press(view, 1 + rng() % 4, samples);
            } else {
                what = "undo";
                window->PostMessage(MSG_UNDO);
            }
            if (!testseams::Alerts().empty()) {
                ++wins;
                testseams::ScriptAlerts({0});
            }
            BLooper::DispatchAllPending();
            ExpectLegalTable(what + " in game " + std::to_string(game));
            if (HasFatalFailure())
                return;
        }
    }
    RecordProperty("wins", wins);
}

}  // namespace
