#pragma once
// The day contents that the crash test's saves rotate through: different sizes, so that
// a file cut short or mixed from two saves can never pass for one of them.
#include "ledger/day_file.h"

#include <string>
#include <vector>

namespace kavro::test {

inline constexpr int kSaveContentCount = 3;

struct SaveContent {
    RoomGrid grid;
    std::vector<KeptLine> kept;
    std::string bytes; // the file as a save of this content writes it
};

const SaveContent& saveContent(int index);

} // namespace kavro::test
