#pragma once
// The network game as this computer sees it, in one place: the phase, why the game ended here,
// the session's players with their ready ticks and finished turns, who serves the lobby and the
// game, and what the year's data has brought. The receive handler judges every block by it; the
// lobby drives its transitions; the lobby window, the wait window, the command screen and the
// headless peer only show it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "net/backup_block.h"
#include "net/session.h"

namespace korvant {

// Captured's mark of a person who has ended his turn, as the blocks carry it. The turn itself is
// known finished by the roster, which a count of captured cells cannot imitate.
inline constexpr uint16_t TurnFinishedMark = 39;
// The longest turn a server may set, in minutes.
inline constexpr int MaxTurnMinutes = 10;

enum class NetPhase {
    Closed,    // no session
    Opening,   // the session is being opened or joined
    Lobby,     // in the lobby: maps, ready ticks, chat
    Starting,  // a start block or the game's first full state has come; the game is about to run
    Playing,   // the network game loop runs here
};

// Why the game ended for this computer; None while it goes on.
enum class NetEnd : uint8_t {
    None,
    EndedByServer,  // the server's person ended the game for everybody
    Aborted,        // this person aborted in the wait window, or nobody was left to wait for
    SessionLost,    // this computer was cut off from the session
    ServerLost,     // the turn found no server, or the server vanished without handing its role on
};

struct NetMember {
    PlayerId id = 0;
    std::string name;  // UTF-8, as the session knows it
    bool remote = true;
    bool ready = false;         // his lobby switch is on
    bool turnFinished = false;  // he has ended this year's turn
    bool turnReceived = false;  // the server has his turn of this year
    bool operator==(const NetMember&) const = default;
};

// What a newcomer's lobby offers while a game runs in the session.
enum class RejoinOffer {
    None,     // no game runs, or none was announced
    Offered,  // a state of the running game waits for this person's name: "Вернуться в игру"
    NoState,  // a game runs, but no state of it waits for this name
    Asked,    // he asked for his state back; it comes with the next year
};

// The lobby's "ready" switch and the circle behind it.
inline constexpr int32_t ReadyGrey = 0xC0C0C0;  // no map known yet
inline constexpr int32_t ReadyMapKnown = 0xFF8080;
struct ReadySwitch {
    bool enabled = false;
    int32_t colour = ReadyGrey;
    bool on = false;
    bool operator==(const ReadySwitch&) const = default;
};

class NetModel {
public:
    NetPhase phase = NetPhase::Closed;
    NetEnd end = NetEnd::None;
    PlayerId serverId = 0;       // the game's server; 0 while none is known
    PlayerId lobbyServerId = 0;  // who makes the lobby's map and starts its games
    bool fullStateReceived = false;
    bool turnResultReceived = false;
    int netTurns = 0;  // turns this computer's person played in the running game
    ReadySwitch ready;
    std::vector<NetMember> roster;  // in session order
    // A year's results held back until the server's leave comes (Admission::Hold), unpacked.
    PlayerId heldFrom = 0;
    std::vector<uint8_t> heldYear;

    // Losing a computer. While the server is gone, the person who takes its role over.
    PlayerId heir = 0;
    // A takeover that came before this computer saw the server leave, and what its sender sent
    // after it, kept until then.
    PlayerId earlyTakeover = 0;
    int earlyTakeoverYear = 0;
    std::vector<std::vector<uint8_t>> earlyBlocks;
    static constexpr std::size_t MaxEarlyBlocks = 64;
    // The latest backup: on the heir as it came, on the server as it went out.
    std::vector<uint8_t> backup;
    // This person's turn as sent to the server, kept until the year's results come.
    std::vector<uint8_t> keptTurn;
    int keptTurnYear = 0;
    // The persons' table: who dropped out of the session from which state.
    DroppedPersons dropped;
    // On the server: newcomers who get their states back when the next year begins.
    std::map<PlayerId, int> rejoining;
    // On a newcomer: what his lobby offers while a game runs.
    RejoinOffer rejoin = RejoinOffer::None;

    bool InGame() const { return phase == NetPhase::Starting || phase == NetPhase::Playing; }
    bool Ended() const { return end != NetEnd::None; }
    // Ends the game here for `why`, unless it has already ended for another reason.
    void End(NetEnd why) {
        if (end == NetEnd::None) end = why;
    }

    // The session's players when it opened; nobody ready.
    void SetRoster(const std::vector<SessionPlayer>& players);
    // A player joined; a second report of one already listed changes nothing.
    void Add(const SessionPlayer& player);
    void Remove(PlayerId id);
    NetMember* Find(PlayerId id);
    const NetMember* Find(PlayerId id) const;
    bool Listed(PlayerId id) const { return Find(id) != nullptr; }
    std::string NameOf(PlayerId id) const;
    bool EveryoneReady() const;
    void SetEveryoneReady(bool ready);
    // A new year's persons' phase: nobody has ended his turn yet.
    void ClearTurns();
    // A new game (or the lobby again): no data received, no turn played, no end; the phase, the
    // servers, the ready switch and the roster stay, with nobody's turn ended.
    void ResetGame();
    // True the first time a block of `kind` from `from` is refused: only that one is shown.
    bool FirstRefusal(PlayerId from, int32_t kind) { return refusalsShown_.insert({from, kind}).second; }

private:
    std::set<std::pair<PlayerId, int32_t>> refusalsShown_;
};

}  // namespace korvant
