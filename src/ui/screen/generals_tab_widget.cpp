#include "ui/screen/generals_tab_widget.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/app/window_ui_qt.h"
#include "ui/screen/colour_ref.h"

namespace korvant {
namespace {

constexpr HiringRange Ranges[TGeneralsTab::ControlCount] = {AgeRange, KnowledgeRange, MarkRange, SpeedRange};

QLabel* Bold(QLabel* l, int points = 0) {
    QFont f = l->font();
    f.setBold(true);
    if (points > 0) f.setPointSize(points);
    l->setFont(f);
    return l;
}

}  // namespace

TGeneralsTab::TGeneralsTab(TLanguageFile& lang, Game& game, QWidget* parent)
    : TPicturePage(parent), lang_(lang), game_(game) {
    auto* top = new QHBoxLayout(this);
    auto* form = new QFrame;
    form->setFrameShape(QFrame::StyledPanel);
    form->setAutoFillBackground(true);
    auto* g = new QGridLayout(form);
    int line = 0;
    for (int c = 0; c < ControlCount; ++c) {
        const HiringRange r = Ranges[c];
        Row row{Bold(new QLabel), new QSlider(Qt::Horizontal), new QLabel(QString::number(r.min)),
                new QLabel(QString::number(r.max)), Bold(new QLabel)};
        row.bar->setRange(r.min, r.max);
        row.bar->setMinimumWidth(260);
        if (r.tick > 0) {
            row.bar->setTickPosition(QSlider::TicksBelow);
            row.bar->setTickInterval(r.tick);
        }
        row.bar->setPageStep(std::max(1, r.tick));
        row.value->setMinimumWidth(40);
        g->addWidget(row.caption, line++, 0, 1, 4);
        g->addWidget(row.min, line, 0, Qt::AlignRight);
        g->addWidget(row.bar, line, 1);
        g->addWidget(row.max, line, 2);
        g->addWidget(row.value, line++, 3);
        rows_[std::size_t(c)] = row;
        connect(row.bar, &QSlider::valueChanged, this, [this, c](int v) {
            rows_[std::size_t(c)].value->setText(QString::number(v));
            RecomputePrice();
        });
    }
    nameCaption_ = Bold(new QLabel);
    name_ = new QLineEdit;
    name_->setMaxLength(NameCapacity);
    g->addWidget(nameCaption_, line++, 0, 1, 4);
    g->addWidget(name_, line++, 1);
    priceCaption1_ = Bold(new QLabel);
    priceCaption2_ = Bold(new QLabel);
    price_ = Bold(new QLabel, 16);
    buy_ = new QPushButton;
    buy_->setAutoDefault(false);
    g->addWidget(priceCaption1_, line++, 0, 1, 4);
    g->addWidget(priceCaption2_, line, 0, 1, 2);
    g->addWidget(price_, line++, 2, 1, 2);
    g->addWidget(buy_, line++, 1);
    g->setRowStretch(line, 1);

    scroll_ = new TScrollText;
    scroll_->setMinimumWidth(260);
    top->addWidget(form, 3);
    top->addWidget(scroll_, 2);

    connect(buy_, &QPushButton::clicked, this, &TGeneralsTab::BuyClicked);
    resetBars();
    ApplyTexts();
}

void TGeneralsTab::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    rows_[AgeControl].caption->setText(t(Msg::HireAge));
    rows_[KnowledgeControl].caption->setText(t(Msg::HireMastery));
    rows_[MarkControl].caption->setText(t(Msg::HireMark));
    rows_[SpeedControl].caption->setText(t(Msg::HireSpeed));
    nameCaption_->setText(t(Msg::GeneralNameCaption));
    priceCaption1_->setText(t(Msg::SuchAGeneral));
    priceCaption2_->setText(t(Msg::WillCostYou));
    buy_->setText(t(Msg::HireButton));
}

QString TGeneralsTab::defaultName() const { return ShownText(lang_.Lookup(Msg::DefaultOrder)); }

GeneralWish TGeneralsTab::Wish() const {
    return {rows_[AgeControl].bar->value(), rows_[KnowledgeControl].bar->value(), rows_[MarkControl].bar->value(),
            rows_[SpeedControl].bar->value()};
}

void TGeneralsTab::resetBars() {
    for (Row& r : rows_) {
        r.bar->setValue(r.bar->minimum());
        r.value->setText(QString::number(r.bar->value()));
    }
}

void TGeneralsTab::Open() {
    name_->setText(defaultName());
    RecomputePrice();
}

void TGeneralsTab::RecomputePrice() {
    const Game& g = game_;
    const int price = HiringPrice(g, Wish());
    price_->setText(QString::fromStdString(std::to_string(price) + " $"));
    price_->setStyleSheet(QString("color: %1;").arg(FromColourRef(HiringPriceColour(g, g.CurGos, price)).name()));
}

void TGeneralsTab::BuyClicked() {
    Game& g = game_;
    const QString name = name_->text() == defaultName() ? QString() : name_->text();
    const HireRefusal refusal = HireGeneral(g, g.CurGos, Wish(), name.toStdString());
    if (refusal != HireRefusal::None) {
        g.Ui->MessageBox(RefusalText(g, refusal));
        return;
    }
    resetBars();
    // From the first purchase on, the speed control is marked at every tenth speed.
    rows_[SpeedControl].bar->setTickPosition(QSlider::TicksBelow);
    rows_[SpeedControl].bar->setTickInterval(SpeedTickAfterHire);
    emit Hired();
}

}  // namespace korvant
