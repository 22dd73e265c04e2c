#include "game/lobby.h"

#include <algorithm>

#include "core/colors.h"
#include "core/cp1251.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "game/new_game.h"
#include "net/block_bytes.h"
#include "net/block_kind.h"
#include "net/open_error_message.h"
#include "net/player_left.h"
#include "net/player_names.h"
#include "net/receive_block.h"
#include "net/senders.h"
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
    : game_(game), controls_(controls), windows_(windows), view_(view), net_{game, session, flags_, controls} {}

void Lobby::BeginOpening() {
    game_.DiffLevel = DiffNormal;
    controls_.ClearChat();
}

void Lobby::OnOpen() {
    flags_.ServerLost = false;
    flags_.InNetGame = false;
    const std::vector<SessionPlayer> players = net_.session.Players();
    sessionHost_ = players.size() == 1;
    game_.GameMode = sessionHost_ ? ModeNetServer : ModeNetClient;
    if (sessionHost_) NewMap();
    view_.ShowPage(IsServer());

    controls_.ClearPlayers();
    controls_.AppendChatLine(game_.Msg(Msg::ChatHeader), 0);
    const std::string self = LocalName(net_.session);
    for (const SessionPlayer& p : players) {
        controls_.AddPlayer(p.Name);
        if (!p.Remote) continue;
        if (SameName(p.Name, self)) {
            // Only the joiner checks; the others see him leave.
            game_.Ui->MessageBox(game_.Msg(Msg::PlayerNameTaken));
            SendChat(net_, game_.Msg(Msg::SomeoneUsedTakenName), color::Olive);
            net_.session.Close();
            RequestClose();
            return;
        }
        controls_.AppendChatLine(FormatText(game_.Msg(Msg::PlayerAlreadyInSession), {p.Name}), color::Green);
    }
    SendChat(net_, FormatText(game_.Msg(Msg::VersionCaption), {KORVANT_VERSION}), color::Blue);
}

void Lobby::OnOpenFailed(OpenError e) {
    game_.Ui->MessageBox(game_.Msg(OpenFailureMessage(e)));
    RequestClose();
}

void Lobby::OnAddPlayer(const SessionPlayer& player) {
    if (!player.Remote) return;  // listed when the session opened
    controls_.AddPlayer(player.Name);
    // A newcomer missed the ready blocks sent before he came: whoever is ready says so again.
    if (!flags_.InNetGame && readySaid_) SendReady(net_, true);
    if (sessionHost_ && !flags_.InNetGame && controls_.ReadyLook().enabled) {
        SendMap(net_);
        SendTurnTime(net_);
    }
}

void Lobby::OnDeletePlayer(const SessionPlayer& player) {
    controls_.RemovePlayer(player.Name);
    const bool wasServer = flags_.InNetGame && game_.GameMode == ModeNetClient && player.Id == flags_.ServerId;
    PlayerLeftSession(net_, player);
    if (wasServer && !serverLeftGame_) ServerVanished(player);
}

// A client whose server crashed or was cut off would wait for turn results forever; it ends its
// game as when no server is known. Results already received are still played: the turn then
// finds no server and ends the game there.
void Lobby::ServerVanished(const SessionPlayer& server) {
    flags_.ServerId = 0;
    controls_.AppendChatLine(server.Name + "> " + game_.Msg(Msg::ServerVanished), color::Red);
    if (!flags_.TurnResultReceived && !flags_.FullStateReceived) ServerNotFound(net_);
}

void Lobby::OnMessage(PlayerId from, std::span<const std::uint8_t> block) {
    const PlayerId server = flags_.ServerId;
    const int32_t kind = block.size() >= MinBlockBytes ? KindOf(block) : -1;
    const bool serverLeaves = kind == int32_t(BlockKind::Leave) && from == server && server != 0;
    // Only the lobby's server sends the turn length and the start.
    if (kind == int32_t(BlockKind::TurnTime) || kind == int32_t(BlockKind::Start)) lobbyServer_ = from;
    ReceiveBlock(net_, from, block);
    if (flags_.ServerId != server) serverLeftGame_ = false;  // a new server has spoken
    if (serverLeaves) serverLeftGame_ = true;
}

void Lobby::OnSessionLost() {
    game_.Ui->MessageBox(game_.Msg(Msg::SessionLost));
    game_.NetEndFlag = 3;
    controls_.CloseWaitWindow();
}

void Lobby::Show() {
    controls_.SetReadySwitch(freshMap_ ? ReadySwitch{true, ReadyMapKnown, false} : ReadySwitch{});
    if (!freshMap_) view_.HideMap();
    freshMap_ = false;
    stateCount_ = MaxStates;
    view_.ShowPage(IsServer());
    if (IsServer() && net_.session.IsOpen()) {
        game_.TurnMinutes = uint8_t(turnMinutes_);
        SendTurnTime(net_);
    }
    flags_.FullStateReceived = false;
    flags_.TurnResultReceived = false;
}

void Lobby::SetStateCount(int n) { stateCount_ = std::clamp(n, MinStates, MaxStates); }

