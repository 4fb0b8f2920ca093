#pragma once
// Slows down guessing at the manager's PIN: after every third wrong PIN in a row the next
// try waits, 30 seconds at first and twice as long each time after, up to five minutes. A
// desk clerk who mistypes once or twice never waits; a 4-digit PIN cannot be run through
// by hand. Kept by the main window, so that closing and reopening the question does not
// start the count again.
#include <chrono>
#include <functional>

namespace kavro {

class PinGuard {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit PinGuard(Clock now = [] { return std::chrono::steady_clock::now(); });

    // Whole seconds still to wait before a PIN may be tried; 0 when it may.
    int secondsToWait() const;
    void wrongPin();
    void rightPin();

private:
    Clock now_;
    int wrongInRow_ = 0;
    std::chrono::steady_clock::time_point waitUntil_{};
};

} // namespace kavro
