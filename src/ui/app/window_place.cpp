#include "ui/app/window_place.h"

#include <QWidget>

namespace korvant {

void CentreOn(QWidget& window, const QRect& area) {
    window.adjustSize();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

}  // namespace korvant
