#include "map/map_painter.h"

#include <algorithm>
#include <array>

#include "core/numbers.h"

namespace korvant {

namespace {

constexpr std::array<Rgb, 20> Colours{{
    {255, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 0, 0},       {0, 128, 128},
    {0, 255, 255},   {128, 0, 128},   {255, 255, 0},   {128, 128, 0},   {128, 128, 128},
    {0, 128, 255},   {255, 128, 255}, {128, 255, 128}, {128, 128, 255}, {255, 128, 64},
    {128, 128, 192}, {225, 225, 225}, {255, 128, 128}, {255, 255, 200}, {64, 0, 128},
}};

constexpr uint32_t LightGrey = Rgb{211, 211, 211}.pixel();
constexpr uint32_t DarkGrey = Rgb{105, 105, 105}.pixel();
constexpr int Missing = -1;

uint32_t ownerColour(int owner) { return StateColour(owner + 1).pixel(); }

}  // namespace

Rgb StateColour(int state) {
    if (state >= 1 && state <= 20) return Colours[std::size_t(state - 1)];
    return {255, 255, 255};
}

void TMap::Size(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    cells_.assign(std::size_t(width_) * std::size_t(height_), NoOwner);
}

// What every cell's painting needs: the picture, the pen, the highlight and the neighbour tests.
struct TMap::Ctx {
    Picture& pic;
    const TMap& m;
    int h;                          // highlighted owner or NoHighlight
    std::array<bool, 256> flagged;  // owners shown coloured besides h
    Point pen{0, 0};

    int owner(int x, int y) const {
        if (x < 0 || y < 0 || x >= m.width_ || y >= m.height_) return Missing;
        return m.Cell(x, y);
    }
    bool shown(int o) const { return o != Missing && (o == h || flagged[std::size_t(o)]); }
    // visible(a or b): a's owner is h or flagged, or b's owner is flagged.
    bool visible2(int a, int b) const {
        return (a != Missing && (a == h || flagged[std::size_t(a)])) || (b != Missing && flagged[std::size_t(b)]);
    }
    // Three neighbours of one owner, different from the cell's.
    bool cut(int x, int y, int ax, int ay, int bx, int by, int cx, int cy) const {
        int o = owner(x, y);
        int a = owner(ax, ay), b = owner(bx, by), c = owner(cx, cy);
        return o != Missing && a != Missing && a == b && b == c && a != o;
    }
    bool upLeftCut(int x, int y) const { return cut(x, y, x - 1, y, x - 1, y - 1, x, y - 1); }
    bool upRightCut(int x, int y) const { return cut(x, y, x, y - 1, x + 1, y - 1, x + 1, y); }
    bool downRightCut(int x, int y) const { return cut(x, y, x + 1, y, x + 1, y + 1, x, y + 1); }
    bool downLeftCut(int x, int y) const { return cut(x, y, x, y + 1, x - 1, y + 1, x - 1, y); }
    bool differs(int x, int y, int nx, int ny) const {
        int n = owner(nx, ny);
        return n != Missing && n != owner(x, y);
    }

    void moveTo(Point p) { pen = p; }
    void drawTo(Point p) {
        pic.line(pen, p, m.borderColour);
        pen = p;
    }
};

void TMap::Paint(Picture& picture, bool rounded, int highlight) const {
    if (width_ == 0 || height_ == 0) return;
    Ctx c{picture, *this, highlight, {}, {}};
    if (highlight == NoHighlight) {
        c.flagged.fill(true);
    } else {
        c.flagged.fill(false);
        picture.fillRect(0, 0, picture.width(), picture.height(), LightGrey);
        // Diagonal hatching, one line every eight pixels.
        for (int y = 0; y < picture.height(); ++y)
            for (int x = (8 - y % 8) % 8; x < picture.width(); x += 8) picture.setPixel(x, y, DarkGrey);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                if (Cell(x, y) != highlight) continue;
                for (auto [nx, ny] : {std::pair{x - 1, y}, {x, y - 1}, {x + 1, y}, {x, y + 1}}) {
                    int o = c.owner(nx, ny);
                    if (o != Missing && o != highlight) c.flagged[std::size_t(o)] = true;
                }
            }
    }

