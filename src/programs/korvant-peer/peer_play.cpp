#include "peer_play.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/check_state.h"
#include "core/living_person.h"
#include "core/show_state_error.h"
#include "game/network_save.h"
#include "game/turn_cycle.h"
#include "net/senders.h"
#include "net/turn_result_block.h"
#include "save/saved_body.h"
#include "save/saved_game.h"
#include "session/event_pause.h"

namespace korvant::peer {

namespace {

std::string OneLine(std::string_view text) {
    std::string line;
    for (char c : text) line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// FNV-1a over raw bytes: the same record gives the same digest on every computer.
std::uint64_t Fnv(const void* data, std::size_t size, std::uint64_t h = 1469598103934665603ull) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

bool AtYear(const std::optional<int>& option, const Game& game) { return option && *option == game.Year; }

}  // namespace

void PeerUi::MessageBox(std::string_view text) { Say("message: " + OneLine(text)); }

bool PeerUi::AskYesNo(std::string_view text) {
    // Only the question whether to start a loaded game without all its persons may be refused.
    const bool yes = text != game_.Msg(Msg::NotAllPlayersPresent) || options_.startAnyway;
    Say("question: " + OneLine(text) + (yes ? " yes" : " no"));
    return yes;
}

ModalResult PeerUi::CommandScreen() {
    if (AtYear(options_.dieAtYear, game_)) {
        Say("dying in year " + std::to_string(game_.Year));
        std::_Exit(9);  // as a crash: no goodbye to the session
    }
    if (AtYear(options_.quitAtYear, game_)) return ModalResult::Quit;
    return options_.endTurns ? ModalResult::EndTurn : ModalResult::ToComputer;
}

void PeerControls::AppendChatLine(std::string_view line, int32_t colour) {
    HeadlessNetControls::AppendChatLine(line, colour);
    Say("chat: " + OneLine(line));
}

void PeerControls::ShowRoster() {
    HeadlessNetControls::ShowRoster();
    if (!model_) return;
    for (const NetMember& m : model_->roster) {
        const auto [was, fresh] = ready_.try_emplace(m.id, false);
        if (was->second == m.ready) continue;
        was->second = m.ready;
        Say(std::string(m.ready ? "ready: " : "not ready: ") + m.name);
    }
}

void PeerListener::OnAddPlayer(const SessionPlayer& p) {
    if (p.Remote) Say("joined: " + p.Name);
    lobby_.OnAddPlayer(p);
}

void PeerListener::OnDeletePlayer(const SessionPlayer& p) {
    Say("left: " + p.Name);
    lobby_.OnDeletePlayer(p);
    windows_.Nudge();
}

void PeerListener::OnMessage(PlayerId from, std::span<const std::uint8_t> block) {
    lobby_.OnMessage(from, block);
    windows_.Nudge();
}

void PeerListener::OnSessionLost() {
    lobby_.OnSessionLost();
    windows_.Nudge();
}

WaitResult PeerWindows::Wait(WaitPoll& poll) {
    if (poll.Page() == WaitPage::ServerWait && AtYear(options_.abortAtYear, game_) &&
        game_.Ui->AskYesNo(game_.Msg(Msg::AskAbortGame))) {
        poll.Abort();
        return WaitResult::Aborted;
    }
    QEventLoop loop;
    QTimer beat;
    tick_ = [&] {
        nudged_ = false;
        if (poll.Tick()) loop.quit();
    };
    QObject::connect(&beat, &QTimer::timeout, &loop, tick_);
    // The beat only retries what no event announces (a hand-over that could not go out yet).
    beat.start(50);
    waiting_ = &loop;
    page_ = poll.Page();
    nudged_ = false;
    loop.exec();
    waiting_ = nullptr;
    tick_ = nullptr;
    return WaitResult::Closed;
}

void PeerWindows::Nudge() {
    if (!waiting_ || nudged_) return;
    // The waits for data and for the turns only read what the event changed: they are ticked at
    // once, which spares each block a second turn of the event loop. The hand-over may send, so
    // it is ticked from the loop, not inside the session's event.
    if (page_ != WaitPage::ServerClose) return tick_();
    nudged_ = true;
    // Queued on the loop: dropped with it when the wait has ended meanwhile.
    QTimer::singleShot(0, waiting_, [this] {
        if (tick_) tick_();
    });
}

void PeerWindows::Pause(std::chrono::milliseconds length) { PauseWithEvents(length); }

Peer::Peer(Game& game, const Options& options)
    : game_(game),
      options_(options),
      tcp_(options.broker ? nullptr : std::make_unique<TcpSession>([&options] {
          TcpSessionOptions o;
          o.ListenAddress = QHostAddress::LocalHost;
          // The creator listens where he was told; a port asked for and taken is a failure, not another port.
          o.ListenPort = options.create ? options.port : 0;
          o.AnyPortWhenTaken = false;
          o.DiscoveryPort = 0;
          return o;
      }())),
      broker_(options.broker ? std::make_unique<BrokerSession>() : nullptr),
      session_(tcp_ ? static_cast<Session&>(*tcp_) : *broker_),
      windows_(game, options),
      view_([this] {
          // After a game the result is out already; before one this is why there is none.
          if (lobbyTimer_.isActive()) {
              Say("result: the lobby closed");
              session_.Close();
              QCoreApplication::exit(1);
          }
      }),
      lobby_(game, session_, controls_, windows_, view_),
      timing_(options.timing) {
    session_.SetListener(&listener_);
    controls_.Watch(lobby_.Model());
    connect(&lobbyTimer_, &QTimer::timeout, this, &Peer::LobbyTick);
}

void Peer::Start() {
    lobby_.BeginOpening();
    if (options_.create) {
        game_.Rng.setSeed(options_.seed);
        lobby_.SetStateCount(options_.states);
        if (broker_)
            broker_->Create(*options_.broker, options_.name, options_.sessionPassword);
        else
            tcp_->Create(options_.name);
        if (!session_.IsOpen()) {
            Say(broker_ ? "error: cannot create the session on the broker"
                        : "error: cannot accept players on port " + std::to_string(options_.port) + " (taken?)");
            // Start runs before the event loop, which would not see an exit asked for now.
            QMetaObject::invokeMethod(
                this, [this] { Finish(NetGameEnd::SessionLost); }, Qt::QueuedConnection);
            return;
        }
        Say(broker_ ? "session " + options_.name : "port " + std::to_string(tcp_->ListenPort()));
        lobby_.Show();
        lobby_.SetTurnMinutes(options_.turnMinutes);
    } else {
        if (broker_)
            broker_->Join(*options_.broker, options_.name, *options_.joinSession, options_.sessionPassword);
        else
            tcp_->Join(options_.name, QString::fromStdString(options_.host), options_.port);
    }
    lobbyTimer_.start(5);
}

void Peer::LobbyTick() {
    if (!session_.IsOpen()) return;
    // Joined while a game runs: takes back the state this name dropped out of, if one waits.
    if (lobby_.Model().rejoin == RejoinOffer::Offered) lobby_.Rejoin();
    if (lobby_.Model().rejoin == RejoinOffer::NoState) {
        lobbyTimer_.stop();
        Say("result: no state waits for this name");
        session_.Close();
        return QCoreApplication::exit(1);
    }
    // Every peer waits for the whole party: a client whose list is all ticked starts at once.
    const bool party = lobby_.Model().ready.enabled && int(lobby_.Model().roster.size()) >= options_.players;
    if (options_.load && party) {
        lobbyTimer_.stop();
        if (!LoadNetworkSave(game_, *options_.load)) return Finish(NetGameEnd::NotANetGame);
        if (!lobby_.AcceptLoadedGame()) {
            Say("result: the loaded game did not start");
            session_.Close();
            return QCoreApplication::exit(0);
        }
        Say("loaded game starts");
        return Play();
    }
    // A map sent again turns the switch off: the peer ticks it again, as a person would.
    if (party && !lobby_.Model().ready.on) lobby_.SetReady(true);
    if (lobby_.StartTick() == Lobby::StartCheck::Start) {
        lobbyTimer_.stop();
        Play();
    }
}

void Peer::Play() {
    NetGameOptions options;
    options.serverPause = std::chrono::milliseconds(options_.pauseMs);
    options.yearBegins = [this](NetContext& net) { return YearBegins(net); };
    options.simulationBegins = [this] { timing_.SimulationBegins(); };
    options.simulationEnds = [this] { timing_.SimulationEnds(); };
    try {
        Finish(lobby_.PlayGame(options));
    } catch (const StateError& e) {
        // Broken bookkeeping: its messages, and the peer ends without saving.
        ShowStateError(*game_.Ui, e);
        session_.Close();
        QCoreApplication::exit(1);
    }
}

// One line per year, and the digest of every person's state this computer knows for certain:
// all of them on the server, its own on a client.
bool Peer::YearBegins(NetContext& net) {
    const Game& g = net.game;
    const bool server = g.GameMode == ModeNetServer;
    timing_.YearBegins(server);
    if (server && !wasServer_) Say("role: server");
    wasServer_ = server;
    int living = 0, persons = 0;
    for (int s = 1; s <= g.GosCount; ++s) {
        living += g.mGos[s].Alive != 0 ? 1 : 0;
        persons += LivingPerson(g.mGos[s]) ? 1 : 0;
    }
    Say("year " + std::to_string(g.Year) + ": living " + std::to_string(living) + " persons " +
        std::to_string(persons));
    for (int s = 1; s <= g.GosCount; ++s) {
        if (LivingPerson(g.mGos[s]) && (server || s == g.CurGos)) Digests(g, s);
    }
    if (server && options_.dumpYears) DumpYear(g);
    return !(options_.stopAtYear && g.Year > *options_.stopAtYear);
}

// The whole game as the server has it when the year begins: the generator's state, then the
// saved game's body, for tests that compare two games field by field.
void Peer::DumpYear(const Game& game) const {
    const std::string file = *options_.dumpYears + "/year-" + std::to_string(game.Year);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::uint32_t seed = game.Rng.seed();
    out.write(reinterpret_cast<const char*>(&seed), sizeof seed);
    const std::vector<uint8_t> body = WriteSavedBody(game, 0);  // no person's turn to resume
    out.write(reinterpret_cast<const char*>(body.data()), std::streamsize(body.size()));
}

void Peer::Digests(const Game& game, int s) {
    std::uint64_t h = Fnv(&game.mGos[s], sizeof(TGos));
    // The ten general slots a turn result carries.
    for (int i = 0; i < GeneralsPerState; ++i) h = Fnv(&game.mGeneral[s + i * MaxStates], sizeof(TCommander), h);
    char line[96];
    std::snprintf(line, sizeof line, "state %d year %d: %016llx", s, int(game.Year),
                  static_cast<unsigned long long>(h));
    Say(line);
}

void Peer::Finish(NetGameEnd end) {
    const int year = game_.Year;
    std::string result;
    int code = 0;
    switch (end) {
        case NetGameEnd::Over:
            if (const int w = VictoriousState(game_))
                result = "state " + std::to_string(w) + " won in year " + std::to_string(year - 1);
            else if (year >= MaxYears)
                result = "draw";
            else
                result = "every person's state destroyed";
            break;
        case NetGameEnd::Defeated: result = "defeated in year " + std::to_string(year - 1); break;
        case NetGameEnd::Quit: result = "quit in year " + std::to_string(year); break;
        case NetGameEnd::Aborted: result = "aborted in year " + std::to_string(year); break;
        case NetGameEnd::EndedByServer: result = "ended by the server in year " + std::to_string(year); break;
        case NetGameEnd::Stopped: result = "stopped after year " + std::to_string(year - 1); break;
        case NetGameEnd::SessionLost:
            result = "session lost";
            code = 3;
            break;
        case NetGameEnd::ServerLost:
            result = "server lost in year " + std::to_string(year);
            code = 3;
            break;
        case NetGameEnd::NotANetGame:
            result = "no game";
            code = 1;
            break;
    }
    // A peer stopped at its last year leaves the game as a person who quits, so that the others
    // do not take its server for lost and take its role over.
    if (end == NetGameEnd::Stopped) SendLeave(lobby_.Net());
    if (options_.save && game_.GameMode == ModeNetServer && end != NetGameEnd::NotANetGame &&
        !TrySaveGame(game_, *options_.save))
        code = 1;
    Say("result: " + result);
    session_.Close();
    QCoreApplication::exit(code);
}

}  // namespace korvant::peer
