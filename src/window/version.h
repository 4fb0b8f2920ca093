#pragma once

namespace kavro {

inline constexpr const char* kAppTitle = "KAVRO34";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 1;

} // namespace kavro
