#pragma once
// One TCP connection of a session, with its framing and handshake state.
#include <QElapsedTimer>
#include <QTcpSocket>
#include <chrono>

#include "wire/frame_reader.h"
#include "wire/handshake.h"

namespace korvant {

// Frames of a peer not yet admitted: a Hello or a Welcome with 19 players fits many times over.
inline constexpr std::size_t MaxHandshakeFrameBytes = 16u << 10;

struct PeerLink {
    enum class State {
        AwaitHello,     // accepted; the other side must introduce itself
        AwaitAnnounce,  // a player linking to us whom the admitting computer has not announced yet
        AwaitWelcome,   // we knocked (to join, or to link to a player) and wait for the answer
        Open,           // carries the blocks of one player
    };

    QTcpSocket* Socket = nullptr;  // a child of the session
    wire::FrameReader Reader{MaxHandshakeFrameBytes};
    State Now = State::AwaitHello;
    wire::Intent Want = wire::Intent::Link;  // outgoing: what we knocked for
    PlayerId Id = 0;                         // the player at the other end, once known
    std::chrono::steady_clock::time_point HandshakeDeadline;
    QElapsedTimer Heard;  // since the last frame from him
    bool Dead = false;    // closed; swept from the session's list after the current event
};

}  // namespace korvant
