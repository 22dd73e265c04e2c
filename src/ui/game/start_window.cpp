#include "ui/game/start_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/help_topics.h"
#include "app/language_file.h"
#include "app/settings.h"
#include "core/rule_data.h"
#include "map/map_painter.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/map/picture_image.h"

namespace korvant {

namespace {
constexpr int PreviewSize = 300;
}

TStart::TStart(TLanguageFile& lang, Game& game, const Settings& settings, bool paintRounded, Hooks hooks,
               QWidget* parent)
    : QDialog(parent),
      lang_(lang),
      game_(game),
      settings_(settings),
      paintRounded_(paintRounded),
      hooks_(std::move(hooks)) {
    auto* outer = new QVBoxLayout(this);
    panels_ = new QStackedWidget(this);
    outer->addWidget(panels_);

    // The set-up panel.
    auto* setup = new QWidget;
    auto* grid = new QGridLayout(setup);
    auto slider = [&](int lo, int hi, int step, int value) {
        auto* s = new QSlider(Qt::Horizontal);
        s->setRange(lo, hi);
        s->setSingleStep(step);
        s->setPageStep(step);
        s->setTickInterval(step);
        s->setTickPosition(QSlider::TicksBelow);
        s->setValue(value);
        return s;
    };
    statesCaption_ = new QLabel;
    states_ = slider(NewGameSetup::MinStates, NewGameSetup::MaxStatesChoice, 1, setup_.states);
    statesValue_ = new QLabel(QString::number(setup_.states));
    sizeCaption_ = new QLabel;
    size_ = slider(NewGameSetup::MinSize, NewGameSetup::MaxSize, NewGameSetup::SizeStep, setup_.size);
    sizeValue_ = new QLabel(QString::number(setup_.size));
    auto sliderRow = [&](int row, QLabel* caption, QSlider* s, QLabel* value, int lo, int hi) {
        // The limits small and grey at the slider's ends; the value apart in a box of fixed width,
        // so that the slider keeps its length whatever the value.
        auto limit = [](int n) {
            auto* l = new QLabel(QString::number(n));
            l->setStyleSheet("color: #707070; font-size: 8pt;");
            return l;
        };
        value->setAlignment(Qt::AlignCenter);
        value->setFrameShape(QFrame::StyledPanel);
        value->setStyleSheet("font-weight: bold;");
        value->setFixedWidth(value->fontMetrics().horizontalAdvance("0000") + 12);
        grid->addWidget(caption, row, 0, 1, 3);
        grid->addWidget(limit(lo), row + 1, 0, Qt::AlignRight);
        grid->addWidget(s, row + 1, 1);
        grid->addWidget(limit(hi), row + 1, 2);
        grid->addWidget(value, row + 1, 3);
    };
    sliderRow(0, statesCaption_, states_, statesValue_, NewGameSetup::MinStates, NewGameSetup::MaxStatesChoice);
    sliderRow(2, sizeCaption_, size_, sizeValue_, NewGameSetup::MinSize, NewGameSetup::MaxSize);

    personsCaption_ = new QLabel;
    persons_ = new QSpinBox;
    persons_->setRange(1, setup_.states);
    persons_->setValue(1);
    persons_->setReadOnly(false);
    persons_->findChild<QLineEdit*>()->setReadOnly(true);  // arrows only, no typing
    grid->addWidget(personsCaption_, 4, 0, 1, 2);
    grid->addWidget(persons_, 4, 2, 1, 2);

    auto* diffBox = new QGroupBox;
    difficultyBox_ = diffBox;
    auto* diffLayout = new QVBoxLayout(diffBox);
    difficulty_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton;
        difficulty_->addButton(r, i);
        diffLayout->addWidget(r);
    }
    difficulty_->button(0)->setChecked(true);
    grid->addWidget(diffBox, 5, 0, 1, 4);

    notebook_ = new QStackedWidget;
    for (QLabel*& r : rules_) {
        r = new QLabel;
        r->setWordWrap(true);
        r->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        notebook_->addWidget(r);
    }
    notebook_->addWidget(new QWidget);  // no level selected
    notebook_->setMinimumHeight(120);
    grid->addWidget(notebook_, 6, 0, 1, 4);
    diffName_ = new QLabel;
    diffName_->setStyleSheet("font-weight: bold;");
    grid->addWidget(diffName_, 7, 0, 1, 4);
    hardnessCaption_ = new QLabel;
    hardness_ = new QLabel;
    grid->addWidget(hardnessCaption_, 8, 0, 1, 2);
    grid->addWidget(hardness_, 8, 2, 1, 2);

