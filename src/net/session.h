#pragma once
// What the game asks of a network session, free of Qt so that the network blocks and the turn
// cycle can talk to it: players with nonzero 32-bit ids in one order on every computer, blocks
// sent to one player, to every other player, or to oneself, and the events of the session.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

using PlayerId = std::uint32_t;

inline constexpr PlayerId ToAllOthers = 0;  // Send's addressee for every player but the sender
inline constexpr int MaxSessionPlayers = 20;
inline constexpr std::size_t MinBlockBytes = 4;  // shorter blocks are refused

struct SessionPlayer {
    PlayerId Id = 0;
    std::string Name;  // UTF-8
    bool Remote = false;
};

// Why an open failed. Cancelling the connection dialog is no failure: the open never starts.
enum class OpenError {
    ConnectFailed,  // nobody answered at the address, or a player of the session could not be reached
    SessionFull,    // the session already has the most players it may have
    OtherProgram,   // the other side is not this game
    OtherVersion,   // the other side speaks another protocol version
    IdTaken,        // a player of the session already has our id
    Timeout,        // the other side did not finish the handshake in time
    ListenFailed,   // this computer cannot accept connections
    ProtocolError,  // the other side answered with something malformed
    NameTaken,      // a player of the session already has this name, letter case aside
    WrongPassword,  // the session asks for a password, and not the one given
};
std::string_view OpenErrorText(OpenError e);

enum class SendResult { Sent, IllegalForm, TooLarge, NotOpen, UnknownPlayer };
// "The message form is illegal" for a block shorter than MinBlockBytes.
std::string_view SendResultText(SendResult r);

// Events of a session; every one runs on the thread that owns the session. A handler may send or
// close, but must not destroy the session (use deleteLater or destroy it after the event).
//
// Events come from the event loop, one per pass, never from inside the session's own handling of
// the network, so a handler may open a box or a wait (a nested event loop): further events are
// delivered inside it, in order. The exceptions are calls the game makes itself: Create reports
// OnOpen (or OnOpenFailed) before it returns, and a block sent to oneself reaches OnMessage inside
// Send. Players() and LocalId() follow the events delivered, not the network: a player is listed
// from his OnAddPlayer on and no longer once his OnDeletePlayer was delivered, so every block's
// sender is listed when it arrives. After OnSessionLost or OnOpenFailed, and after Close, nobody is.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The session is open and the local player exists; OnAddPlayer for him follows at once.
    virtual void OnOpen() {}
    virtual void OnOpenFailed(OpenError) {}
    virtual void OnAddPlayer(const SessionPlayer&) {}
    virtual void OnDeletePlayer(const SessionPlayer&) {}
    // The block is only valid during the call.
    virtual void OnMessage(PlayerId from, std::span<const std::uint8_t> block) = 0;
    // This computer is cut off; the session is closed already.
    virtual void OnSessionLost() {}
};

class Session {
public:
    virtual ~Session() = default;
    void SetListener(SessionListener* listener) { listener_ = listener; }

    // Open as the events delivered have told (from OnOpen on), and blocks can be sent.
    virtual bool IsOpen() const = 0;
    // 0 while no session is open (as delivered: see SessionListener).
    virtual PlayerId LocalId() const = 0;
    // Every player, the local one included, in the order of joining, the same on every computer, as
    // the events delivered so far have told (see SessionListener).
    virtual std::vector<SessionPlayer> Players() const = 0;
    // To one player, to ToAllOthers, or to LocalId(), whose block reaches OnMessage before Send returns.
    // Each block arrives exactly once, and blocks of one sender in the order sent.
    virtual SendResult Send(PlayerId to, std::span<const std::uint8_t> block) = 0;
    // Leaves the session; the others see this player deleted at once. No events follow here, not
    // even those that were waiting.
    virtual void Close() = 0;

protected:
    SessionListener* listener_ = nullptr;
};

}  // namespace korvant
