#include "screen/turn_clock.h"

#include <cstdio>

namespace korvant {

void TurnClock::Tick() {
    if (seconds_ <= 58) {
        ++seconds_;
    } else if (minutes_ < 59) {
        seconds_ = 0;
        ++minutes_;
    } else if (hours_ < 23) {
        seconds_ = minutes_ = 0;
        ++hours_;
    }
}

std::string ClockText(int seconds) {
    if (seconds < 0) seconds = 0;
    char buf[24];
    std::snprintf(buf, sizeof buf, "%d:%02d", seconds / 60, seconds % 60);
    return buf;
}

}  // namespace korvant
