#pragma once
// The time a person spends on one turn, counted in whole seconds, and what the
// command screen's clock panel shows of it.
#include <string>

namespace korvant {

class TurnClock {
public:
    // One second more; the clock stops at 23:59:59.
    void Tick();
    void Reset() { hours_ = minutes_ = seconds_ = 0; }

    int Hours() const { return hours_; }
    int Minutes() const { return minutes_; }
    int Seconds() const { return seconds_; }

    // The turn's time limit in minutes (0: none) has been reached.
    bool LimitReached(int turnMinutes) const { return turnMinutes != 0 && minutes_ == turnMinutes; }
    // Seconds left of a limit of `turnMinutes`.
    int SecondsLeft(int turnMinutes) const { return turnMinutes * 60 - (minutes_ * 60 + seconds_); }

private:
    int hours_ = 0, minutes_ = 0, seconds_ = 0;
};

// Minutes, ":" and two digits of seconds, e.g. "3:07"; a negative span shows as "0:00".
std::string ClockText(int seconds);

}  // namespace korvant
