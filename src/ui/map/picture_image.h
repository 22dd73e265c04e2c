#pragma once
// A drawn picture as Qt's image: the pixels are copied, so the picture may go.
#include <QImage>

#include "map/picture.h"

namespace korvant {

inline QImage ToImage(const Picture& pic) {
    return QImage(reinterpret_cast<const uchar*>(pic.data()), pic.width(), pic.height(), QImage::Format_RGB32).copy();
}

}  // namespace korvant
