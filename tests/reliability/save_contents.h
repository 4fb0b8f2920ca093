#pragma once
// The day contents that the crash test's saves rotate through: different sizes, so that
// a file cut short or mixed from two saves can never pass for one of them.
#include "core/storage/day_file.h"

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

// Small days for the journaled saves (a check-in, a settlement, both taken back), so that
// hundreds of saves keep the journal small. Each holds a line that does not decode, which
// must come back byte for byte.
const std::string& journalContent(int index);

} // namespace kavro::test
