// SPDX-License-Identifier: GPL-3.0-or-later
// Long play through the real input paths, the table checked after every press and key: random
// presses, drags and secondary clicks anywhere with the odd undo; and planned games by the mouse
// and by the keys. TARNWICK_SOAK_GAMES asks for more games than the default.
#include <cstdio>
#include <cstdlib>
#include <random>

#include "TestSupport.h"
#include "game/Moves.h"
#include "game/Solver.h"

using namespace testing_support;

namespace {

class Soak : public TableFixture {
  protected:
    // The screen shows the off-screen table, but for the keyboard's marks.
    void ExpectLegalTable(const std::string& what, bool byKeys = false) {
        ASSERT_EQ(TableFault(view->Model()), "") << what << "\n" << Layout();
        ASSERT_EQ(view->Model().handCount, 0) << what;
        ASSERT_EQ(view->MouseState(), CView::kMouseIdle) << what;
        ASSERT_TRUE(byKeys || Screen() == Offscreen()) << what << "\n" << Layout();
    }

    // A point on a card that may be taken, or anywhere now and then; a place to drop cards on.
    BPoint SomeCard(std::mt19937& rng) {
        const int s = int(rng() % 7), n = view->Model().stackCount[s];
        const int choice = int(rng() % 4);
        return choice == 0
                   ? BPoint(table::PileCardX(std::max(0, view->Model().fannedCount - 1)) + 10, 40)
               : choice == 1 ? AtPack(int(rng() % 4))
               : choice == 2 ? AtStack(s, n == 0 ? 0 : int(rng() % n))
                             : BPoint(rng() % 701, rng() % 501);
    }
    BPoint SomePlace(std::mt19937& rng) {
        const int s = int(rng() % 7);
        return rng() % 3 == 0    ? AtPack(int(rng() % 4))
               : rng() % 10 == 0 ? BPoint(rng() % 701, rng() % 501)
                                 : AtStack(s, std::max(0, view->Model().stackCount[s] - 1));
    }
};

TEST_F(Soak, RandomPlayKeepsEveryCardAndEveryRule) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = asked ? std::atoi(asked) : 8;
    const int pressesPerGame = 300;
    std::mt19937 rng(20261206);
    for (int game = 0; game < games; ++game) {
        testseams::FixClock(1700000000 + game);
        testseams::ScriptAlerts({0});
        window->PostMessage(MSG_DEAL);
        BLooper::DispatchAllPending();
        view->SetFlags(rng() % 2, rng() % 4 != 0, rng() % 2, 0);
        for (int press = 0; press < pressesPerGame; ++press) {
            const int action = int(rng() % 100);
            const char* what = action < 25   ? "deck"
                               : action < 65 ? "drag"
                               : action < 85 ? "secondary"
                               : action < 95 ? "odd buttons"  // several, or none when looked at
                                             : "undo";
            const BPoint from = SomeCard(rng), to = SomePlace(rng);
            if (action < 25)
                Click(60, 60, 1 + int(rng() % 2));
            else if (action < 65)
                Drag({from, BPoint((from.x + to.x) / 2, (from.y + to.y) / 2), to});
            else if (action < 85)
                RightClick(from);
            else if (action < 95)
                testseams::Press(view, 1 + rng() % 4, {{to, uint32(rng() % 5)}});
            else
                window->PostMessage(MSG_UNDO);
            if (!testseams::Alerts().empty())
                testseams::ScriptAlerts({0});
            BLooper::DispatchAllPending();
            ExpectLegalTable(what + std::string(" in game ") + std::to_string(game));
            if (HasFatalFailure())
                return;
        }
    }
}

