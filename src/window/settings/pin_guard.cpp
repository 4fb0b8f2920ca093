#include "window/settings/pin_guard.h"

#include <algorithm>

namespace kavro {

namespace {
constexpr int kTriesBeforeWait = 3;
constexpr std::chrono::seconds kFirstWait{30};
constexpr std::chrono::seconds kLongestWait{300};
} // namespace

PinGuard::PinGuard(Clock now) : now_(std::move(now)) {}

int PinGuard::secondsToWait() const {
    const auto left = waitUntil_ - now_();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::seconds>(left).count());
}

void PinGuard::wrongPin() {
    ++wrongInRow_;
    if (wrongInRow_ % kTriesBeforeWait != 0)
        return;
    const int doublings = std::min(wrongInRow_ / kTriesBeforeWait - 1, 4);
    waitUntil_ =
        now_() + std::min<std::chrono::seconds>(kFirstWait * (1 << doublings), kLongestWait);
}

void PinGuard::rightPin() {
    wrongInRow_ = 0;
    waitUntil_ = {};
}

} // namespace kavro
