// Draws the game's icon: a little map of six states on dark leather with a gold K. One
// description of the shapes gives both the scalable SVG and the PNGs, so they always agree.
//   make_icon OUT.svg OUT.png SIZE [OUT.png SIZE ...]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double Side = 256;  // the shapes' own units

struct Shape {
    std::vector<QPointF> points;  // a closed polygon
    const char* fill;
    const char* stroke = nullptr;
    double strokeWidth = 0;
};

// Six states on a six by six map, each cell's owner by row.
const char* const Owners[6] = {"112233", "112233", "114433", "544433", "555443", "555666"};
const char* const Colours[6] = {"#b83a2e", "#3a6db8", "#4c9a3c", "#d0a030", "#7a4aa0", "#2e9a9a"};
const char* const Leather = "#3a2810";
const char* const Gold = "#f0c850";
const char* const Ink = "#1e1206";
constexpr double Frame = 16, Radius = 40, MapInset = 30, MapRadius = 24;

std::vector<Shape> letter() {
    return {
        {{{80, 60}, {116, 60}, {116, 196}, {80, 196}}, Gold, Ink, 6},
        {{{108, 132}, {160, 60}, {200, 60}, {130, 154}}, Gold, Ink, 6},
        {{{126, 116}, {200, 196}, {158, 196}, {104, 140}}, Gold, Ink, 6},
    };
}

std::vector<Shape> cells() {
    std::vector<Shape> out;
    const double size = (Side - 2 * MapInset) / 6;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) {
            const double x = MapInset + c * size, y = MapInset + r * size;
            out.push_back({{{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, Colours[Owners[r][c] - '1']});
        }
    return out;
}

std::string svgPoints(const Shape& s) {
    std::string out;
    for (const QPointF& p : s.points) out += std::to_string(int(p.x())) + "," + std::to_string(int(p.y())) + " ";
    return out;
}

bool writeSvg(const char* file) {
    std::ofstream out(file);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <defs><clipPath id=\"map\"><rect x=\"" << MapInset << "\" y=\"" << MapInset << "\" width=\""
        << Side - 2 * MapInset << "\" height=\"" << Side - 2 * MapInset << "\" rx=\"" << MapRadius
        << "\"/></clipPath></defs>\n"
        << "  <rect x=\"" << Frame / 2 << "\" y=\"" << Frame / 2 << "\" width=\"" << Side - Frame << "\" height=\""
        << Side - Frame << "\" rx=\"" << Radius << "\" fill=\"" << Leather << "\" stroke=\"" << Gold
        << "\" stroke-width=\"8\"/>\n  <g clip-path=\"url(#map)\">\n";
    for (const Shape& s : cells())
        out << "    <polygon points=\"" << svgPoints(s) << "\" fill=\"" << s.fill << "\"/>\n";
    out << "  </g>\n";
    for (const Shape& s : letter())
        out << "  <polygon points=\"" << svgPoints(s) << "\" fill=\"" << s.fill << "\" stroke=\"" << s.stroke
            << "\" stroke-width=\"" << s.strokeWidth << "\" stroke-linejoin=\"round\"/>\n";
    out << "</svg>\n";
    return bool(out);
}

bool writePng(const char* file, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Side, size / Side);
    p.setPen(QPen(QColor(Gold), 8));
    p.setBrush(QColor(Leather));
    p.drawRoundedRect(QRectF(Frame / 2, Frame / 2, Side - Frame, Side - Frame), Radius, Radius);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(MapInset, MapInset, Side - 2 * MapInset, Side - 2 * MapInset), MapRadius, MapRadius);
    p.save();
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    for (const Shape& s : cells()) {
        p.setBrush(QColor(s.fill));
        // A hair wider, so that no seam shows between the cells.
        p.drawPolygon(
            QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())).boundingRect().adjusted(0, 0, 0.5, 0.5));
    }
    p.restore();
    for (const Shape& s : letter()) {
        p.setPen(QPen(QColor(s.stroke), s.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(s.fill));
        p.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
    }
    p.end();
    return image.save(QString::fromLocal8Bit(file));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: make_icon OUT.svg OUT.png SIZE [OUT.png SIZE ...]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!writeSvg(argv[1])) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!writePng(argv[i], std::atoi(argv[i + 1]))) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
