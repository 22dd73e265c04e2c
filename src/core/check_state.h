#pragma once
// The consistency check of the state tables, run at named check points.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace korvant {

// A broken invariant: carries every message the check produced, the check point's label first
// in each fatal one. The program shows them, then the closing message, and ends.
class StateError : public std::runtime_error {
public:
    explicit StateError(std::vector<std::string> messages);
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

// Checks the soldier bookkeeping and the generals on the borders. Non-fatal findings go to
// the windows' message box; a fatal one raises StateError. Does nothing in a joined network game.
void CheckState(Game& game, std::string_view label);

}  // namespace korvant
