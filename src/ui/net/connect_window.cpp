#include "ui/net/connect_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "map/map_painter.h"
#include "net/player_names.h"
#include "net/senders.h"
#include "ui/app/window_ui_qt.h"
#include "ui/net/chat_view.h"
#include "ui/map/picture_image.h"

namespace korvant {

namespace {

constexpr int MapPixels = 300;
// The start timer: every entry ticked is noticed within this.
constexpr int StartTickMs = 20;

QString Colour(int32_t c) { return ChatColour(c).name(); }

}  // namespace

TConnect::TConnect(TLanguageFile& lang, Game& game, QWidget* parent) : QDialog(parent), lang_(lang), game_(game) {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    mapLabel_ = new QLabel;
    mapLabel_->setFixedSize(MapPixels, MapPixels);
    mapLabel_->setAlignment(Qt::AlignCenter);
    mapLabel_->setFrameShape(QFrame::Box);
    chat_ = new QTextEdit;
    chat_->setReadOnly(true);
    input_ = new QLineEdit;
    left->addWidget(mapLabel_);
    left->addWidget(chat_, 1);
    left->addWidget(input_);

    auto* right = new QVBoxLayout;
    playersTitle_ = new QLabel;
    players_ = new QListWidget;
    readyBox_ = new QCheckBox;
    notebook_ = new QStackedWidget;

    auto* server = new QWidget;
    auto* sg = new QGridLayout(server);
    serverTitle_ = new QLabel;
    turnLabel_[0] = new QLabel;
    turn_ = new QSpinBox;
    turn_->setRange(0, Lobby::MaxTurnMinutes);
    turn_->setValue(2);
    turn_->findChild<QLineEdit*>()->setReadOnly(true);  // the arrows only
    statesLabel_ = new QLabel;
    states_ = new QSlider(Qt::Horizontal);
    states_->setRange(Lobby::MinStates, Lobby::MaxStates);
    statesCount_ = new QLabel;
    newMap_ = new QPushButton;
    load_ = new QPushButton;
    sg->addWidget(serverTitle_, 0, 0, 1, 2);
    sg->addWidget(turnLabel_[0], 1, 0);
    sg->addWidget(turn_, 1, 1);
    sg->addWidget(statesLabel_, 2, 0);
    sg->addWidget(statesCount_, 2, 1);
    sg->addWidget(states_, 3, 0, 1, 2);
    sg->addWidget(newMap_, 4, 0);
    sg->addWidget(load_, 4, 1);

    auto* client = new QWidget;
    auto* cg = new QGridLayout(client);
    clientTitle_ = new QLabel;
    turnLabel_[1] = new QLabel;
    clientTurn_ = new QLabel("2");
    cg->addWidget(clientTitle_, 0, 0, 1, 2);
    cg->addWidget(turnLabel_[1], 1, 0);
    cg->addWidget(clientTurn_, 1, 1);
    cg->setRowStretch(2, 1);
    notebook_->addWidget(server);
    notebook_->addWidget(client);

    exit_ = new QPushButton;
    exit_->setAutoDefault(false);
    helpLabel_ = new QLabel("F1 - Help");
    right->addWidget(playersTitle_);
    right->addWidget(players_, 1);
    right->addWidget(readyBox_);
    right->addWidget(notebook_);
    right->addWidget(helpLabel_);
    right->addWidget(exit_);
    top->addLayout(left, 1);
    top->addLayout(right);

    start_.setInterval(StartTickMs);
    connect(&start_, &QTimer::timeout, this, &TConnect::StartTick);
    connect(readyBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (lobby_) lobby_->SetReady(on);
    });
    connect(turn_, &QSpinBox::valueChanged, this, [this](int m) {
        if (lobby_) lobby_->SetTurnMinutes(m);
    });
    connect(states_, &QSlider::valueChanged, this, [this](int n) {
        statesCount_->setNum(n);
        if (lobby_) lobby_->SetStateCount(n);
    });
    connect(newMap_, &QPushButton::clicked, this, [this] {
        if (lobby_) lobby_->NewMap();
    });
    connect(load_, &QPushButton::clicked, this, &TConnect::LoadClicked);
    connect(exit_, &QPushButton::clicked, this, &TConnect::reject);
    ConnectChatInput(*input_, [this](const std::string& text) {
        return lobby_ && SendChat(lobby_->Net(), text, 0);
    });
    SetReadySwitch({});
    ApplyTexts();
}

void TConnect::ApplyTexts() {
    auto t = [&](Msg id) { return ShownText(lang_.Lookup(id)); };
    setWindowTitle(t(Msg::LobbyTitle));
    exit_->setText(t(Msg::LobbyExit));
    newMap_->setText(t(Msg::LobbyNewGame));
    load_->setText(t(Msg::LobbyLoadGame));
    readyBox_->setText(t(Msg::LobbyReady));
    input_->setText(t(Msg::LobbyHello));
    if (map_.isNull()) mapLabel_->setText(t(Msg::LobbyMap));
    serverTitle_->setText(t(Msg::LobbyServer));
    for (QLabel* l : turnLabel_) l->setText(t(Msg::LobbyTurnLength));
    statesLabel_->setText(t(Msg::LobbyStateCount));
    clientTitle_->setText(t(Msg::LobbyClient));
    playersTitle_->setText(t(Msg::LobbyPlayers));
}

