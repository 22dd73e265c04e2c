#include "ui/map/select_gos_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/game.h"
#include "core/game_ui.h"
#include "map/map_painter.h"
#include "ui/app/window_ui_qt.h"
#include "ui/map/picture_image.h"

namespace korvant {

namespace {
constexpr int MapPixels = 500;

QString Lines(QString s) { return s.replace("\r\n", "\n").replace('\r', '\n'); }
}  // namespace

TSelectGos::TSelectGos(TLanguageFile& lang, Game& game, bool paintRounded, QWidget* parent)
    : QDialog(parent), lang_(lang), game_(game), paintRounded_(paintRounded) {
    auto* grid = new QGridLayout(this);
    map_ = new QLabel;
    map_->setFixedSize(MapPixels, MapPixels);
    map_->installEventFilter(this);
    map_->setCursor(Qt::PointingHandCursor);
    grid->addWidget(map_, 0, 0, 8, 1);

    prompt_ = new QLabel;
    prompt_->setWordWrap(true);
    prompt_->setAlignment(Qt::AlignCenter);
    prompt_->setStyleSheet("font-weight: bold; color: #a00000;");
    stateName_ = new QLabel;
    stateName_->setAlignment(Qt::AlignCenter);
    stateName_->setStyleSheet("font-size: 14pt; font-weight: bold;");
    auto* sampleRow = new QHBoxLayout;
    for (QLabel*& s : samples_) {
        s = new QLabel;
        s->setFixedSize(60, 30);
        s->setAutoFillBackground(true);
        s->setFrameShape(QFrame::Box);
        sampleRow->addWidget(s);
    }
    nameLabel_ = new QLabel;
    name_ = new QLineEdit;
    name_->setMaxLength(NameCapacity);
    confirm_ = new QPushButton;
    giveUp_ = new QPushButton;
    grid->addWidget(prompt_, 0, 1);
    grid->addLayout(sampleRow, 1, 1);
    grid->addWidget(stateName_, 2, 1);
    grid->addWidget(nameLabel_, 3, 1);
    grid->addWidget(name_, 4, 1);
    grid->addWidget(confirm_, 5, 1);
    grid->addWidget(giveUp_, 6, 1);
    grid->setRowStretch(7, 1);

    connect(confirm_, &QPushButton::clicked, this, &TSelectGos::ConfirmClicked);
    connect(giveUp_, &QPushButton::clicked, this, [this] { Finish(*this, ModalResult::Quit); });
    ApplyTexts();
}

void TSelectGos::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return Lines(QString::fromStdString(l.Lookup(id))); };
    setWindowTitle(t(Msg::TerritoryTitle));
    confirm_->setText(t(Msg::ConfirmTerritory));
    giveUp_->setText(t(Msg::RejectTerritory));
    prompt_->setText(t(Msg::ChooseState));
    nameLabel_->setText(t(Msg::YourName));
    // The proposed names are the language's too.
    suggestions_.clear();
    for (int i = 0; i < 10; ++i)
        suggestions_ << QString::fromStdString(l.Lookup(MsgAt(Msg::RulerTitle1, i))).left(NameCapacity);
}

void TSelectGos::Reset() {
    Picture pic(MapPixels, MapPixels);
    DrawMap(game_, pic, paintRounded_);
    map0_ = ToImage(pic);
    ShowTakenStates();
}

void TSelectGos::ShowTakenStates() {
    const Game& g = game_;
    QImage img = map0_;
    if (g.MapSize > 0 && !img.isNull()) {
        // Paled and hatched: the states earlier persons chose (they are refused if confirmed).
        QPainter p(&img);
        p.setPen(Qt::NoPen);
        const QBrush hatch(QColor(60, 60, 60), Qt::BDiagPattern);
        const double s = double(MapPixels) / g.MapSize;
        for (int x = 1; x <= g.MapSize; ++x)
            for (int y = 1; y <= g.MapSize; ++y) {
                if (g.mGos[g.Map[x][y]].Human == 0) continue;
                const QRect cell(QPoint(int((x - 1) * s), int((y - 1) * s)), QPoint(int(x * s) - 1, int(y * s) - 1));
                p.fillRect(cell, QColor(255, 255, 255, 120));
                p.fillRect(cell, hatch);
            }
    }
    map_->setPixmap(QPixmap::fromImage(img));
}

ModalResult TSelectGos::Choose(int person) {
    person_ = person;
    ShowTakenStates();
    choice_.Reset();
    confirm_->hide();
    name_->setText(suggestions_[game_.Random(10)]);
    paintSamples(Qt::white);
    stateName_->hide();
    prompt_->setText(Lines(QString::fromStdString(lang_.Lookup(Msg::ChooseState))));
    prompt_->show();
    return RunModal(*this);
}

void TSelectGos::paintSamples(const QColor& c) {
    for (QLabel* s : samples_) {
        QPalette p = s->palette();
        p.setColor(QPalette::Window, c);
        s->setPalette(p);
    }
}

bool TSelectGos::eventFilter(QObject* o, QEvent* e) {
    if (o == map_ && e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        MapClicked(int(me->position().x()), int(me->position().y()));
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void TSelectGos::MapClicked(int x, int y) {
    const Game& g = game_;
    const int s = choice_.Click(g, MapPixels, x, y);
    if (s == 0) return;
    Rgb c = StateColour(s);
    paintSamples(QColor(c.r, c.g, c.b));
    stateName_->setText(QString::fromStdString(g.mGos[s].Name.utf8()));
    stateName_->show();
    if (choice_.CanConfirm()) {
        confirm_->show();
        prompt_->hide();
    } else {
        confirm_->hide();
        prompt_->show();
    }
}

void TSelectGos::ConfirmClicked() {
    Game& g = game_;
    if (choice_.Confirm(g, person_, name_->text().toStdString())) {
        Finish(*this, ModalResult::EndTurn);
        return;
    }
    prompt_->setText(Lines(QString::fromStdString(lang_.Lookup(Msg::TerritoryTaken))));
    prompt_->show();
    confirm_->hide();
}

}  // namespace korvant
