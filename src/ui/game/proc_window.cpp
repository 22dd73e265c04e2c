#include "ui/game/proc_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {

namespace {

// A 0x00BBGGRR colour value.
QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QLabel* MakeLabel(const char* style) {
    auto* l = new QLabel;
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setStyleSheet(style);
    return l;
}

}  // namespace

TProc::TProc(TLanguageFile& lang, Game& game, QWidget* parent) : QDialog(parent), lang_(lang), game_(game) {
    setFixedSize(688, 453);
    setAutoFillBackground(true);
    notebook_ = new QStackedWidget(this);
    notebook_->setGeometry(6, 6, 273, 441);

    auto* lose = new QWidget;
    auto* lv = new QVBoxLayout(lose);
    loseLabels_[0] = MakeLabel("color: white; font-size: 14pt;");
    stateName_ = MakeLabel("color: yellow; font-size: 16pt; font-weight: bold;");
    loseLabels_[1] = MakeLabel("color: white; font-size: 14pt;");
    loserName_ = MakeLabel("color: white; font-size: 22pt; font-weight: bold;");
    loseLabels_[2] = MakeLabel("color: yellow; font-size: 20pt; font-weight: bold;");
    loseButton_ = new QPushButton;
    for (QWidget* w : {static_cast<QWidget*>(loseLabels_[0]), static_cast<QWidget*>(stateName_),
                       static_cast<QWidget*>(loseLabels_[1]), static_cast<QWidget*>(loserName_),
                       static_cast<QWidget*>(loseLabels_[2])})
        lv->addWidget(w);
    lv->addStretch(1);
    lv->addWidget(loseButton_);
    notebook_->addWidget(lose);

    auto* win = new QWidget;
    auto* wv = new QVBoxLayout(win);
    winLabels_[0] = MakeLabel("color: white; font-size: 18pt; font-weight: bold;");
    winLabels_[1] = MakeLabel("color: white; font-size: 12pt;");
    winnerName_ = MakeLabel("color: yellow; font-size: 22pt; font-weight: bold;");
    winLabels_[2] = MakeLabel("color: yellow; font-size: 20pt; font-weight: bold;");
    for (QLabel* l : {winLabels_[0], winLabels_[1], winnerName_, winLabels_[2]}) wv->addWidget(l);
    wv->addStretch(1);
    winButton_ = new QPushButton;
    wv->addWidget(winButton_);
    notebook_->addWidget(win);

    report_ = new QTextEdit(this);
    report_->setGeometry(273 + 6, 6, 409 - 6, 441);
    report_->setReadOnly(true);
    report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = report_->palette();
    p.setColor(QPalette::Base, FromColorRef(11777787));
    report_->setPalette(p);

    connect(loseButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(winButton_, &QPushButton::clicked, this, &QDialog::accept);
    ApplyTexts();
}

void TProc::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return QString::fromStdString(l.Lookup(id)).replace("\r\n", "\n"); };
    setWindowTitle(t(Msg::LastBattleTitle));
    loseLabels_[0]->setText(t(Msg::LastBattleState));
    loseLabels_[1]->setText(t(Msg::LastBattleDestroyed));
    loseLabels_[2]->setText(t(Msg::LastBattleYouLost));
    loseButton_->setText(t(Msg::LastBattleLoseButton));
    winLabels_[0]->setText(t(Msg::LastBattleCongratulations));
    winLabels_[1]->setText(t(Msg::LastBattleFinalVictory));
    winLabels_[2]->setText(t(Msg::LastBattleYouWon));
    winButton_->setText(t(Msg::LastBattleWinButton));
}

void TProc::Fill(bool victory) {
    const Game& game = game_;
    notebook_->setCurrentIndex(victory ? 1 : 0);
    QPalette p = palette();
    p.setColor(QPalette::Window, FromColorRef(victory ? 12615680 : 193));
    setPalette(p);
    const int s = game.BattleDefender;
    const bool valid = s >= 1 && s <= MaxStates;
    const QString player = valid ? QString::fromStdString(game.mGos[s].PlayerName.utf8()) : QString();
    loserName_->setText(player);
    winnerName_->setText(player);
    stateName_->setText(valid ? QString::fromStdString(game.mGos[s].Name.utf8()) : QString());
    report_->clear();
    report_->setUpdatesEnabled(false);
    for (const TMesRec& m : game.MesList.entries()) {
        if (m.Gos != s || m.Kind != MesBattle) continue;
        report_->setTextColor(FromColorRef(m.Color));
        report_->append(QString::fromStdString(m.Text.utf8()).replace("\r\n", "\n"));
    }
    report_->setUpdatesEnabled(true);
}

void TProc::Show(bool victory) {
    Fill(victory);
    exec();
}

}  // namespace korvant
