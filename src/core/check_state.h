#pragma once
// The consistency check of the state tables, run at named check points.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace korvant {

// A broken invariant: carries every message the check produced, the check point's label first
// in each fatal one, and the closing message last. The program shows them and ends.
class StateError : public std::runtime_error {
public:
    explicit StateError(std::vector<std::string> messages);
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

// Checks the state guard's seal (StateError with the system-error message), then the soldier
// bookkeeping and the generals on the borders. When the check passes, its
// non-fatal findings go to the windows' message box; when it fails, StateError carries them with
// the fatal ones, in the order found. Does nothing in a joined network game.
void CheckState(Game& game, std::string_view label);

// True when the check would find nothing at all, in any mode: the soldiers balance, every
// general stands where his border says, and no count is negative. Shows nothing.
bool StateIsClean(const Game& game);

}  // namespace korvant
