#include "session/chosen_session.h"

namespace korvant {

ChosenSession::ChosenSession() {
    tcp_.SetListener(this);
    broker_.SetListener(this);
}

ChosenSession::~ChosenSession() {
    tcp_.SetListener(nullptr);
    broker_.SetListener(nullptr);
}

void ChosenSession::Open(const OpenRequest& request) {
    current_->Close();
    if (!request.ThroughBroker) {
        current_ = &tcp_;
        return tcp_.Open(request);
    }
    current_ = &broker_;
    std::optional<BrokerAddress> where = ParseBrokerAddress(request.Broker);
    if (!where) return OnOpenFailed(OpenError::ConnectFailed);
    if (request.Create)
        broker_.Create(*where, request.Name, request.Password);
    else
        broker_.Join(*where, request.Name, request.Session, request.Password);
}

void ChosenSession::OnOpen() {
    if (listener_) listener_->OnOpen();
}
void ChosenSession::OnOpenFailed(OpenError e) {
    if (listener_) listener_->OnOpenFailed(e);
}
void ChosenSession::OnAddPlayer(const SessionPlayer& p) {
    if (listener_) listener_->OnAddPlayer(p);
}
void ChosenSession::OnDeletePlayer(const SessionPlayer& p) {
    if (listener_) listener_->OnDeletePlayer(p);
}
void ChosenSession::OnMessage(PlayerId from, std::span<const std::uint8_t> block) {
    if (listener_) listener_->OnMessage(from, block);
}
void ChosenSession::OnSessionLost() {
    if (listener_) listener_->OnSessionLost();
}

}  // namespace korvant
