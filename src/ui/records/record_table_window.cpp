#include "ui/records/record_table_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "records/hall_of_fame.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {

namespace {

constexpr int Columns = 8;

QTableWidget* MakeTable(int rows) {
    auto* t = new QTableWidget(rows, Columns);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return t;
}

}  // namespace

TRecordTable::TRecordTable(TLanguageFile& lang, Game& game, std::filesystem::path hallOfFame, QWidget* parent)
    : QDialog(parent), lang_(lang), game_(game), hallOfFame_(std::move(hallOfFame)) {
    resize(1000, 540);
    auto* g = new QGridLayout(this);
    title_ = new QLabel;
    title_->setAlignment(Qt::AlignCenter);
    title_->setStyleSheet("font-size: 22pt; font-weight: bold; color: #7a4a00;");
    table_ = MakeTable(HallPlaces);
    table_->setMinimumHeight(280);
    lastCaption_ = new QLabel;
    last_ = MakeTable(1);
    last_->horizontalHeader()->hide();
    last_->setFixedHeight(40);
    rule_ = new QLabel;
    rule_->setAlignment(Qt::AlignCenter);
    rule_->setWordWrap(true);
    ruleBelow_ = new QLabel;
    ruleBelow_->setAlignment(Qt::AlignCenter);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    auto* buttons = new QHBoxLayout;
    reset_ = new QPushButton(QString::fromUtf8("Х"));
    webLabel_ = new QLabel;
    web_ = new QPushButton("WWW");
    exit_ = new QPushButton;
    buttons->addWidget(reset_);
    buttons->addStretch(1);
    buttons->addWidget(webLabel_);
    buttons->addWidget(web_);
    buttons->addStretch(1);
    buttons->addWidget(exit_);
    g->addWidget(title_, 0, 0);
    g->addWidget(table_, 1, 0);
    g->addWidget(lastCaption_, 2, 0);
    g->addWidget(last_, 3, 0);
    g->addWidget(rule_, 4, 0);
    g->addWidget(line, 5, 0);
    g->addWidget(ruleBelow_, 6, 0);
    g->addLayout(buttons, 7, 0);

    connect(reset_, &QPushButton::clicked, this, &TRecordTable::ResetClicked);
    connect(web_, &QPushButton::clicked, this, [this] {
        const TLanguageFile& l = lang_;
        QMessageBox::information(this, windowTitle(),
                                 ShownText(l.Lookup(Msg::ExpertAccessCode) + l.Lookup(Msg::ReportYourRecord)));
    });
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
    ApplyTexts();
}

void TRecordTable::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    setWindowTitle(t(Msg::HallOfFameTitle));
    title_->setText(t(Msg::HallOfFameHeading));
    exit_->setText(t(Msg::HallOfFameExit));
    webLabel_->setText(t(Msg::HallOfFameWebLink));
    QStringList headers;
    for (int i = 0; i < Columns; ++i) headers << t(MsgAt(Msg::FameRulerColumn, i));
    table_->setHorizontalHeaderLabels(headers);
    last_->setHorizontalHeaderLabels(headers);
    lastCaption_->setText(t(Msg::LastGameCaption));
    rule_->setText(t(Msg::ScoreRule));
    ruleBelow_->setText(t(Msg::ScoreRuleBelow));
    reset_->setToolTip(t(Msg::DefaultRecordsHint));
}

void TRecordTable::fill(QTableWidget* t, int row, int entry, const void* table) {
    const auto& hall = *static_cast<const THallTable*>(table);
    std::array<std::string, 8> cells = HallRow(hall[entry]);
    cells[0] = HallName(game_, hall[entry]);
    for (int c = 0; c < Columns; ++c) {
        auto* item = new QTableWidgetItem(QString::fromStdString(cells[std::size_t(c)]));
        item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        t->setItem(row, c, item);
    }
}

bool TRecordTable::Redraw() {
    std::optional<THallTable> hall = ReadHallOfFame(game_, hallOfFame_);
    if (!hall) return false;
    for (int e = 1; e <= HallPlaces; ++e) fill(table_, e - 1, e, &*hall);
    fill(last_, 0, LastGameEntry, &*hall);
    return true;
}

void TRecordTable::Show() {
    Redraw();
    exec();
}

void TRecordTable::ResetClicked() {
    if (!game_.Ui->AskYesNo(lang_.Lookup(Msg::AskClearRecords))) return;
    if (ResetHallOfFame(game_, hallOfFame_)) Redraw();
}

}  // namespace korvant
