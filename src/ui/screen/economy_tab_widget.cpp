#include "ui/screen/economy_tab_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "core/text_format.h"
#include "sim/economy.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/app/window_ui_qt.h"
#include "ui/screen/order_panel_widget.h"

namespace korvant {
namespace {

QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Staff StaffOf(TEconomyTab::Order o) {
    return o == TEconomyTab::TrainScientists || o == TEconomyTab::DismissScientists ? Staff::Scientists
                                                                                    : Staff::Soldiers;
}

// Resource panel rows: the caption and its group (0 resources, 1 growth, 2 expenses, 3 the balance).
struct RowSpec {
    Msg caption;
    int group;
};
constexpr int GrowthGroup = 1, BalanceGroup = 3;
constexpr RowSpec Rows[] = {
    {Msg::TotalPeopleLabel, 0},     {Msg::PeasantsLabel, 0},      {Msg::ScientistsLabel, 0}, {Msg::SoldiersLabel, 0},
    {Msg::TerritoryLabel, 0},       {Msg::MaxPopulationLabel, 0}, {Msg::MoneyLabel, 0},      {Msg::GrainLabel, 0},
    {Msg::GrainLabel, GrowthGroup}, {Msg::PopulationLabel, 1},    {Msg::ScienceLabel, 2},    {Msg::ArmyLabel, 2},
};

}  // namespace

TEconomyTab::TEconomyTab(TLanguageFile& lang, Game& game, const Settings& settings, QWidget* parent)
    : TPicturePage(parent), lang_(lang), game_(game), programSettings_(settings) {
    auto* top = new QHBoxLayout(this);
    auto* resources = new QFrame;
    resources->setFrameShape(QFrame::StyledPanel);
    resources->setAutoFillBackground(true);
    resources->setMinimumWidth(200);
    auto* rg = new QGridLayout(resources);
    int line = 0;
    int lastGroup = -1;
    for (const RowSpec& r : Rows) {
        if (r.group != lastGroup) {
            lastGroup = r.group;
            groups_[std::size_t(r.group)] = new QLabel;
            QFont f = groups_[std::size_t(r.group)]->font();
            f.setBold(true);
            groups_[std::size_t(r.group)]->setFont(f);
            rg->addWidget(groups_[std::size_t(r.group)], line++, 0, 1, 2);
        }
        Row row{r.caption, r.group, new QLabel, new QLabel};
        row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rg->addWidget(row.caption, line, 0);
        rg->addWidget(row.value, line++, 1);
        rows_.push_back(row);
    }
    groups_[3] = new QLabel;
    QFont bold = groups_[3]->font();
    bold.setBold(true);
    groups_[3]->setFont(bold);
    Row balance{Msg::BalanceHeading, BalanceGroup, groups_[BalanceGroup], new QLabel};
    balance.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    balance.value->setFont(bold);
    rg->addWidget(balance.caption, line, 0);
    rg->addWidget(balance.value, line++, 1);
    rows_.push_back(balance);
    rg->setRowStretch(line, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(resources, 3);
    scroll_ = new TScrollText;
    scroll_->setMinimumHeight(120);
    left->addWidget(scroll_, 2);
    top->addLayout(left, 1);

    auto* orders = new QGridLayout;
    for (int o = 0; o < OrderCount; ++o) {
        const auto order = Order(o);
        auto* p = new TOrderPanel(order == BuyOrder ? TOrderPanel::Max::MovesOnly : TOrderPanel::Max::Orders,
                                  order == TrainScientists || order == TrainSoldiers);
        p->setAutoFillBackground(true);
        panels_[std::size_t(o)] = p;
        orders->addWidget(p, o / 2, o % 2);
        connect(p, &TOrderPanel::AmountChanged, this, [this, order](int a) { amountChanged(order, a); });
        connect(p, &TOrderPanel::Ordered, this, [this, order] { ordered(order); });
        connect(p, &TOrderPanel::AffordableClicked, this, [this, order] { affordable(order); });
    }
    seedCaption_ = new QLabel;
    top->addLayout(orders, 2);
    ApplyTexts();
}

Game& TEconomyTab::game() const { return game_; }
int TEconomyTab::gos() const { return game_.CurGos; }

void TEconomyTab::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    groups_[0]->setText(t(Msg::YourResources));
    groups_[1]->setText(t(Msg::GrowthHeading));
    groups_[2]->setText(t(Msg::ExpensesHeading));
    for (Row& r : rows_) r.caption->setText(t(r.id));
    struct Heading {
        Msg text, hint;
    };
    static const Heading headings[OrderCount] = {
        {Msg::SowOrder, Msg::SowOrderHint},
        {Msg::SellOrder, Msg::SellOrderHint},
        {Msg::BuyOrder, Msg::BuyOrderHint},
        {Msg::TrainScientistsOrder, Msg::TrainScientistsHint},
        {Msg::TrainSoldiersOrder, Msg::TrainSoldiersHint},
        {Msg::ScientistsToPeasantsOrder, Msg::ScientistsToPeasantsHint},
        {Msg::SoldiersToPeasantsOrder, Msg::SoldiersToPeasantsHint},
    };
    for (int o = 0; o < OrderCount; ++o) {
        const Heading& h = headings[o];
        panels_[std::size_t(o)]->SetHeading(t(h.text), t(h.hint));
    }
    seedCaption_->setText(t(Msg::SeedGrainNeeded));
    std::vector<std::string> lines;
    if (l.IntroText(1, lines)) {
        QStringList shown;
        for (const std::string& s : lines) shown << ShownText(s);
        scroll_->SetLines(shown);
    }
    SetHintsShown(programSettings_.ShowHint);
}

void TEconomyTab::SetHintsShown(bool on) {
    const TLanguageFile& l = lang_;
    for (TOrderPanel* p : panels_) p->SetHintsShown(on);
    // The wage and balance hints explain the numbers and stay on.
    Value(Msg::ScienceLabel)->setToolTip("Расходы на ученых");
    Value(Msg::ArmyLabel)->setToolTip("Расходы на армию");
    Value(Msg::BalanceHeading)->setToolTip(ShownText(l.Lookup(Msg::ExpectedProfitHint)));
}

QLabel* TEconomyTab::Value(Msg id) const {
    for (const Row& r : rows_)
        if (r.id == id) return r.value;
    return nullptr;
}

QLabel* TEconomyTab::HarvestValue() const {
    for (const Row& r : rows_)
        if (r.id == Msg::GrainLabel && r.group == GrowthGroup) return r.value;
    return nullptr;
}

void TEconomyTab::Refresh() {
    const Game& g = game();
    const int s = gos();
    const TGos& S = g.mGos[s];
    const EconomyOutlook o = OutlookOf(g, s);
    auto n = [](int64_t v) { return QString::number(v); };
    auto money = [](int64_t v) { return QString::fromStdString(MoneyText(v)); };
    Value(Msg::TotalPeopleLabel)->setText(n(o.population));
    Value(Msg::PeasantsLabel)->setText(n(S.Peasants));
    Value(Msg::ScientistsLabel)->setText(n(S.Scientists));
    Value(Msg::SoldiersLabel)->setText(n(S.Soldiers));
    Value(Msg::TerritoryLabel)->setText(n(S.Territory));
    Value(Msg::MaxPopulationLabel)->setText(n(o.maxPopulation));
    Value(Msg::MoneyLabel)->setText(money(S.Money));
    Value(Msg::GrainLabel)->setText(n(S.Grain));
    HarvestValue()->setText(n(o.harvest));
    Value(Msg::PopulationLabel)->setText(n(o.growth));
    Value(Msg::ScienceLabel)->setText(money(o.scienceWages));
    Value(Msg::ArmyLabel)->setText(money(o.armyWages));
    QLabel* balance = Value(Msg::BalanceHeading);
    balance->setText(money(o.profit));
    balance->setStyleSheet(QString("color: %1;").arg(FromColorRef(BalanceColour(o.profit)).name()));

    panels_[SowOrder]->Reset(int(o.sowable));
    if (o.sowable == 0) emit NextAllowed();
    panels_[BuyOrder]->Reset(int(PurchaseLimit(g, s)));
    panels_[SellOrder]->Heading()->setStyleSheet(o.sowable > 0 ? "color: #FF0000;" : "color: black;");
    panels_[SellOrder]->Reset(std::max(0, S.Grain));
    panels_[TrainScientists]->Reset(int(TrainingLimit(g, s, Staff::Scientists)));
    panels_[TrainSoldiers]->Reset(int(TrainingLimit(g, s, Staff::Soldiers)));
    panels_[DismissScientists]->Reset(std::max(0, S.FreeScientists));
    panels_[DismissSoldiers]->Reset(std::max(0, S.FreeSoldiers));
}

void TEconomyTab::amountChanged(Order o, int amount) {
    const Game& g = game();
    const int s = gos();
    TOrderPanel* p = panels_[o];
    const TLanguageFile& l = lang_;
    const QString people = QString::number(amount) + " " + ShownText(l.Lookup(Msg::PeopleUnit));
    auto money = [](int64_t v) { return QString::fromStdString(MoneyText(v)); };
    switch (o) {
        case SowOrder:
            p->SetAmountText(QString::number(amount) + " " + ShownText(l.Lookup(Msg::SquareKm)));
            p->SetDerivedText(seedCaption_->text() + " " + QString::number(SeedGrain(g, s, amount)));
            break;
        case SellOrder:
            p->SetAmountText(QString::number(amount));
            p->SetDerivedText(money(SaleValue(g, s, amount)));
            break;
        case BuyOrder:
            p->SetAmountText(QString::number(amount));
            p->SetDerivedText(money(PurchaseCost(g, s, amount)));
            break;
        case TrainScientists:
        case TrainSoldiers: {
            const int64_t cost = TrainingCost(amount);
            p->SetAmountText(people);
            p->SetDerivedText(money(cost), FromColorRef(TrainingCostColour(g, s, cost)));
            break;
        }
        case DismissScientists:
        case DismissSoldiers: p->SetAmountText(people); break;
    }
}

void TEconomyTab::ordered(Order o) {
    Game& g = game();
    const int s = gos();
    const int amount = panels_[o]->Amount();
    switch (o) {
        case SowOrder:
            emit NextAllowed();
            Sow(g, s, amount);
            break;
        case SellOrder:
            if (SowableCells(g, s) >= 1 && !g.Ui->AskYesNo(g.Msg(Msg::AskSkipSowing))) return;
            SellGrain(g, s, amount);
            break;
        case BuyOrder: BuyGrain(g, s, amount); break;
        case TrainScientists:
        case TrainSoldiers:
            if (!Train(g, s, StaffOf(o), amount)) {
                g.Ui->MessageBox(g.Msg(Msg::NotEnoughMoney));
                return;
            }
            break;
        case DismissScientists:
        case DismissSoldiers: {
            if (amount == 0) return;
            const std::string question =
                o == DismissScientists ? g.Msg(Msg::AskDismissScientists) : g.Msg(Msg::AskDismissSoldiers);
            if (!g.Ui->AskYesNo(FormatText(question, {Dec(amount)}))) return;
            Dismiss(g, s, StaffOf(o), amount);
            break;
        }
    }
    if (o == TrainScientists || o == DismissScientists) emit ScientistsChanged();
    Refresh();
}

void TEconomyTab::affordable(Order o) {
    TOrderPanel* p = panels_[o];
    if (p->Maximum() <= 0) return;
    p->SetAmount(int(AffordableTraining(game(), gos(), StaffOf(o), 0, p->Maximum())));
}

}  // namespace korvant
