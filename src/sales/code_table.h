#pragma once
// The words a file stores for the values of an enumeration, looked up both ways.
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace kavro {

template <class E> using CodeRow = std::pair<E, std::string_view>;

template <class E, std::size_t N>
constexpr std::string_view codeIn(const CodeRow<E> (&table)[N], E value) {
    for (const auto& [v, code] : table)
        if (v == value)
            return code;
    return {};
}

template <class E, std::size_t N>
constexpr std::optional<E> valueIn(const CodeRow<E> (&table)[N], std::string_view code) {
    for (const auto& [v, c] : table)
        if (c == code)
            return v;
    return std::nullopt;
}

} // namespace kavro