const SolveBudget kBudget{300'000, 600.0};

// A player with a plan: the solver's winning line, played through the mouse or the keys. When the
// table is not what the line's last move should have left (a stray press or key moved a card, or
// the input played it elsewhere), the line is found again. The budget is of tables alone, never
// of time, so every run plays the same games.
class Planned : public Soak {
  protected:
    // Makes one move of a winning line; false when no win is found.
    bool Move() {
        const Table now = view->Model();
        if (next == line.size() || LayoutOf(now) != expected) {
            const SolveResult r = Solve(now, view->GetOptions(), kBudget);
            if (r.outcome != SolveResult::Outcome::kWon)
                return false;
            line = r.moves, next = 0;
        }
        Table after = now;
        Apply(after, view->GetOptions(), line[next]);
        expected = LayoutOf(after);
        byKeys ? PlayByKeys(line[next++]) : PlayByMouse(line[next++]);
        return true;
    }
    // Cards bound for a pack go by the secondary button (or Shift+Enter), but for an ace
    // between packs.
    void PlayByMouse(const ::Move& m) {
        auto at = [this](Place p, int row) {
            return p.IsDeck() ? kAtDeck
                   : p.IsPile()
                       ? BPoint(table::PileCardX(std::max(0, view->Model().fannedCount - 1)) + 10,
                                40)
                   : p.IsPack() ? AtPack(p.index)
                                : AtStack(p.index, std::max(row, 0));
        };
        if (m.kind == ::Move::Kind::kTurnDeck || m.kind == ::Move::Kind::kTurnCard)
            Click(at(m.from, m.row));
        else if (m.to.IsPack() && !m.from.IsPack())
            RightClick(at(m.from, m.row));
        else
            Drag({at(m.from, m.row),
                  at(m.to, m.to.IsPack() ? 0 : view->Model().stackCount[m.to.index] - 1)});
    }
    void PlayByKeys(const ::Move& m) {
        FocusOn(m.from.ToArea(), m.row);
        if (m.kind == ::Move::Kind::kTurnDeck || m.kind == ::Move::Kind::kTurnCard) {
            key(Qt::Key_Space, false);
        } else if (m.to.IsPack() && !m.from.IsPack()) {
            key(Qt::Key_Return, true);
        } else {
            key(Qt::Key_Space, false);
            FocusOn(m.to.ToArea(), m.to.IsPack() ? -1 : view->Model().stackCount[m.to.index] - 1);
            key(Qt::Key_Return, false);
        }
    }
    // Up to the top row, left to the deck; then right along the top row, or down to the first
    // stack, right to the one wanted and up its face-up cards to the row.
    void FocusOn(int area, int row) {
        auto until = [this](int qtKey, auto there) {
            for (int keys = 0; keys < 30 && !there(); ++keys)
                key(qtKey, false);
            if (!there())
                ADD_FAILURE() << "the focus is stuck at " << view->Keyboard().focusArea;
        };
        auto at = [this] { return view->Keyboard().focusArea; };
        const bool toStack = area >= 0 && area < table::kStacks;
        key(Qt::Key_Up, false);
        until(Qt::Key_Up, [&] { return at() >= table::kStacks; });
        until(Qt::Key_Left, [&] { return at() == table::kAreaDeck; });
        if (toStack)
            key(Qt::Key_Down, false);
        until(Qt::Key_Right, [&] { return at() == area; });
        until(Qt::Key_Up, [&] { return !toStack || view->Keyboard().focusRow <= row; });
    }

    bool byKeys = false;
    std::function<void(int, bool)> key;  // a key, and the checks after it
    std::vector<::Move> line;
    size_t next = 0;
    std::string expected;
};

// Planned games of deals that can be won, by the mouse and by the keys in turn, with stray drags
// or keys mixed in: two thirds at least reach autocomplete and the end-of-game alert, so those
// paths are soaked too. The table is checked after every press and every key, and at every step
// of every flight.
TEST_F(Planned, PlayByMouseAndByKeysReachesTheEnd) {
    const char* asked = std::getenv("TARNWICK_SOAK_GAMES");
    const int games = 2 * (asked ? std::max(2, std::atoi(asked)) : 6);
    std::mt19937 rng(7);
    int ended[2] = {0, 0};
    bool over = false;
    std::string what, flightFault;
    testseams::ObserveSync([&](BView*) {
        if (const std::string fault = TableFault(view->Model()); flightFault.empty())
            flightFault = fault;
    });
    auto check = [&] {
        over = over || !testseams::Alerts().empty();
        if (!over)
            ExpectLegalTable(what, byKeys);
        ASSERT_EQ(flightFault, "") << "in flight, " << what;
    };
    key = [&](int qtKey, bool shift) {
        Key(qtKey, shift);
        check();
    };
    constexpr int kStray[] = {Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Up,    Qt::Key_Down,
                              Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape};
    for (int game = 0; game < games; ++game) {
        byKeys = game % 2 == 1;
        view->SetFlags(0, 1, 1, 0);  // one card at a time, autocomplete on
        for (time_t second = 1800000000 + 100 * (game / 2);; ++second) {  // a deal that can be won
            testseams::FixClock(second);
            Send(MSG_DEAL);
            if (Solve(view->Model(), view->GetOptions(), kBudget).outcome ==
                SolveResult::Outcome::kWon)
                break;
        }
        testseams::ScriptAlerts({0});  // "Sure thing": the window deals again
        next = line.size();
        over = false;
        for (int move = 0; move < 2000 && !over && !HasFatalFailure(); ++move) {
            what = (byKeys ? "keys" : "mouse") + std::string(", game ") + std::to_string(game) +
                   ", move " + std::to_string(move);
            if (rng() % 10 == 0 && byKeys) {
                for (int i = 0; i < 3; ++i)
                    key(kStray[rng() % 7], rng() % 4 == 0);
                key(Qt::Key_Escape, false);
            } else if (rng() % 9 == 0 && !byKeys) {
                Drag({SomeCard(rng), SomePlace(rng)});
            } else if (!Move()) {
                break;  // stuck: the next deal
            }
            BLooper::DispatchAllPending();
            check();
        }
        if (HasFatalFailure())
            return;
        if (over) {
            ++ended[byKeys];
            EXPECT_EQ(testseams::Alerts()[0].text,
                      "Well done, you have completed Tarnwick. Deal again?");
        }
    }
    testseams::ObserveSync(nullptr);
    std::printf("planned play: %d by mouse and %d by keys of %d games each reached the end\n",
                ended[0], ended[1], games / 2);
    for (int count : ended)  // a stray press or key may lose a game now and then
        EXPECT_GE(3 * count, games) << count << " of " << games / 2 << " games reached the end";
}

}  // namespace