void Lobby::SetTurnMinutes(int minutes) {
    turnMinutes_ = std::clamp(minutes, 0, MaxTurnMinutes);
    game_.TurnMinutes = uint8_t(turnMinutes_);
    SendTurnTime(net_);
}

void Lobby::NewMap() {
    controls_.SetReadySwitch({true, ReadyMapKnown, controls_.ReadyLook().on});
    game_.GosCount = uint8_t(stateCount_);
    game_.MapSize = MapSize;
    view_.MakingMap();
    korvant::NewMap(game_);
    game_.DiffLevel = DiffNormal;
    freshMap_ = true;
    controls_.ShowLobbyMap();
    SendMap(net_);
}

void Lobby::SetReady(bool on) {
    ReadySwitch look = controls_.ReadyLook();
    look.on = on;
    controls_.SetReadySwitch(look);
    readySaid_ = on;
    SendReady(net_, on);
}

int Lobby::FreeStates() const {
    int n = 0;
    for (int s = 1; s <= game_.GosCount; ++s) n += game_.mGos[s].Human == 0 ? 1 : 0;
    return n;
}

Lobby::StartCheck Lobby::StartTick() {
    const int players = controls_.PlayerCount();
    if (players == 0 || !controls_.AllPlayersTicked()) return StartCheck::Waiting;
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
    return StartCheck::Start;
}

// Each session player draws states until a free one comes up.
void Lobby::PlacePersons() {
    const StateChange change(game_);
    for (const SessionPlayer& p : net_.session.Players()) {
        int s = 0;
        do s = 1 + game_.Random(game_.GosCount);
        while (game_.mGos[s].Human != 0);
        game_.mGos[s].Human = int32_t(p.Id);
        game_.mGos[s].PlayerName.setRaw(Utf8ToCp1251(p.Name).substr(0, PlayerNameLength));
    }
    for (int s = 1; s <= game_.GosCount; ++s) game_.mGos[s].Alive = 1;
    CheckFronts(game_);
}

bool Lobby::AcceptLoadedGame() {
    view_.HideMap();
    controls_.SetReadySwitch({});
    game_.GameMode = ModeNetServer;
    game_.DiffLevel = DiffNormal;

    std::string listed, left;
    int persons = 0, leftCount = 0;
    for (int s = 1; s <= game_.GosCount; ++s) {
        const TGos& gos = game_.mGos[s];
        if (gos.Alive == 0) continue;
        if (gos.Human != 0) listed += std::to_string(++persons) + ". " + gos.PlayerName.utf8() + "\n";
        else if (!gos.PlayerName.utf8().empty()) left += std::to_string(++leftCount) + ". " + gos.PlayerName.utf8() + "\n";
    }
    std::string report = game_.Msg(Msg::SavedForPlayers) + listed;
    if (!left.empty()) report += game_.Msg(Msg::PlayersWhoLeft) + left;

    const std::vector<SessionPlayer> players = net_.session.Players();
    int placed = 0;
    {
        const StateChange change(game_);
        for (int s = 1; s <= game_.GosCount; ++s) game_.mGos[s].Human = 0;
        for (const SessionPlayer& p : players) {
            for (int s = 1; s <= game_.GosCount; ++s) {
                TGos& gos = game_.mGos[s];
                if (gos.Alive == 0 || gos.Human != 0 || !SameName(gos.PlayerName.utf8(), p.Name)) continue;
                gos.Human = int32_t(p.Id);
                ++placed;
                break;
            }
        }
    }
    if (placed == int(players.size()) && placed == persons) return true;

    game_.Ui->MessageBox(report);
    const std::string self = LocalName(net_.session);
    bool ours = false;
    for (int s = 1; s <= game_.GosCount; ++s) ours |= SameName(game_.mGos[s].PlayerName.utf8(), self);
    return ours && game_.Ui->AskYesNo(game_.Msg(Msg::NotAllPlayersPresent));
}

NetGameEnd Lobby::PlayGame(const NetGameOptions& options, bool loaded) {
    // A client's first full state may come before its own start: it is kept.
    if (loaded) {
        SendStart(net_);
        flags_.FullStateReceived = false;
        flags_.TurnResultReceived = false;
    }
    flags_.NetTurns = 0;
    flags_.InNetGame = true;
    // Until its first full state a client knows its server from the lobby, so that it notices
    // him vanishing before the game's first year.
    if (!IsServer() && flags_.ServerId == 0) flags_.ServerId = lobbyServer_;
    serverLeftGame_ = false;
    view_.GameRunning(true);
    const NetGameEnd end = NetGameLoop(net_, windows_, options);
    view_.GameRunning(false);
    Show();
    flags_.InNetGame = false;
    view_.HideMap();
    controls_.UntickAllPlayers();
    readySaid_ = false;
    if (flags_.ServerLost) {
        net_.session.Close();
        RequestClose();
    }
    return end;
}

void Lobby::Close() {
    if (game_.GameMode == ModeNetServer && net_.session.Players().size() > 1) SendBecomeServer(net_);
    net_.session.Close();
}

void Lobby::RequestClose() { view_.CloseLobby(); }

}  // namespace korvant
