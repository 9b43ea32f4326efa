// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Random.h"

#include <cstdlib>
#include <random>

#if RAND_MAX == 2147483647
void SeedRandom(unsigned seed) {
    srand(seed);
}
int32_t NextRandom() {
    return int32_t(rand());
}
#else
namespace {
std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}
}  // namespace
void SeedRandom(unsigned seed) {
    Generator().seed(seed);
}
int32_t NextRandom() {
    return int32_t(Generator()() & 0x7fffffffu);
}
#endif
