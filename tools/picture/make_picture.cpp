// Paints the launcher's picture: a generated map of twenty states in the
// game's own colours, darkened at the edges, with the game's title over it.
//   make_picture OUT.png TITLE SUBTITLE
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

#include "core/game.h"
#include "map/map_generation.h"
#include "map/map_painter.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_picture OUT.png TITLE SUBTITLE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    korvant::Game game;
    game.Rng.setSeed(1187);
    game.GosCount = 20;
    game.MapSize = 64;
    korvant::GenerateMap(game);
    korvant::Picture pic(768, 768);
    korvant::DrawMap(game, pic, true);
    QImage map(reinterpret_cast<const uchar*>(pic.data()), pic.width(), pic.height(), QImage::Format_RGB32);

    QImage out(640, 480, QImage::Format_RGB32);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(QRect(0, 0, 640, 480), map, QRect(64, 160, 640, 480));
    // Soften the colours into an old map's tones.
    p.fillRect(out.rect(), QColor(60, 40, 20, 110));
    QRadialGradient vignette(QPointF(320, 240), 420);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 200));
    p.fillRect(out.rect(), vignette);

    QFont title("DejaVu Serif", 64, QFont::Bold);
    title.setLetterSpacing(QFont::PercentageSpacing, 112);
    QPainterPath text;
    text.addText(0, 0, title, QString::fromUtf8(argv[2]));
    QRectF box = text.boundingRect();
    text.translate(320 - box.center().x(), 150 - box.center().y());
    p.setPen(QPen(QColor(20, 10, 0, 220), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QLinearGradient gold(0, 100, 0, 190);
    gold.setColorAt(0, QColor(255, 236, 160));
    gold.setColorAt(1, QColor(200, 140, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(text);

    QFont sub("DejaVu Serif", 16, QFont::Normal, true);
    p.setFont(sub);
    p.setPen(QColor(245, 230, 200));
    p.drawText(QRect(0, 200, 640, 40), Qt::AlignCenter, QString::fromUtf8(argv[3]));
    p.end();
    if (!out.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "make_picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
