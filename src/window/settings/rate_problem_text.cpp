#include "window/settings/rate_problem_text.h"

#include <vector>

namespace kavro {

namespace {

constexpr std::string_view kTableKeyword = "適用開始日";

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

} // namespace

std::string rateProblemInWindow(std::string_view fileText, const RateProblem& problem) {
    const std::vector<std::string_view> lines = linesOf(fileText);
    if (problem.line < 1 || static_cast<std::size_t>(problem.line) > lines.size())
        return problem.text;
    const std::string_view line = lines[static_cast<std::size_t>(problem.line) - 1];
    if (line.starts_with(kTableKeyword))
        return "「" + std::string(line) + "」: " + problem.text;
    std::string table;
    for (std::size_t i = static_cast<std::size_t>(problem.line) - 1; i-- > 0;)
        if (lines[i].starts_with(kTableKeyword)) {
            table = std::string(lines[i]) + " の表の";
            break;
        }
    return table + "「" + std::string(line) + "」: " + problem.text;
}

} // namespace kavro
