#pragma once
// A problem of a rate book being saved from the window, in the window's words: the file's
// line numbers mean nothing there, so the message names the table and quotes the line
// (「適用開始日 2026/04/01 の表の「ご宿泊 スタンダード 平日 …」: …」), which names the
// class, the day type and the plan the field belongs to.
#include "charges/rate_file.h"

#include <string>
#include <string_view>

namespace kavro {

std::string rateProblemInWindow(std::string_view fileText, const RateProblem& problem);

} // namespace kavro
