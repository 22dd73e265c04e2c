#include "ui/net/dop_info_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/language_file.h"

namespace korvant {

TDopInfo::TDopInfo(TLanguageFile& lang, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), lang_(lang), text_(new QLabel) {
    setFixedSize(249, 83);
    auto* layout = new QVBoxLayout(this);
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    text_->setFrameShape(QFrame::Panel);
    layout->addWidget(text_);
    ApplyTexts();
}

void TDopInfo::ApplyTexts() { text_->setText(QString::fromStdString(lang_.Lookup(Msg::SendingData))); }

void TDopInfo::SetShown(bool shown) {
    if (!shown) return hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    show();
    repaint();
}

}  // namespace korvant