    mapLabel_ = new QLabel;
    mapLabel_->setAlignment(Qt::AlignCenter);
    grid->addWidget(mapLabel_, 0, 4, 1, 2);
    preview_ = new QLabel;
    preview_->setFixedSize(PreviewSize, PreviewSize);
    grid->addWidget(preview_, 1, 4, 7, 2, Qt::AlignTop);

    newMap_ = new QPushButton;
    territory_ = new QPushButton;
    help_ = new QPushButton;
    exit_ = new QPushButton;
    for (QPushButton* b : {newMap_, territory_}) b->setMinimumHeight(44);
    // The window keeps its shape whether or not a map is shown.
    for (QWidget* w : {static_cast<QWidget*>(preview_), static_cast<QWidget*>(territory_)}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
    }
    grid->addWidget(newMap_, 8, 4);
    grid->addWidget(territory_, 8, 5);
    auto* bottom = new QHBoxLayout;
    scroll_ = new TScrollText;
    scroll_->setMinimumHeight(60);
    bottom->addWidget(scroll_, 1);
    bottom->addWidget(help_);
    bottom->addWidget(exit_);
    grid->addLayout(bottom, 9, 0, 1, 6);
    scroll_->setMinimumWidth(560);
    panels_->addWidget(setup);

    // The waiting panel.
    auto* waiting = new QWidget;
    auto* w = new QVBoxLayout(waiting);
    w->addStretch(1);
    for (QLabel*& l : wait_) {
        l = new QLabel;
        l->setAlignment(Qt::AlignCenter);
        w->addWidget(l);
    }
    wait_[0]->setStyleSheet("font-size: 20pt; font-weight: bold;");
    year_ = new QLabel;
    year_->setAlignment(Qt::AlignCenter);
    year_->setStyleSheet("font-size: 16pt;");
    w->insertWidget(2, year_);
    for (QProgressBar*& b : bars_) {
        b = new QProgressBar;
        b->setRange(1, 100);
        b->setValue(1);
    }
    w->insertWidget(4, bars_[0]);
    w->addWidget(bars_[1]);
    w->addStretch(1);
    panels_->addWidget(waiting);

    connect(states_, &QSlider::valueChanged, this, &TStart::statesChanged);
    connect(size_, &QSlider::valueChanged, this, &TStart::sizeChanged);
    connect(persons_, &QSpinBox::valueChanged, this, [this](int v) {
        persons_->setMaximum(states_->value());
        setup_.SetPersons(v);
    });
    connect(difficulty_, &QButtonGroup::idClicked, this, &TStart::SelectDifficulty);
    connect(newMap_, &QPushButton::clicked, this, &TStart::NewMapClicked);
    connect(territory_, &QPushButton::clicked, this, &TStart::TerritoryClicked);
    connect(help_, &QPushButton::clicked, this, [this] { hooks_.help(help_topic::HowToPlay); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);

    ApplyTexts();
    statesChanged(states_->value());
    dataOk_ = LoadDataFile();
}

void TStart::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return QString::fromStdString(l.Lookup(id)); };
    setWindowTitle(t(Msg::NewGameTitle));
    newMap_->setText(t(Msg::GenerateMapButton).replace("\r\n", "\n").replace('\r', '\n'));
    territory_->setText(t(Msg::ChooseTerritoryButton).replace("\r\n", "\n").replace('\r', '\n'));
    exit_->setText(t(Msg::StartExitButton));
    help_->setText(t(Msg::StartHelpButton));
    mapLabelText_ = t(Msg::MapCaption);
    mapLabel_->setText(mapLabelText_);
    difficulty_->button(0)->setText(t(Msg::DifficultyTraining));
    difficulty_->button(1)->setText(t(Msg::DifficultyNormal));
    difficulty_->button(2)->setText(t(Msg::DifficultyExpert));
    static_cast<QGroupBox*>(difficultyBox_)->setTitle(t(Msg::DifficultyLevels));
    rules_[0]->setText(t(Msg::TrainingRules));
    rules_[1]->setText(t(Msg::NormalRules));
    rules_[2]->setText(t(Msg::ExpertRules));
    sizeCaption_->setText(t(Msg::TerritorySizeCaption));
    statesCaption_->setText(t(Msg::StateCountCaption));
    personsCaption_->setText(t(Msg::PersonCountCaption).replace("\r\n", "\n"));
    hardnessCaption_->setText(t(Msg::DifficultyCaption));
    wait_[0]->setText(t(Msg::PleaseWait));
    wait_[1]->setText(t(Msg::ComputersMoving));
    wait_[2]->setText(t(Msg::BattlesBeingFought));
    const std::optional<Msg> d = DifficultyLabelOf(difficulty_->checkedId());
    diffName_->setText(d ? QString::fromStdString(l.Lookup(*d)) : QString());
    std::vector<std::string> lines;
    if (l.IntroText(0, lines)) {
        QStringList q;
        for (const std::string& s : lines) q << QString::fromStdString(s);
        scroll_->SetLines(q);
    }
}

