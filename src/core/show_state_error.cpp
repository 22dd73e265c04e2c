#include "core/show_state_error.h"

namespace korvant {

void ShowStateError(GameUi& ui, const StateError& error) {
    for (const std::string& m : error.messages()) ui.MessageBox(m);
}

}  // namespace korvant
