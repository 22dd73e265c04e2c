#include "ui/screen/information_tab_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "map/map_painter.h"
#include "map/readable_text.h"
#include "screen/battle_report_search.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {
namespace {

QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QTextEdit* Box() {
    auto* b = new QTextEdit;
    b->setReadOnly(true);
    b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return b;
}

QLabel* Large(const char* colour) {
    auto* l = new QLabel;
    l->setStyleSheet(QString("font-size: 20pt; font-weight: bold; color: %1;").arg(colour));
    return l;
}

// The state's name keeps its colour over the picture on a backing that contrasts with it:
// light behind dark colours (navy, black), dark behind light ones (yellow, white-grey).
// The name on a plate of the state's colour, in black or white as reads better on it.
QString NameStyle(Rgb colour) {
    const Rgb text = TextColourOn(colour);
    return QString("font-size: 20pt; font-weight: bold; color: %1; background: %2; padding: 0 6px; border-radius: 4px;")
        .arg(QColor(text.r, text.g, text.b).name(), QColor(colour.r, colour.g, colour.b).name());
}

}  // namespace

TInformationTab::TInformationTab(TLanguageFile& lang, Game& game, QWidget* parent)
    : TPicturePage(parent), lang_(lang), game_(game) {
    auto* g = new QGridLayout(this);
    achievementsCaption_ = new QLabel;
    battlesCaption_ = new QLabel;
    chronicleCaption_ = new QLabel;
    yearCaption_ = Large("blue");
    achievements_ = Box();
    battles_ = Box();
    chronicle_ = Box();
    year_ = Large("blue");
    state_ = Large("black");
    person_ = Large("blue");
    report_ = new QPushButton("<..>");
    save_ = new QPushButton;
    settings_ = new QPushButton;
    for (QLabel* l : {achievementsCaption_, battlesCaption_, chronicleCaption_}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setAutoFillBackground(true);  // readable over the picture
    }

    g->addWidget(achievementsCaption_, 0, 0);
    g->addWidget(achievements_, 1, 0, 1, 2);
    g->addWidget(battlesCaption_, 2, 0);
    g->addWidget(report_, 2, 1, Qt::AlignRight);
    g->addWidget(battles_, 3, 0, 1, 2);

    auto* side = new QGridLayout;
    side->addWidget(yearCaption_, 0, 0);
    side->addWidget(year_, 0, 1);
    side->addWidget(state_, 1, 0, 1, 2, Qt::AlignLeft);
    side->addWidget(person_, 2, 0, 1, 2);
    side->addWidget(chronicleCaption_, 3, 0, 1, 2);
    side->addWidget(chronicle_, 4, 0, 1, 2);
    side->addWidget(save_, 5, 0, 1, 2);
    side->addWidget(settings_, 6, 0, 1, 2);
    g->addLayout(side, 0, 2, 4, 1);
    g->setColumnStretch(0, 3);
    g->setColumnStretch(2, 2);

    connect(report_, &QPushButton::clicked, this, &TInformationTab::NextBattleReport);
    ApplyTexts();
}

void TInformationTab::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    achievementsCaption_->setText(t(Msg::YearAchievements));
    battlesCaption_->setText(t(Msg::MilitaryActions));
    report_->setToolTip(t(Msg::BattleResultsHint));
    chronicleCaption_->setText(t(Msg::InformationBattles));
    yearCaption_->setText(t(Msg::InformationYear));
    save_->setText(t(Msg::InformationSave));
    settings_->setText(t(Msg::InformationSettings));
}

void TInformationTab::Fill() {
    const Game& game = game_;
    const TGos& S = game.mGos[game.CurGos];
    year_->setText(QString::number(game.Year));
    state_->setText(QString::fromStdString(S.Name.utf8()));
    const Rgb c = StateColour(game.CurGos);
    state_->setStyleSheet(NameStyle(c));
    person_->setText(QString::fromStdString(S.PlayerName.utf8()));

    achievements_->clear();
    battles_->clear();
    chronicle_->clear();
    for (const TMesRec& m : game.MesList.entries()) {
        if (m.Gos != game.CurGos) continue;
        QTextEdit* box = m.Kind == MesForState ? achievements_ : m.Kind == MesBattle ? battles_ : nullptr;
        if (!box) continue;
        box->setTextColor(FromColorRef(m.Color));
        box->append(ShownText(m.Text.utf8()));
    }
    chronicle_->setTextColor(Qt::black);
    chronicle_->append(ShownText(game.Chronicle));
    // The search starts from the end, so the first press finds the first report.
    battles_->moveCursor(QTextCursor::End);
    NextBattleReport();
}

void TInformationTab::NextBattleReport() {
    const QString text = battles_->toPlainText();
    const QString marker = ShownText(game_.Msg(Msg::BattleReportMarker));
    QTextCursor cursor = battles_->textCursor();
    const ReportSelection now{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
    const ReportSelection next = korvant::NextBattleReport(text.toStdU16String(), marker.toStdU16String(), now);
    if (next == now && (text.isEmpty() || marker.isEmpty())) return;
    cursor.setPosition(next.start);
    cursor.setPosition(next.start + next.length, QTextCursor::KeepAnchor);
    battles_->setTextCursor(cursor);
    // The report is read from its first line: that line goes to the top of the box, whichever
    // way the box had to scroll to show the selection.
    QTextCursor start(battles_->document());
    start.setPosition(next.start);
    QScrollBar* bar = battles_->verticalScrollBar();
    bar->setValue(bar->value() + battles_->cursorRect(start).top());
    battles_->setFocus();
}

}  // namespace korvant
