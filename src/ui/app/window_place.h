#pragma once
// Where a window opens: over the window it belongs to, whatever the window
// manager would choose for a window whose owner is hidden.
#include <QRect>

class QWidget;

namespace korvant {

// Sizes `window` to its contents and centres it on `area` (a frame geometry on the screen).
void CentreOn(QWidget& window, const QRect& area);

}  // namespace korvant
