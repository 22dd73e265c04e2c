#include "support/headless_log.h"

#include <stdexcept>

namespace korvant::test {

HeadlessUi& Headless(Game& game) {
    auto* ui = dynamic_cast<HeadlessUi*>(game.Ui);
    if (!ui) throw std::logic_error("the game's windows are not headless");
    return *ui;
}

}  // namespace korvant::test
