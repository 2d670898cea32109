#include "quiz/countdown.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

bool CCountdown::Start(int timeLimit, unsigned questionCount) {
    timeLimit_ = timeLimit;
    on_ = timeLimit >= 1;
    running_ = on_;
    if (!on_) return false;
    // A long run with a large limit would wrap in 32 bits; the display shows 99:59:59 anyway.
    const std::uint64_t pooled = static_cast<std::uint64_t>(timeLimit) * questionCount;
    remaining_ = static_cast<unsigned>(std::min<std::uint64_t>(pooled, std::numeric_limits<unsigned>::max()));
    colour_ = TimeColour::Black;
    return true;
}

bool CCountdown::Tick(int remainingQuestions) {
    if (!running_) return false;
    if (remaining_ > 0) --remaining_;
    const double pace = static_cast<double>(remainingQuestions) * timeLimit_;
    const double seconds = remaining_;
    if (seconds > 1.03 * pace)
        colour_ = TimeColour::Blue;
    else if (seconds < 0.97 * pace)
        colour_ = TimeColour::Red;
    else
        colour_ = TimeColour::Black;
    if (remaining_ > 0) return false;
    running_ = false;
    return true;
}

std::string CCountdown::FormatTime(unsigned seconds) {
    if (seconds >= 216000) return "99:59:59";
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}
