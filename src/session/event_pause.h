#pragma once
// A pause of a network game that keeps the session going.
#include <chrono>

namespace korvant {

// Runs the event loop for `length`, the session's connections included, without the person's input.
void PauseWithEvents(std::chrono::milliseconds length);

}  // namespace korvant