bool TStart::LoadDataFile() { return dataOk_ = LoadGameRules(game_, lang_.DataFilePath()); }

void TStart::RunNewGame() {
    game_.GameMode = ModeLocal;
    SelectDifficulty(difficulty_->checkedId());
    if (settings_.ShowScrollHelp) scroll_->Start();
    // The turn cycle hides this window and shows it again while it waits; QDialog::exec() would
    // end its loop at the first hiding and leave the window behind as a modal one that no longer
    // blocks its own loop. Its own loop ends only when the window is done.
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
}

void TStart::showEvent(QShowEvent* e) {
    // A new activation starts without a map.
    preview_->hide();
    territory_->hide();
    QDialog::showEvent(e);
}

void TStart::done(int r) {
    scroll_->Stop();
    QDialog::done(r);
}

void TStart::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        hooks_.help(help_topic::HowToPlay);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TStart::statesChanged(int v) {
    setup_.SetStates(v);
    statesValue_->setText(QString::number(v));
    hardness_->setText(QString::number(setup_.Hardness()) + " %");
    persons_->setMaximum(v);
    persons_->setValue(1);
    territory_->hide();
}

void TStart::sizeChanged(int v) {
    setup_.SetSize(v);
    sizeValue_->setText(QString::number(setup_.size));
    territory_->hide();
}

void TStart::SelectDifficulty(int item) {
    if (QAbstractButton* b = difficulty_->button(item)) b->setChecked(true);
    ApplyDifficulty(game_, setup_, item);
    notebook_->setCurrentIndex(item >= 0 && item <= 2 ? item : 3);
    const std::optional<Msg> d = DifficultyLabelOf(item);
    diffName_->setText(d ? QString::fromStdString(lang_.Lookup(*d)) : QString());
    {
        QSignalBlocker block(size_);
        size_->setValue(setup_.size);
    }
    sizeValue_->setText(QString::number(setup_.size));
    size_->setEnabled(setup_.sizeEnabled);
    newMap_->show();
    territory_->hide();
}

void TStart::NewMapClicked() {
    Game& g = game_;
    newMap_->hide();
    territory_->hide();
    preview_->hide();
    mapLabel_->setText(
        QString::fromStdString(lang_.Lookup(Msg::MakingNewMap)).replace("\r\n", "\n").replace('\r', '\n'));
    mapLabel_->repaint();
    g.GosCount = uint8_t(setup_.states);
    g.MapSize = uint8_t(setup_.size);
    NewMap(g);
    mapLabel_->setText(mapLabelText_);
    showPreview();
    newMap_->show();
    territory_->show();
}

void TStart::showPreview() {
    Picture pic(PreviewSize, PreviewSize);
    DrawMap(game_, pic, paintRounded_);
    preview_->setPixmap(QPixmap::fromImage(ToImage(pic)));
    preview_->show();
}

void TStart::TerritoryClicked() {
    Game& g = game_;
    preview_->hide();
    hooks_.resetTerritories();
    bool chosen = ChooseTerritories(g, persons_->value());
    show();
    if (!chosen) {
        QApplication::beep();
        territory_->hide();
        return;
    }
    territory_->hide();
    hooks_.play();
    // Back from the game: the set-up panel in front, and the window closes to the launcher.
    panels_->setCurrentIndex(0);
    accept();
}

void TStart::ShowWaiting(bool on) {
    panels_->setCurrentIndex(on ? 1 : 0);
    panels_->repaint();
}

void TStart::SetYearLabel(const QString& text) {
    year_->setText(text);
    year_->repaint();
}

void TStart::SetProgress(int bar, int percent) {
    if (bar < 1 || bar > 2) return;
    bars_[bar - 1]->setValue(std::clamp(percent, 1, 100));
    bars_[bar - 1]->repaint();
}

}  // namespace korvant
