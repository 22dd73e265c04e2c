#pragma once
// Sessions of a few players inside one test, without Qt or sockets: a block to oneself reaches
// the listener at once, inside Send; blocks to others wait until Deliver hands them over in the
// order sent. Every block sent is also kept for inspection.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "net/session.h"

namespace korvant::test {

class FakeNetwork;

class FakeSession final : public Session {
public:
    struct Sent {
        PlayerId to;
        std::vector<uint8_t> block;
    };

    FakeSession(FakeNetwork& network, PlayerId id) : network_(network), id_(id) {}
    bool IsOpen() const override { return true; }
    PlayerId LocalId() const override { return id_; }
    std::vector<SessionPlayer> Players() const override;
    SendResult Send(PlayerId to, std::span<const uint8_t> block) override;
    void Close() override {}

    SessionListener* Listener() const { return listener_; }
    std::vector<Sent> sent;

private:
    FakeNetwork& network_;
    PlayerId id_;
};

class FakeNetwork {
public:
    // A new player with the next id (1, 2, ...); the session stays valid as long as the network.
    FakeSession& Join(const std::string& name);
    // Hands every waiting block to its listener, also those sent meanwhile.
    void Deliver();

    std::vector<SessionPlayer> players;

private:
    friend class FakeSession;
    struct Pending {
        PlayerId from, to;
        std::vector<uint8_t> block;
    };
    std::vector<std::unique_ptr<FakeSession>> sessions_;
    std::deque<Pending> queue_;
};

}  // namespace korvant::test
