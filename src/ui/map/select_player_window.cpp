#include "ui/map/select_player_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {

TSelectPlayer::TSelectPlayer(TLanguageFile& lang, Game& game, QWidget* parent)
    : QDialog(parent), lang_(lang), game_(game) {
    auto* v = new QVBoxLayout(this);
    heading_ = new QLabel;
    heading_->setAlignment(Qt::AlignCenter);
    text_ = new QLabel;
    text_->setAlignment(Qt::AlignCenter);
    player_ = new QLabel;
    player_->setAlignment(Qt::AlignCenter);
    player_->setStyleSheet("font-size: 36pt; font-weight: bold; color: #000080;");
    ok_ = new QPushButton;
    v->addWidget(heading_);
    v->addWidget(player_);
    v->addWidget(text_);
    v->addWidget(ok_);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(360);
    ApplyTexts();
}

void TSelectPlayer::ApplyTexts() {
    const TLanguageFile& l = lang_;
    setWindowTitle(QString::fromStdString(l.Lookup(Msg::GetReadyTitle)));
    // The person's number stands in the blank lines after the first line of the text.
    QString text = QString::fromStdString(l.Lookup(Msg::GetReadyText)).replace("\r\n", "\n");
    const qsizetype cut = text.indexOf('\n');
    heading_->setText(cut < 0 ? text : text.left(cut));
    text_->setText(cut < 0 ? QString() : text.mid(cut).trimmed());
    ok_->setText(QString::fromStdString(l.Lookup(Msg::GetReadyOk)));
}

void TSelectPlayer::Show(int person) {
    Fill(person);
    exec();
}

void TSelectPlayer::Fill(int person) { player_->setText(QString::number(person)); }

}  // namespace korvant
