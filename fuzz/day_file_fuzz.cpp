// Fuzz target for reading a day file: whatever the bytes, loading and saving must keep
// every line, and a second load and save must change nothing.
//
// Built with libFuzzer under clang, or with standalone_driver.cpp anywhere else.
#include "core/rules/day_totals.h"
#include "core/storage/day_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace {

using namespace kavro;

// Lines as the reader sees them: split on LF, one trailing CR dropped, blank lines skipped.
std::map<std::string_view, int> lineCounts(std::string_view bytes) {
    std::map<std::string_view, int> counts;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            ++counts[line];
        start = end + 1;
    }
    return counts;
}

// What loadDay then saveDay do to the bytes of a day file.
std::string loadAndSave(std::string_view bytes, const char* stage) {
    DayContent content = parseDayFile(bytes);
    RoomGrid grid;
    placeRecords(grid, content);
    (void)computeTotals(grid, content.kept);
    RenderResult out = renderDayFile(grid, content.kept);
    if (out.error) {
        std::fprintf(stderr, "%s: a loaded day cannot be saved again: %s\n", stage,
                     out.error->c_str());
        std::abort();
    }
    return out.bytes;
}

void printLine(const char* what, std::string_view line) {
    std::fprintf(stderr, "%s (%zu bytes):", what, line.size());
    for (unsigned char c : line.substr(0, 200))
        std::fprintf(stderr, " %02x", c);
    std::fprintf(stderr, "\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string saved = loadAndSave(input, "first save");

    // Every line written ends with CR LF, and nothing else is written.
    if (!saved.empty() && (saved.size() < 2 || saved.substr(saved.size() - 2) != "\r\n")) {
        std::fprintf(stderr, "the saved file does not end with CR LF\n");
        std::abort();
    }
    // The saved lines are the input's non-blank lines, byte for byte, each as often as
    // it was there: none lost, none changed, none added.
    auto before = lineCounts(input);
    auto after = lineCounts(saved);
    if (before != after) {
        for (const auto& [line, n] : before)
            if (after[line] != n)
                printLine(("input line seen " + std::to_string(n) + " times, saved " +
                           std::to_string(after[line]) + " times")
                              .c_str(),
                          line);
        for (const auto& [line, n] : after)
            if (!before.count(line))
                printLine("saved line that was not in the input", line);
        std::abort();
    }

    const std::string again = loadAndSave(saved, "second save");
    if (again != saved) {
        std::fprintf(stderr, "load and save is not stable: %zu bytes became %zu bytes\n",
                     saved.size(), again.size());
        std::abort();
    }
    return 0;
}