void TConnect::Attach(Lobby* lobby, Hooks hooks) {
    lobby_ = lobby;
    hooks_ = std::move(hooks);
}

QListWidgetItem* TConnect::Find(std::string_view name) const {
    for (int i = 0; i < players_->count(); ++i)
        if (SameName(players_->item(i)->text().toStdString(), name)) return players_->item(i);
    return nullptr;
}

void TConnect::AddPlayer(std::string_view name) {
    auto* item = new QListWidgetItem(QString::fromStdString(std::string(name)), players_);
    item->setFlags(Qt::ItemIsEnabled);  // the person cannot tick it
    item->setCheckState(Qt::Unchecked);
}

void TConnect::RemovePlayer(std::string_view name) { delete Find(name); }
void TConnect::ClearPlayers() { players_->clear(); }
int TConnect::PlayerCount() const { return players_->count(); }

void TConnect::UntickAllPlayers() {
    for (int i = 0; i < players_->count(); ++i) players_->item(i)->setCheckState(Qt::Unchecked);
}

bool TConnect::TickPlayer(std::string_view name, bool ticked) {
    QListWidgetItem* item = Find(name);
    if (item) item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    return item != nullptr;
}

void TConnect::TickAllPlayers() {
    for (int i = 0; i < players_->count(); ++i) players_->item(i)->setCheckState(Qt::Checked);
}

bool TConnect::AllPlayersTicked() const {
    for (int i = 0; i < players_->count(); ++i)
        if (players_->item(i)->checkState() != Qt::Checked) return false;
    return true;
}

void TConnect::SetReadySwitch(const ReadySwitch& look) {
    ready_ = look;
    const QSignalBlocker quiet(readyBox_);
    readyBox_->setEnabled(look.enabled);
    readyBox_->setChecked(look.on);
    readyBox_->setStyleSheet(QString("QCheckBox { background: %1; color: %2; }")
                                 .arg(Colour(look.colour), look.on ? QString("red") : QString("black")));
}

void TConnect::RebuildLobby() {
    hide();
    show();
}

void TConnect::ShowLobbyMap() {
    Picture pic(MapPixels, MapPixels);
    DrawMap(game_, pic, !hooks_.paintRounded || hooks_.paintRounded());
    map_ = ToImage(pic);
    mapLabel_->setPixmap(QPixmap::fromImage(map_));
}

void TConnect::ShowTurnMinutes(int minutes) { clientTurn_->setNum(minutes); }

void TConnect::AppendChatLine(std::string_view line, int32_t colour) {
    panes_.Append(line, colour);
    ShowChatLines(*chat_, panes_.Lines(ChatPane::Lobby));
    emit ChatChanged();
}

void TConnect::ClearChat() {
    panes_.Clear();
    chat_->clear();
    emit ChatChanged();
}

void TConnect::ShowSendingNotice(bool shown) {
    if (hooks_.sendingNotice) hooks_.sendingNotice(shown);
}

void TConnect::CloseWaitWindow() {
    if (hooks_.closeWaitWindow) hooks_.closeWaitWindow();
}

void TConnect::MakingMap() {
    mapLabel_->setPixmap({});
    mapLabel_->setText(ShownText(lang_.Lookup(Msg::MakingNewMap)));
    mapLabel_->repaint();
}

void TConnect::HideMap() {
    map_ = {};
    mapLabel_->setPixmap({});
    mapLabel_->setText(ShownText(lang_.Lookup(Msg::LobbyMap)));
}

void TConnect::ShowPage(bool server) {
    notebook_->setCurrentIndex(server ? 0 : 1);
    const QSignalBlocker quiet(states_);
    states_->setValue(lobby_ ? lobby_->StateCount() : Lobby::MaxStates);
    statesCount_->setNum(game_.GosCount);
}

void TConnect::GameRunning(bool running) {
    if (running) {
        running_ = true;
        start_.stop();
        hide();
    } else {
        show();  // the lobby shows itself anew from the game's end
        running_ = false;
    }
}

void TConnect::Run() {
    left_ = false;
    // Hiding a modal window ends its loop: a game hid it, and it is shown again afterwards.
    do exec();
    while (!left_);
}

void TConnect::CloseLobby() {
    left_ = true;
    if (isVisible()) QDialog::reject();
}

void TConnect::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (lobby_ && !running_) lobby_->Show();
    start_.start();
}

void TConnect::hideEvent(QHideEvent* e) {
    start_.stop();
    QDialog::hideEvent(e);
}

void TConnect::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1 && hooks_.help) return hooks_.help();
    QDialog::keyPressEvent(e);
}

void TConnect::reject() {
    if (lobby_) lobby_->Close();
    left_ = true;
    QDialog::reject();
}

void TConnect::StartTick() {
    if (!lobby_ || running_ || !lobby_->Net().session.IsOpen()) return;
    if (lobby_->StartTick() != Lobby::StartCheck::Start) return;
    start_.stop();
    if (hooks_.play) hooks_.play(false);
    if (isVisible()) start_.start();
}

void TConnect::LoadClicked() {
    HideMap();
    SetReadySwitch({});
    if (!lobby_ || !hooks_.load || !hooks_.load()) return;
    if (!lobby_->AcceptLoadedGame()) return;
    start_.stop();
    if (hooks_.play) hooks_.play(true);
    if (isVisible()) start_.start();
}

}  // namespace korvant