    const Extended s = Extended(picture.width()) / width_;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!rounded) {
                paintSquare(c, x, y);
            } else {
                int w = int(Trunc((x + 1) * s) - Trunc(x * s));
                int hgt = int(Trunc((y + 1) * s) - Trunc(y * s));
                if (w == 2 && hgt == 2) {
                    paintTiny(c, x, y);
                } else {
                    paintRounded(c, x, y);
                }
            }
        }
    }
    picture.frame(borderColour);
}

namespace {

struct Rect {
    int left, top, right, bottom;
};

Rect cellRect(const Picture& pic, int width, int x, int y) {
    const Extended s = Extended(pic.width()) / width;
    return {int(Trunc(x * s)), int(Trunc(y * s)), int(Trunc((x + 1) * s)), int(Trunc((y + 1) * s))};
}

}  // namespace

void TMap::paintSquare(Ctx& c, int x, int y) const {
    Rect r = cellRect(c.pic, width_, x, y);
    int o = c.owner(x, y);
    if (c.shown(o)) c.pic.fillRect(r.left, r.top, r.right, r.bottom, ownerColour(o));
    if (!borders) return;
    if (c.differs(x, y, x + 1, y) && c.visible2(o, c.owner(x + 1, y)))
        c.pic.line({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, borderColour);
    if (c.differs(x, y, x, y + 1) && c.visible2(o, c.owner(x, y + 1)))
        c.pic.line({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, borderColour);
    if (c.upLeftCut(x + 1, y + 1) && c.visible2(o, c.owner(x, y + 1)))
        c.pic.setPixel(r.right - 1, r.bottom - 1, borderColour);
}

void TMap::paintRounded(Ctx& c, int x, int y) const {
    Rect r = cellRect(c.pic, width_, x, y);
    const int bevel = int(Trunc(Extended(c.pic.width()) / width_)) / 2;
    const int R = std::max(r.right - 1, r.left), B = std::max(r.bottom - 1, r.top);
    const Point A0{r.left, r.top}, A1{std::max(R - bevel - 1, r.left), r.top},
        A2{r.left, std::max(B - bevel - 1, r.top)};
    const Point B0{R, r.top}, B1{R, B - bevel}, B2{R + r.top - (B - bevel), r.top};
    const Point C0{R, B}, C1{R - bevel, B}, C2{R, B - bevel};
    const Point D0{r.left, B}, D1{r.left, B - bevel + 1}, D2{r.left + bevel - 1, B};

    const int o = c.owner(x, y);
    const int left = c.owner(x - 1, y), right = c.owner(x + 1, y), up = c.owner(x, y - 1), down = c.owner(x, y + 1);
    const bool ul = c.upLeftCut(x, y), ur = c.upRightCut(x, y), dr = c.downRightCut(x, y), dl = c.downLeftCut(x, y);

    if (c.shown(o)) {
        const Point poly[] = {ul ? A2 : A0, A1, B2, ur ? B1 : B0, B1, dr ? C1 : C0, D2, dl ? D1 : D0};
        c.pic.convexPolygon(poly, 8, ownerColour(o));
    }
    auto isH = [&](int v) { return v != Missing && v == c.h; };
    auto isFlagged = [&](int v) { return v != Missing && c.flagged[std::size_t(v)]; };
    if (ul && bevel > 1 && (isH(o) || isH(up) || isFlagged(left))) {
        const Point t[] = {A0, A1, A2};
        c.pic.convexPolygon(t, 3, ownerColour(left));
    }
    if (ur && bevel > 0 && (isH(o) || isH(up) || isFlagged(right))) {
        const Point t[] = {B0, B1, B2};
        c.pic.convexPolygon(t, 3, ownerColour(right));
    }
    if (dr && bevel > 0 && (isH(o) || isH(down) || isFlagged(right))) {
        const Point t[] = {C0, C1, C2};
        c.pic.convexPolygon(t, 3, ownerColour(right));
    }
    if (dl && bevel > 1 && (isH(o) || isH(down) || isFlagged(left))) {
        const Point t[] = {D0, D1, D2};
        c.pic.convexPolygon(t, 3, ownerColour(left));
    }
    if (!borders) return;

    const bool diffRight = c.differs(x, y, x + 1, y), diffDown = c.differs(x, y, x, y + 1);
    const bool visRight = c.visible2(o, right), visDown = c.visible2(o, down), visLeft = c.visible2(o, left);
    if (ul && visLeft) {
        c.moveTo(A1);
        c.drawTo(A2);
    }
    c.moveTo(ur ? B2 : B0);
    if (diffRight && !c.upLeftCut(x + 1, y) && visRight) {
        c.drawTo(B1);
    } else {
        c.moveTo(B1);
    }
    if (dr) {
        if (visRight)
            c.drawTo(C1);
        else
            c.moveTo(C1);
    } else {
        if (!c.downLeftCut(x + 1, y) && diffRight && visRight)
            c.drawTo(C0);
        else
            c.moveTo(C0);
        if (diffDown && !c.upRightCut(x, y + 1) && visDown)
            c.drawTo(C1);
        else
            c.moveTo(C1);
    }
    if (dl) {
        c.moveTo(D2);
        if (visLeft) c.drawTo(D1);
    } else if (diffDown && !c.upLeftCut(x, y + 1) && visDown) {
        c.drawTo(D0);
    }
    if (right != Missing && c.upLeftCut(x + 1, y) && c.downLeftCut(x + 1, y) && visRight)
        c.pic.setPixel(B1.x, B1.y, borderColour);
    if (down != Missing && c.upLeftCut(x, y + 1) && c.upRightCut(x, y + 1)) {
        c.moveTo(C1);
        if (visDown) c.drawTo(D2);
    }
}

void TMap::paintTiny(Ctx& c, int x, int y) const {
    Rect r = cellRect(c.pic, width_, x, y);
    const Point TL{r.left, r.top}, TR{r.left + 1, r.top}, BL{r.left, r.top + 1}, BR{r.left + 1, r.top + 1};
    const int o = c.owner(x, y);
    const int left = c.owner(x - 1, y), right = c.owner(x + 1, y), down = c.owner(x, y + 1);
    const bool dr = c.downRightCut(x, y), dl = c.downLeftCut(x, y);
    auto isH = [&](int v) { return v != Missing && v == c.h; };
    auto isFlagged = [&](int v) { return v != Missing && c.flagged[std::size_t(v)]; };
    auto set = [&](Point p, uint32_t colour) { c.pic.setPixel(p.x, p.y, colour); };

    if (c.shown(o)) {
        set(TL, ownerColour(o));
        set(TR, ownerColour(o));
        if (dr) {
            if (isH(down) || isFlagged(right)) set(BR, ownerColour(right));
        } else {
            set(BR, ownerColour(o));
        }
        set(BL, dl && (isH(o) || isH(down) || isFlagged(left)) ? ownerColour(left) : ownerColour(o));
    }
    if (right != Missing && isFlagged(right) && dr) set(BR, ownerColour(right));
    if (!borders) return;
    if (c.differs(x, y, x + 1, y) && c.visible2(o, right)) {
        set(TR, borderColour);
        if (!dr && !c.downLeftCut(x + 1, y)) set(BR, borderColour);
    }
    if (c.differs(x, y, x, y + 1) && c.visible2(o, down)) {
        set(BL, borderColour);
        if (!dr && !c.upRightCut(x, y + 1)) set(BR, borderColour);
    }
}

TMap MapOf(const Game& game) {
    TMap m;
    const int n = game.MapSize;
    m.Size(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) m.SetCell(x, y, uint8_t(game.Map[x + 1][y + 1] - 1));
    m.count = game.GosCount;
    return m;
}

void DrawMap(const Game& game, Picture& picture, bool rounded) {
    MapOf(game).Paint(picture, rounded, TMap::NoHighlight);
}

void DrawMapFor(const Game& game, Picture& picture, bool rounded) {
    MapOf(game).Paint(picture, rounded, game.CurGos - 1);
}

}  // namespace korvant
