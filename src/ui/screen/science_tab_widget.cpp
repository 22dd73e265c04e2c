#include "ui/screen/science_tab_widget.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "screen/science_orders.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {
namespace {

// Panels in two columns of three: density, growth, agrarian on the left; finance, military
// training, scientific level on the right.
constexpr int Layout[6][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}};

// Each science's title and the caption of its effect.
struct ScienceTexts {
    Msg title;
    Msg effect;
};
constexpr ScienceTexts Texts[6] = {
    {Msg::ScienceDensity, Msg::DensityEffect},         {Msg::ScienceGrowth, Msg::GrowthEffect},
    {Msg::ScienceAgriculture, Msg::AgricultureEffect}, {Msg::ScienceFinance, Msg::FinanceEffect},
    {Msg::ScienceMilitary, Msg::MilitaryEffect},       {Msg::ScienceResearch, Msg::ResearchEffect},
};

QPushButton* Button() {
    auto* b = new QPushButton;
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TScienceTab::TScienceTab(TLanguageFile& lang, Game& game, QWidget* parent)
    : TPicturePage(parent), lang_(lang), game_(game) {
    auto* top = new QGridLayout(this);
    for (int sc = 1; sc <= ScienceCount; ++sc) {
        Panel p{};
        p.box = new QGroupBox;
        p.box->setAutoFillBackground(true);
        auto* grid = new QGridLayout(p.box);
        grid->setVerticalSpacing(2);
        p.levelCaption = new QLabel;
        p.level = new QLabel;
        p.effectCaption = new QLabel;
        p.effect = new QLabel;
        p.yearsBefore = new QLabel;
        p.years = new QLabel;
        p.yearsAfter = new QLabel;
        for (QLabel* v : {p.level, p.effect, p.years}) {
            QFont f = v->font();
            f.setBold(true);
            v->setFont(f);
        }
        p.gauge = new QProgressBar;
        p.gauge->setTextVisible(false);
        p.gauge->setMaximumHeight(12);
        p.spin = new QSpinBox;
        // Arrows only: the staff is never typed.
        if (auto* edit = p.spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
        p.spin->setMinimumWidth(80);
        p.oneYear = Button();
        p.max = Button();
        p.max->setText("Max");
        p.min = Button();
        p.min->setText("Min");
        auto* years = new QHBoxLayout;
        years->addWidget(p.yearsBefore);
        years->addWidget(p.years);
        years->addWidget(p.yearsAfter);
        years->addStretch(1);
        auto* staff = new QHBoxLayout;
        staff->addWidget(p.spin);
        staff->addWidget(p.oneYear);
        staff->addWidget(p.max);
        staff->addWidget(p.min);
        staff->addStretch(1);
        grid->addWidget(p.levelCaption, 0, 0);
        grid->addWidget(p.level, 0, 1);
        grid->addWidget(p.effectCaption, 1, 0);
        grid->addWidget(p.effect, 1, 1);
        grid->addLayout(years, 2, 0, 1, 2);
        grid->addWidget(p.gauge, 3, 0, 1, 2);
        grid->addLayout(staff, 4, 0, 1, 2);
        grid->setColumnStretch(0, 1);
        top->addWidget(p.box, Layout[sc - 1][0], Layout[sc - 1][1]);
        panels_[std::size_t(sc - 1)] = p;

        connect(p.spin, &QSpinBox::valueChanged, this, [this, sc](int v) { spinChanged(sc, v); });
        connect(p.oneYear, &QPushButton::clicked, this, [this, sc] {
            Game& g = game_;
            if (StaffOneYear(g, g.CurGos, sc)) showStaff(sc, g.mGos[g.CurGos].Science[sc].Staff);
            Refresh();
        });
        connect(p.max, &QPushButton::clicked, this, [this, sc] {
            Game& g = game_;
            StaffAll(g, g.CurGos, sc);
            showStaff(sc, g.mGos[g.CurGos].Science[sc].Staff);
            Refresh();
        });
        connect(p.min, &QPushButton::clicked, this, [this, sc] {
            Game& g = game_;
            StaffNone(g, g.CurGos, sc);
            showStaff(sc, 0);
            Refresh();
        });
    }
    auto* bottom = new QHBoxLayout;
    freeCaption_ = new QLabel;
    freeCaption_->setAutoFillBackground(true);
    free_ = new QLabel;
    free_->setAutoFillBackground(true);
    QFont f = free_->font();
    f.setBold(true);
    free_->setFont(f);
    // Room for any count of free scientists, so the button and the help beside it stay put.
    free_->setMinimumWidth(QFontMetrics(f).horizontalAdvance(QStringLiteral("0000000")));
    free_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    freeAll_ = Button();
    scroll_ = new TScrollText;
    scroll_->setMinimumHeight(70);
    bottom->addWidget(freeCaption_, 0, Qt::AlignVCenter);
    bottom->addWidget(free_, 0, Qt::AlignVCenter);
    bottom->addWidget(freeAll_, 0, Qt::AlignVCenter);
    bottom->addWidget(scroll_, 1);
    top->addLayout(bottom, 3, 0, 1, 2);
    connect(freeAll_, &QPushButton::clicked, this, [this] {
        Game& g = game_;
        FreeAllScientists(g, g.CurGos);
        for (int sc = 1; sc <= ScienceCount; ++sc) showStaff(sc, 0);
        Refresh();
    });
    ApplyTexts();
}

void TScienceTab::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    // The number goes into the gap of the years caption.
    const QString years = t(Msg::DiscoveredWithin);
    const int gap = years.indexOf("  ");
    const QString before = gap < 0 ? years : years.left(gap).trimmed();
    const QString after = gap < 0 ? QString() : years.mid(gap).trimmed();
    for (int sc = 1; sc <= ScienceCount; ++sc) {
        const Panel& p = panel(sc);
        const ScienceTexts& s = Texts[sc - 1];
        p.box->setTitle(t(s.title));
        p.levelCaption->setText(t(Msg::CurrentLevel));
        p.effectCaption->setText(t(s.effect));
        p.yearsBefore->setText(before + " ");
        p.yearsAfter->setText(" " + after);
        p.oneYear->setText(t(Msg::OneYearButton));
    }
    freeCaption_->setText(t(Msg::FreeScientists));
    freeAll_->setText(t(Msg::FreeAllButton));
    freeAll_->setToolTip(t(Msg::FreeAllHint));
}

void TScienceTab::Open() {
    if (stale_) Recompute();
}

void TScienceTab::Recompute() {
    const Game& g = game_;
    const TGos& S = g.mGos[g.CurGos];
    bool changed = false;
    for (int sc = 1; sc <= ScienceCount; ++sc) {
        const Panel& p = panel(sc);
        const TScience& science = S.Science[sc];
        p.level->setText(QString::number(science.Level));
        p.effect->setText(QString::fromStdString(EffectText(g, g.CurGos, sc)));
        showYearsAndGauge(sc);
        const int maximum = science.Staff + std::max(0, S.FreeScientists);
        const QSignalBlocker block(p.spin);
        p.spin->setRange(0, maximum);
        p.spin->setSingleStep(SpinStep(maximum, RebuildStepDivisor));
        changed = changed || p.spin->value() != science.Staff;
        p.spin->setValue(science.Staff);
    }
    free_->setText(QString::number(S.FreeScientists));
    stale_ = false;
    // A staff that differs from what its edit showed counts as a change, which refreshes the tab.
    if (changed) Refresh();
}

void TScienceTab::Refresh() {
    const Game& g = game_;
    const TGos& S = g.mGos[g.CurGos];
    for (int sc = 1; sc <= ScienceCount; ++sc) {
        const Panel& p = panel(sc);
        const int maximum = p.spin->value() + std::max(0, S.FreeScientists);
        const QSignalBlocker block(p.spin);
        p.spin->setRange(0, maximum);
        p.spin->setSingleStep(SpinStep(maximum, ChangeStepDivisor));
        showYearsAndGauge(sc);
    }
    free_->setText(QString::number(S.FreeScientists));
}

void TScienceTab::showYearsAndGauge(int sc) {
    const Game& g = game_;
    const Panel& p = panel(sc);
    const TScience& science = g.mGos[g.CurGos].Science[sc];
    p.years->setText(QString::number(YearsToNextLevel(g, g.CurGos, sc)));
    p.gauge->setRange(0, std::max(0, science.Cost));
    p.gauge->setValue(std::clamp(GaugePosition(g, g.CurGos, sc), 0, std::max(0, science.Cost)));
}

void TScienceTab::showStaff(int sc, int staff) {
    const QSignalBlocker block(panel(sc).spin);
    panel(sc).spin->setRange(0, std::max(panel(sc).spin->maximum(), staff));
    panel(sc).spin->setValue(staff);
}

void TScienceTab::spinChanged(int sc, int value) {
    Game& g = game_;
    if (!SetStaff(g, g.CurGos, sc, value)) {
        showStaff(sc, 0);
        return;
    }
    Refresh();
}

}  // namespace korvant
