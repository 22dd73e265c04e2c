#include "ui/map/select_man_window.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTime>

#include <cmath>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {

QString TimeOfDayText(double days) {
    double fraction = days - std::floor(days);
    int ms = int(std::llround(fraction * 86400000.0)) % 86400000;
    // The long format without its time zone: this is a span of time, not a moment.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat).remove('t').trimmed();
    return QTime::fromMSecsSinceStartOfDay(ms).toString(format);
}

TSelectMan::TSelectMan(TLanguageFile& lang, Game& game, QWidget* parent) : QDialog(parent), lang_(lang), game_(game) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* g = new QGridLayout(this);
    turn_ = new QLabel;
    turn_->setAlignment(Qt::AlignCenter);
    turn_->setStyleSheet("font-size: 22pt; font-weight: bold; color: #800000;");
    player_ = new QLabel;
    player_->setAlignment(Qt::AlignCenter);
    player_->setStyleSheet("font-size: 18pt; font-weight: bold;");
    yearCaption_ = new QLabel;
    year_ = new QLabel;
    timeCaption_ = new QLabel;
    grid_ = new QTableWidget(0, 3);
    grid_->hideColumn(0);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ok_ = new QPushButton;
    g->addWidget(turn_, 0, 0, 1, 2);
    g->addWidget(player_, 1, 0, 1, 2);
    g->addWidget(yearCaption_, 2, 0);
    g->addWidget(year_, 2, 1);
    g->addWidget(timeCaption_, 3, 0, 1, 2);
    g->addWidget(grid_, 4, 0, 1, 2);
    g->addWidget(ok_, 5, 0, 1, 2);
    connect(ok_, &QPushButton::clicked, this, [this] { done(1); });
    setMinimumWidth(360);
    ApplyTexts();
}

void TSelectMan::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return QString::fromStdString(l.Lookup(id)).replace("\r\n", "\n").replace('\r', '\n'); };
    setWindowTitle(t(Msg::YourTurnTitle));
    ok_->setText(t(Msg::YourTurnOk));
    timeCaption_->setText(t(Msg::YourTurnTimeSpent));
    yearCaption_->setText(t(Msg::YourTurnYear));
    turn_->setText(t(Msg::YourTurnCaption));
}

void TSelectMan::Fill() {
    const Game& game = game_;
    player_->setText(QString::fromStdString(game.CurPlayerName));
    year_->setText(QString::number(game.Year));
    const bool grid = game.GameMode == ModeLocal && game.PeopleCount > 1;
    grid_->setVisible(grid);
    timeCaption_->setVisible(grid);
    if (grid) {
        grid_->setRowCount(game.PeopleCount);
        for (int i = 1; i <= game.PeopleCount; ++i)
            for (int s = 1; s <= game.GosCount; ++s) {
                if (game.mGos[s].Human != i) continue;
                grid_->setItem(i - 1, 1, new QTableWidgetItem(QString::fromStdString(game.mGos[s].PlayerName.utf8())));
                grid_->setItem(i - 1, 2, new QTableWidgetItem(TimeOfDayText(game.mGos[s].TimeSpent)));
            }
    }
}

}  // namespace korvant
