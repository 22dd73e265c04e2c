#pragma once
// Where a window opens: over the window it belongs to, whatever the window
// manager would choose for a window whose owner is hidden.
#include <QRect>

class QWidget;

namespace korvant {

// Sizes `window` to its contents and centres it on `area` (a frame geometry on the screen).
void CentreOn(QWidget& window, const QRect& area);

// Makes `window` at least as wide as its title bar needs for its title and the program's name,
// so the window manager does not cut the title. Call again when the title changes.
void RoomForTitle(QWidget& window);

// From now on `window` opens again where it was last closed (or where the person dragged it),
// not where the dialog's placement or the window manager would put it anew each time; the
// message boxes centred on it follow it.
void KeepPlace(QWidget& window);

}  // namespace korvant
