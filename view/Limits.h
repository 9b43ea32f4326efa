// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings file and the table view agree on: the longest paths they take, and the name
// that stands for no background picture.
#pragma once

#include <cstddef>

namespace limits {

// A path line of the settings file holds at most this; a longer path is refused, never cut to
// another file's name.
constexpr size_t kCardSetPathMax = 254;
constexpr size_t kBackgroundNameMax = 255;
// The background name of the plain green table.
constexpr const char* kNoBackground = "<NONE>";

}  // namespace limits
