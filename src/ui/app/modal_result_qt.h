#pragma once
// The game's modal results through QDialog's int result code.
#include <QDialog>

#include "core/game_ui.h"

namespace korvant {

// Closes the dialog with `result`.
inline void Finish(QDialog& dialog, ModalResult result) { dialog.done(int(result)); }

// Shows the dialog modally and returns how it was left. A dialog closed without a result of the
// game's (by the window system, or hidden) counts as Quit, like the windows' close boxes.
inline ModalResult RunModal(QDialog& dialog) {
    switch (dialog.exec()) {
        case int(ModalResult::EndTurn): return ModalResult::EndTurn;
        case int(ModalResult::ToComputer): return ModalResult::ToComputer;
        default: return ModalResult::Quit;
    }
}

}  // namespace korvant
