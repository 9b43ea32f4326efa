// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the table moves, in one place: the pointer sampling during a press, the flight's step
// and the pace at which flight steps reach the screen.
#pragma once

#include <cstdint>

namespace pacing {

// While a button is held the pointer is sampled at most this often, and only when it has moved or
// a button has changed: fine enough to follow a quick drag, coarse enough that a quick mouse does
// not wake the game for every event it sends.
constexpr int64_t kPollMicroseconds = 10000;

// A flying card moves this far along x from one picture to the next, however steep its line.
constexpr int kFlightStepPixels = 10;

// A Sync on screen returns no sooner than this after the previous one. A flight has no sleep of
// its own, so this sets its speed (10 pixels per 4 ms, about 2,500 pixels a second) and lets a
// display of any refresh rate show the latest step at each of its frames.
constexpr int kSyncQuantumMicroseconds = 4000;

}  // namespace pacing
