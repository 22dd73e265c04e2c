#pragma once
// The session's framing: every message between two computers is a 4-byte little-endian length
// followed by that many bytes, the first of which names the kind of message. The reader is a
// pure function of the bytes fed to it, so it is fuzzed without sockets.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvant::wire {

// The largest real block is the full game state: 90792 + 264 bytes per message of the year's
// message list. 4 MiB holds over 15 000 messages, far beyond any year, and still bounds what a
// hostile peer can make us buffer.
inline constexpr std::size_t MaxFrameBytes = 4u << 20;

enum class FrameKind : std::uint8_t {
    Hello = 1,      // handshake: who I am and what I want (join the session, or link to a player)
    Welcome = 2,    // handshake answer: accepted (with the roster), refused, or go to another computer
    Announce = 3,   // a player admitted to the session, sent by the computer that admitted him
    Data = 4,       // a block of the game
    KeepAlive = 5,  // nothing to say, still here
    Leave = 6,      // a clean leave
};

struct Frame {
    FrameKind Kind;
    std::vector<std::uint8_t> Body;  // the bytes after the kind
};

// A whole frame, length prefix included, ready to write.
std::vector<std::uint8_t> EncodeFrame(FrameKind kind, std::span<const std::uint8_t> body = {});

class FrameReader {
public:
    explicit FrameReader(std::size_t limit = MaxFrameBytes) : limit_(limit) {}
    // A handshake's frames are small: a peer not yet admitted gets a tighter limit.
    void SetLimit(std::size_t limit) { limit_ = limit; }
    void Append(std::span<const std::uint8_t> bytes);
    // The next complete frame, or nothing while one is incomplete or once the stream is broken.
    std::optional<Frame> Next();
    // A length of zero or above the limit, or an unknown kind: the connection must close.
    bool Broken() const { return broken_; }
    // Bytes of an incomplete frame are waiting (a truncated frame when the connection ends).
    bool Pending() const { return start_ < buffer_.size(); }

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
    std::size_t limit_;
    bool broken_ = false;
};

}  // namespace korvant::wire
