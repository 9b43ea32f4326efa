// SPDX-License-Identifier: GPL-3.0-or-later
// The player's options: four flags, always kept in this order, and the card back. The table, the
// options window and the settings file all hold this one value.
#pragma once

#include <cstdint>

struct Options {
    int32_t freezePacks = 0;     // "Freeze completed decks."
    int32_t autoCompleteOn = 1;  // "Autocomplete game on successful completion."
    int32_t dealOne = 0;         // one card turned from the deck, not three
    int32_t twoRedeals = 0;      // kept and shown, but the pile turns back without limit
    int32_t back = 0;            // the card back, 0 to 3

    // The flags as play reads them. Any value but 0 keeps cards on the packs; the other two are
    // on only at 1, so a damaged settings file turns them off.
    bool PacksFrozen() const { return freezePacks != 0; }
    bool AutoCompletes() const { return autoCompleteOn == 1; }
    bool DealsOne() const { return dealOne == 1; }

    bool operator==(const Options&) const = default;
};
