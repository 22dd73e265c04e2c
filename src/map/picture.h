#pragma once
// A picture to paint the map on: 32-bit pixels 0xFFRRGGBB, row by row (the
// layout of a Qt RGB32 image, so a window shows it without conversion).
#include <cstdint>
#include <vector>

namespace korvant {

struct Rgb {
    uint8_t r, g, b;
    constexpr uint32_t pixel() const { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b; }
};

struct Point {
    int x, y;
};

class Picture {
public:
    Picture(int width, int height, Rgb fill = {255, 255, 255});

    int width() const { return width_; }
    int height() const { return height_; }
    uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    const uint32_t* data() const { return pixels_.data(); }
    uint32_t* data() { return pixels_.data(); }

    // Pixels outside the picture are left alone by every operation.
    void setPixel(int x, int y, uint32_t p) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = p;
    }
    // Fills [left, right) × [top, bottom).
    void fillRect(int left, int top, int right, int bottom, uint32_t p);
    // A straight line including both end pixels.
    void line(Point a, Point b, uint32_t p);
    // A convex polygon, filled and outlined in one colour.
    void convexPolygon(const Point* pts, int n, uint32_t p);
    // The one-pixel frame around the whole picture.
    void frame(uint32_t p);

private:
    int width_, height_;
    std::vector<uint32_t> pixels_;
};

}  // namespace korvant
