#pragma once
// The session the connection dialog chose: over the local network or through an internet server.
// The layers above hold this one session for good; each open picks the transport underneath and
// the events of the one in use pass through unchanged.
#include "net/session.h"
#include "session/broker_session.h"
#include "session/open_request.h"
#include "session/tcp_session.h"

namespace korvant {

class ChosenSession final : public Session, private SessionListener {
public:
    ChosenSession();
    ~ChosenSession() override;

    // Closes the session in use and opens as asked. A broker address that cannot be read fails as
    // an unreachable one would, before this returns.
    void Open(const OpenRequest& request);

    bool IsOpen() const override { return current_->IsOpen(); }
    PlayerId LocalId() const override { return current_->LocalId(); }
    std::vector<SessionPlayer> Players() const override { return current_->Players(); }
    SendResult Send(PlayerId to, std::span<const std::uint8_t> block) override { return current_->Send(to, block); }
    void Close() override { current_->Close(); }

private:
    void OnOpen() override;
    void OnOpenFailed(OpenError e) override;
    void OnAddPlayer(const SessionPlayer& p) override;
    void OnDeletePlayer(const SessionPlayer& p) override;
    void OnMessage(PlayerId from, std::span<const std::uint8_t> block) override;
    void OnSessionLost() override;

    TcpSession tcp_;
    BrokerSession broker_;
    Session* current_ = &tcp_;
};

}  // namespace korvant
