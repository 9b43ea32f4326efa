// SPDX-License-Identifier: GPL-3.0-or-later
// A job that churns memory beside a start-up, as a browser does on a desktop: it keeps about
// 1 GiB in blocks of 64 KiB to 8 MiB, freeing and refilling a random block at a time, touching
// every page, so that free memory stays fragmented. Runs until killed.
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

int main() {
    std::mt19937 rng(1);
    std::vector<char*> blocks(256, nullptr);
    for (;;) {
        char*& block = blocks[rng() % blocks.size()];
        std::free(block);
        const size_t size = size_t(64 << 10) << (rng() % 8);
        block = static_cast<char*>(std::malloc(size));
        if (block)
            std::memset(block, int(rng() & 0xff), size);
    }
}
