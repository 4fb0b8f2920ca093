#pragma once
// A rate file for tests of the desk with prices: every room and day type alike, a rest of an
// hour 3,000 yen and each further half hour begun 1,000 yen, tax 10 %.
#include <string>

namespace kavro::test {

inline const std::string kFlatRates = "kavro-rates 1\n"
                                      "適用開始日 2026/01/01\n"
                                      "税率 10\n"
                                      "区分 全室 001-034\n"
                                      "ご休憩 全室 平日 60 3000 30 1000\n"
                                      "ご休憩 全室 休前日 60 3000 30 1000\n"
                                      "ご休憩 全室 土日祝 60 3000 30 1000\n";

} // namespace kavro::test
