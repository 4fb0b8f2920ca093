// Saves a day file over and over until it is killed, for the crash test.
//   kavro_save_loop FILE K   (K: index of the content FILE holds now)
// Each save writes the next content in the rotation. Writes "r" to stdout when it starts
// saving, then "s" after each save that returned, so the test knows which contents the
// file may hold when the kill lands.
#include "reliability/save_contents.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace kavro;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE K\n", argv[0]);
        return 64;
    }
    const std::filesystem::path file = argv[1];
    int k = std::atoi(argv[2]);
    for (int i = 0; i < test::kSaveContentCount; ++i)
        (void)test::saveContent(i); // rendered before the first save, not during it
    if (::write(1, "r", 1) != 1)
        return 1;
    while (true) {
        k = (k + 1) % test::kSaveContentCount;
        const auto& c = test::saveContent(k);
        if (auto error = writeDayFile(file, c.grid, c.kept)) {
            std::fprintf(stderr, "save failed: %s\n", error->c_str());
            return 2;
        }
        if (::write(1, "s", 1) != 1)
            return 1;
    }
}
