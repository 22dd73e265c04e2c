#include "ui/app/scroll_text_widget.h"

#include <QPainter>

#include <algorithm>

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

// Each help line is word-wrapped to the panel's width.
QRect TScrollText::lineRect(const QString& line) const {
    return fontMetrics().boundingRect(QRect(0, 0, std::max(width() - 8, 10), 10000),
                                      Qt::AlignHCenter | Qt::TextWordWrap, line);
}

int TScrollText::textHeight() const {
    int h = 0;
    for (const QString& l : lines_) h += lineRect(l).height();
    return h;
}

void TScrollText::Step() {
    // From entering at the bottom to leaving at the top, then round again.
    offset_ = (offset_ + 1) % std::max(1, height() + textHeight());
    update();
}

void TScrollText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().color(QPalette::Text));
    int y = timer_.isActive() || offset_ ? height() - offset_ : 0;
    for (const QString& l : lines_) {
        const int h = lineRect(l).height();
        if (y + h > 0 && y < height()) p.drawText(QRect(4, y, width() - 8, h), Qt::AlignHCenter | Qt::TextWordWrap, l);
        y += h;
    }
}

}  // namespace korvant
