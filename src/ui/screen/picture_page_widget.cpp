#include "ui/screen/picture_page_widget.h"

#include <QPainter>

namespace korvant {

void TPicturePage::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TPicturePage::SetPictureShown(bool on) {
    shown_ = on;
    update();
}

void TPicturePage::paintEvent(QPaintEvent*) {
    if (!shown_ || picture_.isNull()) return;
    QPainter p(this);
    p.drawPixmap(rect(), picture_);
}

}  // namespace korvant
