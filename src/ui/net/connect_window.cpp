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
#include "ui/map/picture_image.h"
#include "ui/net/chat_view.h"

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
    turn_->setRange(0, MaxTurnMinutes);
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
    rejoin_ = new QPushButton;
    rejoin_->hide();
    cg->addWidget(rejoin_, 2, 0, 1, 2);
    cg->setRowStretch(3, 1);
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
    connect(rejoin_, &QPushButton::clicked, this, [this] {
        if (lobby_) lobby_->Rejoin();
    });
    ConnectChatInput(*input_, [this](const std::string& text) { return lobby_ && SendChat(lobby_->Net(), text, 0); });
    ShowReadySwitch(ReadySwitch{});
    // Enter belongs to the chat line: no button of the lobby is pressed by it.
    for (QPushButton* b : {newMap_, load_, rejoin_, exit_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    ApplyTexts();
}

void TConnect::ApplyTexts() {
    auto t = [&](Msg id) { return ShownText(lang_.Lookup(id)); };
    setWindowTitle(t(Msg::LobbyTitle));
    exit_->setText(t(Msg::LobbyExit));
    rejoin_->setText(t(Msg::RejoinGame));
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

void TConnect::ShowRoster() {
    if (lobby_) ShowRoster(lobby_->Model().roster);
}

void TConnect::ShowRoster(const std::vector<NetMember>& roster) {
    players_->clear();
    for (const NetMember& m : roster) {
        auto* item = new QListWidgetItem(QString::fromStdString(m.name), players_);
        item->setFlags(Qt::ItemIsEnabled);  // the person cannot tick it
        item->setCheckState(m.ready ? Qt::Checked : Qt::Unchecked);
    }
}

void TConnect::ShowRejoinOffer() { rejoin_->setVisible(lobby_ && lobby_->Model().rejoin == RejoinOffer::Offered); }

void TConnect::ShowReadySwitch() {
    if (lobby_) ShowReadySwitch(lobby_->Model().ready);
}

void TConnect::ShowReadySwitch(const ReadySwitch& look) {
    const QSignalBlocker quiet(readyBox_);
    readyBox_->setEnabled(look.enabled);
    readyBox_->setChecked(look.on);
    readyBox_->setStyleSheet(QString("QCheckBox { background: %1; color: %2; }")
                                 .arg(Colour(look.colour), look.on ? QString("red") : QString("black")));
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
    // The server's choices as they stand now, also after a game.
    const QSignalBlocker quietStates(states_);
    const QSignalBlocker quietTurn(turn_);
    const int states = lobby_ ? lobby_->StateCount() : Lobby::MaxStates;
    states_->setValue(states);
    statesCount_->setNum(states);
    if (lobby_) turn_->setValue(lobby_->TurnMinutes());
}

void TConnect::GameRunning(bool running) {
    if (running) {
        start_.stop();
        hide();
    } else {
        ShowRoster();
    }
}

bool TConnect::Open() const { return lobby_ && lobby_->Model().phase != NetPhase::Closed; }

void TConnect::Run() {
    if (lobby_ && lobby_->Net().session.IsOpen()) lobby_->Show();
    ShowRoster();
    ShowReadySwitch();
    // Hiding a modal window ends its loop: a game hid it, and it is shown again afterwards.
    do exec();
    while (Open());
}

void TConnect::CloseLobby() {
    if (isVisible()) QDialog::reject();
}

// The start timer runs while the lobby is shown.
void TConnect::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
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
    QDialog::reject();
}

void TConnect::StartTick() {
    if (!lobby_ || !lobby_->Net().session.IsOpen()) return;
    if (lobby_->StartTick() != Lobby::StartCheck::Start) return;
    if (hooks_.play) hooks_.play();
}

void TConnect::LoadClicked() {
    HideMap();
    if (!lobby_ || !hooks_.load || !hooks_.load()) return;
    if (lobby_->AcceptLoadedGame() && hooks_.play) hooks_.play();
}

}  // namespace korvant
