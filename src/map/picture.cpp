#include "map/picture.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace korvant {

Picture::Picture(int width, int height, Rgb fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill.pixel()) {}

void Picture::fillRect(int left, int top, int right, int bottom, uint32_t p) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels_.begin() + std::ptrdiff_t(y) * width_ + left, std::max(right - left, 0), p);
}

namespace {

// Bresenham's line, both ends included; calls plot(x, y) for each pixel.
template <class Plot>
void walkLine(Point a, Point b, Plot plot) {
    int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(a.x, a.y);
        if (a.x == b.x && a.y == b.y) return;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

}  // namespace

void Picture::line(Point a, Point b, uint32_t p) {
    walkLine(a, b, [&](int x, int y) { setPixel(x, y, p); });
}

void Picture::convexPolygon(const Point* pts, int n, uint32_t p) {
    if (n <= 0) return;
    int top = INT_MAX, bottom = INT_MIN;
    for (int i = 0; i < n; ++i) {
        top = std::min(top, pts[i].y);
        bottom = std::max(bottom, pts[i].y);
    }
    // The outline's leftmost and rightmost pixel of each row bound the filled span.
    int rows = bottom - top + 1;
    constexpr int Small = 64;
    int loBuf[Small], hiBuf[Small];
    std::vector<int> loVec, hiVec;
    int* lo = loBuf;
    int* hi = hiBuf;
    if (rows > Small) {
        loVec.resize(std::size_t(rows));
        hiVec.resize(std::size_t(rows));
        lo = loVec.data();
        hi = hiVec.data();
    }
    std::fill_n(lo, rows, INT_MAX);
    std::fill_n(hi, rows, INT_MIN);
    for (int i = 0; i < n; ++i) {
        walkLine(pts[i], pts[(i + 1) % n], [&](int x, int y) {
            int r = y - top;
            lo[r] = std::min(lo[r], x);
            hi[r] = std::max(hi[r], x);
        });
    }
    for (int r = 0; r < rows; ++r)
        if (lo[r] <= hi[r]) fillRect(lo[r], top + r, hi[r] + 1, top + r + 1, p);
}

void Picture::frame(uint32_t p) {
    if (width_ == 0 || height_ == 0) return;
    fillRect(0, 0, width_, 1, p);
    fillRect(0, height_ - 1, width_, height_, p);
    fillRect(0, 0, 1, height_, p);
    fillRect(width_ - 1, 0, width_, height_, p);
}

}  // namespace korvant
