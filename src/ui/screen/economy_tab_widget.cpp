#include "ui/screen/economy_tab_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/app/game_windows_qt.h"
#include "app/language_file.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/app/window_ui_qt.h"
#include "core/text_format.h"
#include "ui/screen/order_panel_widget.h"
#include "sim/economy.h"

namespace korvant {
namespace {

QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Staff StaffOf(TEconomyTab::Order o) {
    return o == TEconomyTab::TrainScientists || o == TEconomyTab::DismissScientists ? Staff::Scientists
                                                                                      : Staff::Soldiers;
}

// Resource panel rows: message id of the caption and its group (0 resources, 1 growth, 2 expenses).
struct RowSpec {
    int id;
    const char* text;
    int group;
};
constexpr RowSpec Rows[] = {
    {1533, "Всего людей:", 0}, {1534, "Крестьян:", 0},   {1535, "Учёных:", 0},
    {1536, "Солдат:", 0},      {1537, "Территория:", 0}, {1538, "Мах число|населения:", 0},
    {1539, "Деньги:", 0},      {1540, "Зерно:", 0},      {-1540, "Зерно:", 1},
    {1541, "Население:", 1},   {1542, "Наука:", 2},      {1543, "Армия:", 2},
};

}  // namespace

TEconomyTab::TEconomyTab(GameWindows& app, QWidget* parent) : TPicturePage(parent), app_(app) {
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
        Row row{r.id, new QLabel, new QLabel};
        row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rg->addWidget(row.caption, line, 0);
        rg->addWidget(row.value, line++, 1);
        rows_.push_back(row);
    }
    groups_[3] = new QLabel;
    QFont bold = groups_[3]->font();
    bold.setBold(true);
    groups_[3]->setFont(bold);
    Row balance{1532, groups_[3], new QLabel};
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

Game& TEconomyTab::game() const { return app_.TheGame(); }
int TEconomyTab::gos() const { return app_.TheGame().CurGos; }

void TEconomyTab::ApplyTexts() {
    const TLanguageFile& l = app_.Lang();
    auto t = [&](int id, const char* def) { return ShownText(l.Lookup(id, def)); };
    groups_[0]->setText(t(1529, "Ваши ресурсы"));
    groups_[1]->setText(t(1530, "Прирост"));
    groups_[2]->setText(t(1531, "Расходы"));
    for (Row& r : rows_) {
        if (r.id == 1532) continue;
        for (const RowSpec& spec : Rows)
            if (spec.id == r.id) r.caption->setText(t(r.id < 0 ? -r.id : r.id, spec.text));
    }
    // The growth row's grain shares the resource row's caption.
    for (Row& r : rows_)
        if (r.id == -1540) r.caption->setText(t(1540, "Зерно:"));
    groups_[3]->setText(t(1532, "Баланс"));
    struct Heading {
        int id, hintId;
        const char *text, *hint;
    };
    static const Heading headings[OrderCount] = {
        {1514, 1521, "Засев зерна", "Посеять зерно, чтобы потом собрать урожай"},
        {1515, 1522, "Продажа зерна", "Продать зерно за деньги"},
        {1516, 1523, "Покупка зерна", "Купите зерно, если Вы случайно все продали"},
        {1517, 1524, "Подготовка ученых  из крестьян", "Часть крестьян сделать учеными"},
        {1518, 1525, "Подготовка солдат из крестьян", "Часть крестьян сделать солдатами"},
        {1519, 1526, "Перевод ученых в крестьяне", "Свободных ученых перевести в крестьяне"},
        {1520, 1527, "Перевод солдат в крестьяне", "Солдат перевести в крестьяне"},
    };
    for (int o = 0; o < OrderCount; ++o) {
        const Heading& h = headings[o];
        panels_[std::size_t(o)]->SetHeading(t(h.id, h.text), t(h.hintId, h.hint));
    }
    seedCaption_->setText(t(1528, "Уйдёт зерна:"));
    std::vector<std::string> lines;
    if (l.IntroText(1, lines)) {
        QStringList shown;
        for (const std::string& s : lines) shown << ShownText(s);
        scroll_->SetLines(shown);
    }
    SetHintsShown(app_.CurrentSettings().ShowHint);
}

void TEconomyTab::SetHintsShown(bool on) {
    const TLanguageFile& l = app_.Lang();
    for (TOrderPanel* p : panels_) p->SetHintsShown(on);
    // The wage and balance hints explain the numbers and stay on.
    Value(1542)->setToolTip("Расходы на ученых");
    Value(1543)->setToolTip("Расходы на армию");
    Value(1532)->setToolTip(ShownText(l.Lookup(1544, "Ожидаемая прибыль")));
}

QLabel* TEconomyTab::Value(int id) const {
    for (const Row& r : rows_)
        if (r.id == id) return r.value;
    return nullptr;
}

void TEconomyTab::Refresh() {
    const Game& g = game();
    const int s = gos();
    const TGos& S = g.mGos[s];
    const EconomyOutlook o = OutlookOf(g, s);
    auto n = [](int64_t v) { return QString::number(v); };
    auto money = [](int64_t v) { return QString::fromStdString(MoneyText(v)); };
    Value(1533)->setText(n(o.population));
    Value(1534)->setText(n(S.Peasants));
    Value(1535)->setText(n(S.Scientists));
    Value(1536)->setText(n(S.Soldiers));
    Value(1537)->setText(n(S.Territory));
    Value(1538)->setText(n(o.maxPopulation));
    Value(1539)->setText(money(S.Money));
    Value(1540)->setText(n(S.Grain));
    Value(-1540)->setText(n(o.harvest));
    Value(1541)->setText(n(o.growth));
    Value(1542)->setText(money(o.scienceWages));
    Value(1543)->setText(money(o.armyWages));
    QLabel* balance = Value(1532);
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
    const TLanguageFile& l = app_.Lang();
    const QString people = QString::number(amount) + " " + ShownText(l.Lookup(1166, "чел."));
    auto money = [](int64_t v) { return QString::fromStdString(MoneyText(v)); };
    switch (o) {
    case SowOrder:
        p->SetAmountText(QString::number(amount) + " " + ShownText(l.Lookup(1165, "кв.км")));
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
    case DismissSoldiers:
        p->SetAmountText(people);
        break;
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
        if (SowableCells(g, s) >= 1 &&
            !g.Ui->AskYesNo(g.Msg(3112, "Вы уверены, что не хотите сначала обработать землю ?")))
            return;
        SellGrain(g, s, amount);
        break;
    case BuyOrder:
        BuyGrain(g, s, amount);
        break;
    case TrainScientists:
    case TrainSoldiers:
        if (!Train(g, s, StaffOf(o), amount)) {
            g.Ui->MessageBox(g.Msg(3113, "У Вас недостаточно денег!"));
            return;
        }
        break;
    case DismissScientists:
    case DismissSoldiers: {
        if (amount == 0) return;
        const std::string question = o == DismissScientists
                                         ? g.Msg(3114, "Вы уверены, что хотите уволить %d {учёного/учёных/учёных}?")
                                         : g.Msg(3115, "Вы уверены, что хотите уволить %d {солдата/солдат/солдат}?");
        if (!g.Ui->AskYesNo(FormatText(question, {Dec(amount)}))) return;
        Dismiss(g, s, StaffOf(o), amount);
        break;
    }
    }
    Refresh();
}

void TEconomyTab::affordable(Order o) {
    TOrderPanel* p = panels_[o];
    if (p->Maximum() <= 0) return;
    p->SetAmount(int(AffordableTraining(game(), gos(), StaffOf(o), 0, p->Maximum())));
}

}  // namespace korvant
