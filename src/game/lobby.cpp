#include "game/lobby.h"

#include <algorithm>

#include "core/colors.h"
#include "core/cp1251.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "game/new_game.h"
#include "net/block_bytes.h"
#include "net/block_kind.h"
#include "net/heir.h"
#include "net/open_error_message.h"
#include "net/persons.h"
#include "net/player_names.h"
#include "net/receive_block.h"
#include "net/rejoin.h"
#include "net/senders.h"
#include "net/shown_changes.h"
#include "net/takeover.h"
#include "sim/borders.h"

namespace korvant {

namespace {

constexpr std::size_t PlayerNameLength = 13;  // characters a state keeps of a person's name

std::string LocalName(const Session& session) {
    for (const SessionPlayer& p : session.Players())
        if (!p.Remote) return p.Name;
    return {};
}

}  // namespace

Lobby::Lobby(Game& game, Session& session, NetControls& controls, NetGameWindows& windows, LobbyView& view)
    : game_(game), view_(view), windows_(windows), net_{game, session, model_, controls} {}

void Lobby::BeginOpening() {
    game_.DiffLevel = DiffNormal;
    model_ = NetModel{};
    model_.phase = NetPhase::Opening;
    net_.controls.ClearChat();
}

void Lobby::OnOpen() {
    const std::vector<SessionPlayer> players = net_.session.Players();
    model_ = NetModel{};
    model_.phase = NetPhase::Lobby;
    model_.SetRoster(players);
    model_.lobbyServerId = players.empty() ? 0 : players.front().Id;
    sessionHost_ = players.size() == 1;
    game_.GameMode = sessionHost_ ? ModeNetServer : ModeNetClient;
    if (sessionHost_) NewMap();
    net_.controls.ShowPage(IsServer());
    net_.controls.ShowRoster();

    net_.controls.AppendChatLine(game_.Msg(Msg::ChatHeader), 0);
    const std::string self = LocalName(net_.session);
    for (const SessionPlayer& p : players) {
        if (!p.Remote) continue;
        if (SameName(p.Name, self)) {
            // Only the joiner checks; the others see him leave.
            game_.Ui->MessageBox(game_.Msg(Msg::PlayerNameTaken));
            SendChat(net_, game_.Msg(Msg::SomeoneUsedTakenName), color::Olive);
            net_.session.Close();
            model_.phase = NetPhase::Closed;
            view_.CloseLobby();
            return;
        }
        net_.controls.AppendChatLine(FormatText(game_.Msg(Msg::PlayerAlreadyInSession), {p.Name}), color::Green);
    }
    SendChat(net_, FormatText(game_.Msg(Msg::VersionCaption), {KORVANT_VERSION}), color::Blue);
}

void Lobby::OnOpenFailed(OpenError e) {
    model_.phase = NetPhase::Closed;
    game_.Ui->MessageBox(game_.Msg(OpenFailureMessage(e)));
    view_.CloseLobby();
}

void Lobby::OnAddPlayer(const SessionPlayer& player) {
    if (!player.Remote) return;  // listed when the session opened
    const ShownChanges shown(net_);
    model_.Add(player);
    if (model_.InGame()) {
        // A newcomer while the game runs hears it from the server, and whether his state waits.
        if (model_.phase == NetPhase::Playing && IsServer())
            SendGameRuns(net_, player.Id, StateWaitingFor(net_, player.Name) != 0);
        return;
    }
    // A newcomer missed the ready blocks sent before he came: whoever is ready says so again.
    if (readySaid_) SendReady(net_, true);
    if (IsServer() && model_.ready.enabled) {
        SendMap(net_);
        SendTurnTime(net_);
    }
}

void Lobby::OnDeletePlayer(const SessionPlayer& player) {
    const ShownChanges shown(net_);
    const bool inGame = model_.InGame();
    const bool serverGone = inGame && game_.GameMode == ModeNetClient &&
                            (player.Id == model_.serverId || (model_.heir != 0 && player.Id == model_.heir));
    // Found while he is still listed: the heir is the first person after him in session order.
    const PlayerId heir = serverGone ? HeirOf(model_, game_, player.Id) : 0;
    const bool lobbyServerLeft = !inGame && player.Id == model_.lobbyServerId;
    const bool heirLeft = inGame && IsServer() && player.Id == HeirOf(model_, game_, net_.session.LocalId());
    model_.Remove(player.Id);
    model_.rejoining.erase(player.Id);
    net_.controls.AppendChatLine(player.Name + "> " + game_.Msg(Msg::PlayerLeftSession), color::Navy);
    {
        // The computer plays his states from now on; the persons' table remembers whose they were.
        const StateChange change(game_);
        for (int s = 1; s <= game_.GosCount; ++s) {
            TGos& gos = game_.mGos[s];
            if (PlayerOf(gos) != player.Id) continue;
            if (inGame && gos.Alive != 0) model_.dropped[s] = player.Name;
            gos.Human = 0;
            gos.PlayerName.clear();
        }
    }
    // The server's heir is gone: the next one gets the year's backup at once.
    if (heirLeft && model_.phase == NetPhase::Playing) ResendBackup(net_);
    if (serverGone) ServerVanished(player, heir);
    if (lobbyServerLeft) LobbyServerLeft();
}

// A client whose server crashed or was cut off would wait for turn results forever. The heir
// takes the role over from the server's backup; the others wait for him and send him their turns
// again. When nobody can, the game ends here as when no server is known; results already received
// are still played: the turn then finds no server and ends the game there.
void Lobby::ServerVanished(const SessionPlayer& server, PlayerId heir) {
    model_.serverId = 0;
    model_.heir = heir;
    if (heir != 0) {
        const std::string line = FormatText(game_.Msg(Msg::ServerVanishedHeirFollows), {model_.NameOf(heir)});
        net_.controls.AppendChatLine(server.Name + "> " + line, color::Red);
        if (heir != net_.session.LocalId()) {
            if (model_.earlyTakeover != heir) {
                model_.earlyTakeover = 0;
                model_.earlyBlocks.clear();
                return;
            }
            const std::vector<std::vector<uint8_t>> early = std::move(model_.earlyBlocks);
            model_.earlyBlocks.clear();
            TakenOver(net_, heir, model_.earlyTakeoverYear);
            for (const std::vector<uint8_t>& block : early) ReceiveBlock(net_, heir, block);
            return;
        }
        if (TakeOver(net_)) return;
        model_.heir = 0;
    }
    net_.controls.AppendChatLine(server.Name + "> " + game_.Msg(Msg::ServerVanished), color::Red);
    if (!model_.turnResultReceived && !model_.fullStateReceived) ServerNotFound(net_);
}

void Lobby::LobbyServerLeft() {
    model_.lobbyServerId = model_.roster.empty() ? 0 : model_.roster.back().id;
    if (model_.lobbyServerId != net_.session.LocalId() || IsServer()) return;
    game_.GameMode = ModeNetServer;
    model_.ready = {false, ReadyGrey, false};
}

void Lobby::OnMessage(PlayerId from, std::span<const std::uint8_t> block) {
    const bool wasReady = model_.ready.on;
    ReceiveBlock(net_, from, block);
    // A new map (or the lobby's role) turns the switch off: the others hear that this person is
    // no longer ready, as when he turns it off himself, so that nobody starts on a map he has not seen.
    if (wasReady && !model_.ready.on && model_.phase == NetPhase::Lobby) SetReady(false);
}

void Lobby::OnSessionLost() {
    game_.Ui->MessageBox(game_.Msg(Msg::SessionLost));
    model_.End(NetEnd::SessionLost);
}

void Lobby::Show() {
    model_.ready = freshMap_ ? ReadySwitch{true, ReadyMapKnown, false} : ReadySwitch{};
    net_.controls.ShowReadySwitch();
    if (!freshMap_) view_.HideMap();
    freshMap_ = false;
    stateCount_ = MaxStates;
    net_.controls.ShowPage(IsServer());
    if (IsServer() && net_.session.IsOpen()) {
        game_.TurnMinutes = uint8_t(turnMinutes_);
        SendTurnTime(net_);
    }
}

void Lobby::SetStateCount(int n) { stateCount_ = std::clamp(n, MinStates, MaxStates); }

void Lobby::SetTurnMinutes(int minutes) {
    turnMinutes_ = std::clamp(minutes, 0, MaxTurnMinutes);
    game_.TurnMinutes = uint8_t(turnMinutes_);
    SendTurnTime(net_);
}

void Lobby::NewMap() {
    {
        const ShownChanges shown(net_);
        model_.ready = {true, ReadyMapKnown, model_.ready.on};
    }
    game_.GosCount = uint8_t(stateCount_);
    game_.MapSize = MapSize;
    view_.MakingMap();
    korvant::NewMap(game_);
    game_.DiffLevel = DiffNormal;
    freshMap_ = true;
    net_.controls.ShowLobbyMap();
    SendMap(net_);
}

void Lobby::SetReady(bool on) {
    {
        const ShownChanges shown(net_);
        model_.ready.on = on;
    }
    readySaid_ = on;
    SendReady(net_, on);
}

int Lobby::FreeStates() const {
    int n = 0;
    for (int s = 1; s <= game_.GosCount; ++s) n += game_.mGos[s].Human == 0 ? 1 : 0;
    return n;
}

Lobby::StartCheck Lobby::StartTick() {
    if (model_.phase == NetPhase::Starting) return StartCheck::Start;
    if (model_.phase != NetPhase::Lobby || !model_.EveryoneReady()) return StartCheck::Waiting;
    const int players = int(model_.roster.size());
    if (players == 1) {
        SetReady(false);
        game_.Ui->MessageBox(game_.Msg(Msg::AloneInSession));
        return StartCheck::Alone;
    }
    // Every player needs a state of his own; surplus players are not left to watch.
    if (players > (IsServer() ? FreeStates() : int(game_.GosCount))) {
        SetReady(false);
        game_.Ui->MessageBox(game_.Msg(Msg::TooManyPlayers));
        return StartCheck::TooManyPlayers;
    }
    if (IsServer()) PlacePersons();
    model_.phase = NetPhase::Starting;
    return StartCheck::Start;
}

// Each session player draws states until a free one comes up.
void Lobby::PlacePersons() {
    const StateChange change(game_);
    for (const NetMember& p : model_.roster) {
        int s = 0;
        do s = 1 + game_.Random(game_.GosCount);
        while (game_.mGos[s].Human != 0);
        game_.mGos[s].Human = int32_t(p.id);
        game_.mGos[s].PlayerName.setRaw(Utf8ToCp1251(p.name).substr(0, PlayerNameLength));
    }
    for (int s = 1; s <= game_.GosCount; ++s) game_.mGos[s].Alive = 1;
    CheckFronts(game_);
}

bool Lobby::AcceptLoadedGame() {
    view_.HideMap();
    {
        const ShownChanges shown(net_);
        model_.ready = {};
        game_.GameMode = ModeNetServer;
    }
    game_.DiffLevel = DiffNormal;

    std::string listed, left;
    int persons = 0, leftCount = 0;
    for (int s = 1; s <= game_.GosCount; ++s) {
        const TGos& gos = game_.mGos[s];
        if (gos.Alive == 0) continue;
        if (gos.Human != 0)
            listed += std::to_string(++persons) + ". " + gos.PlayerName.utf8() + "\n";
        else if (!gos.PlayerName.utf8().empty())
            left += std::to_string(++leftCount) + ". " + gos.PlayerName.utf8() + "\n";
    }
    std::string report = game_.Msg(Msg::SavedForPlayers) + listed;
    if (!left.empty()) report += game_.Msg(Msg::PlayersWhoLeft) + left;

    int placed = 0;
    {
        const StateChange change(game_);
        for (int s = 1; s <= game_.GosCount; ++s) game_.mGos[s].Human = 0;
        for (const NetMember& p : model_.roster) {
            for (int s = 1; s <= game_.GosCount; ++s) {
                TGos& gos = game_.mGos[s];
                if (gos.Alive == 0 || gos.Human != 0 || !SameName(gos.PlayerName.utf8(), p.name)) continue;
                gos.Human = int32_t(p.id);
                ++placed;
                break;
            }
        }
    }
    bool start = placed == int(model_.roster.size()) && placed == persons;
    if (!start) {
        game_.Ui->MessageBox(report);
        const std::string self = LocalName(net_.session);
        bool ours = false;
        for (int s = 1; s <= game_.GosCount; ++s) ours |= SameName(game_.mGos[s].PlayerName.utf8(), self);
        start = ours && game_.Ui->AskYesNo(game_.Msg(Msg::NotAllPlayersPresent));
    }
    if (start) model_.phase = NetPhase::Starting;
    return start;
}

NetGameEnd Lobby::PlayGame(const NetGameOptions& options) {
    model_.phase = NetPhase::Playing;
    // The start reaches every person of the game, also one who missed some ready ticks; a
    // client's first full state may have come before its own start and is kept.
    if (IsServer()) SendStart(net_);
    // Until its first full state a client knows its server from the lobby, so that it notices
    // him vanishing before the game's first year.
    if (!IsServer() && model_.serverId == 0) model_.serverId = model_.lobbyServerId;
    model_.netTurns = 0;
    view_.GameRunning(true);
    const NetGameEnd end = NetGameLoop(net_, windows_, options);
    const bool serverLost = model_.end == NetEnd::ServerLost;
    // Back in the lobby: whoever serves the game now serves the lobby.
    model_.phase = NetPhase::Lobby;
    model_.lobbyServerId = IsServer()                       ? net_.session.LocalId()
                           : model_.Listed(model_.serverId) ? model_.serverId
                                                            : model_.lobbyServerId;
    model_.serverId = 0;
    model_.ResetGame();
    model_.SetEveryoneReady(false);
    readySaid_ = false;
    view_.GameRunning(false);
    Show();
    view_.HideMap();
    net_.controls.ShowRoster();
    if (serverLost) {
        net_.session.Close();
        model_.phase = NetPhase::Closed;
        view_.CloseLobby();
    }
    return end;
}

void Lobby::Rejoin() {
    if (model_.rejoin != RejoinOffer::Offered || !SendRejoin(net_)) return;
    const ShownChanges shown(net_);
    model_.rejoin = RejoinOffer::Asked;
    net_.controls.AppendChatLine(game_.Msg(Msg::RejoinNextYear), color::Green);
}

void Lobby::Close() {
    if (game_.GameMode == ModeNetServer && net_.session.Players().size() > 1) SendBecomeServer(net_);
    net_.session.Close();
    model_.phase = NetPhase::Closed;
}

}  // namespace korvant
