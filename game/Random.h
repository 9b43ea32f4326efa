// SPDX-License-Identifier: GPL-3.0-or-later
// The random numbers of the shuffle: the C library generator where it yields 0 to 2^31 - 1, so
// a second's deal is the same on every such system; a generator of that range elsewhere.
#pragma once

#include <cstdint>

void SeedRandom(unsigned seed);
int32_t NextRandom();
constexpr double kRandomRange = 2147483648.0;
