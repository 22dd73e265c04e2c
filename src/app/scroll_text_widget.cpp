#include "app/scroll_text_widget.h"

#include <QPainter>

namespace korvant {

TScrollText::TScrollText(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(70);
    connect(&timer_, &QTimer::timeout, this, &TScrollText::Step);
}

void TScrollText::SetLines(const QStringList& lines) {
    lines_ = lines;
    offset_ = 0;
    update();
}

void TScrollText::Start() { timer_.start(); }
void TScrollText::Stop() { timer_.stop(); }

int TScrollText::textHeight() const { return int(lines_.size()) * fontMetrics().lineSpacing(); }

void TScrollText::Step() {
    // From entering at the bottom to leaving at the top, then round again.
    offset_ = (offset_ + 1) % std::max(1, height() + textHeight());
    update();
}

void TScrollText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().color(QPalette::Text));
    const int line = fontMetrics().lineSpacing();
    int y = (timer_.isActive() || offset_ ? height() - offset_ : 0) + fontMetrics().ascent();
    for (const QString& l : lines_) {
        if (y > -line && y < height() + line) p.drawText(QRect(4, y - fontMetrics().ascent(), width() - 8, line), Qt::AlignHCenter, l);
        y += line;
    }
}

}  // namespace korvant
