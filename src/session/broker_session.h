#pragma once
// The session through a standard MQTT broker: every player connects out to the broker, so nobody
// needs to accept connections (play behind home routers). It behaves to its listener as the TCP
// session does: the earliest player still present admits joiners and tells everybody of them, so
// all list the players in one order; anyone, the creator included, may leave and the rest stay.
// The broker's keep-alive replaces ours: a player the broker loses is reported by his will.
// The session is known by its creator's name; a password chosen by the creator keeps strangers out.
#include <QObject>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "net/session.h"
#include "session/broker_address.h"
#include "session/session_events.h"
#include "wire/broker_wire.h"

class QTimer;

namespace korvant {

class MqttClient;

struct BrokerSessionOptions {
    // Joining must be answered by then; creating must hear from the broker by then.
    std::chrono::milliseconds HandshakeTimeout{5000};
    int KeepAliveSeconds = 10;  // the broker sends a silent player's will after 1.5 times this
    PlayerId Id = 0;            // 0: a random one
    wire::Identity Who;
};

class BrokerSession final : public QObject, public Session {
public:
    explicit BrokerSession(BrokerSessionOptions options = {}, QObject* parent = nullptr);
    ~BrokerSession() override;

    // Closes any open session first. Create reports OnOpen (or OnOpenFailed: no broker, or a session
    // of this name is there already) before it returns; Join reports either later, from the event loop.
    void Create(const BrokerAddress& broker, const std::string& name, const std::string& password = {});
    void Join(const BrokerAddress& broker, const std::string& name, const std::string& session,
              const std::string& password = {});

    bool IsOpen() const override { return phase_ == Phase::Open && !events_.Shown().empty(); }
    PlayerId LocalId() const override { return events_.Shown().empty() ? 0 : localId_; }
    std::vector<SessionPlayer> Players() const override { return events_.Shown(); }
    SendResult Send(PlayerId to, std::span<const std::uint8_t> block) override;
    void Close() override;

private:
    enum class Phase { Closed, Scanning, Knocking, Open };
    using Event = SessionEvent;
    struct Early {  // a letter from a player not announced yet
        PlayerId From;
        std::vector<std::uint8_t> Payload;
        std::chrono::steady_clock::time_point Expires;
    };

    // A fresh connection to the broker under `name`; false (and the listener told) when it fails.
    bool Begin(const BrokerAddress& broker, const std::string& name);
    void Received(const std::string& topic, std::span<const std::uint8_t> payload);
    void HandlePresence(PlayerId id, std::span<const std::uint8_t> payload);
    void HandleLetter(PlayerId from, std::span<const std::uint8_t> payload);
    void FinishScan();
    void Admit(PlayerId from, std::uint64_t token, std::span<const std::uint8_t> body);
    void HandleAnswer(PlayerId from, std::uint64_t token, std::span<const std::uint8_t> body);
    void HandleAnnounce(std::span<const std::uint8_t> body);
    void Refuse(PlayerId to, wire::Verdict v);
    void Write(PlayerId to, wire::broker::Note kind, std::span<const std::uint8_t> body = {});
    void Insert(wire::broker::Member m);
    void RemoveMember(PlayerId id);
    void PublishPresence();
    wire::broker::Presence OwnPresence(wire::broker::Standing now) const;
    // Our presence as gone, signed with our token: the will, and the record of a clean leave.
    std::vector<std::uint8_t> SignedGone() const;
    bool Admitting() const;
    void Tell(Event e, bool rosterChanged);
    std::vector<SessionPlayer> Roster() const;
    void FailOpen(OpenError e);
    void LoseSession();
    void Shutdown(bool sayGoodbye);
    void Tick();
    const wire::broker::Member* FindMember(PlayerId id) const;

    BrokerSessionOptions options_;
    Phase phase_ = Phase::Closed;
    MqttClient* client_ = nullptr;  // freed later: it may be the one calling
    PlayerId localId_ = 0;
    std::uint64_t token_ = 0;
    std::string localName_;
    std::string sessionName_;  // the creator's name
    std::string password_;
    bool connected_ = false;  // the broker took us
    bool scanned_ = false;    // every retained presence has come
    bool creating_ = false;
    std::uint32_t localSeq_ = 0;
    std::uint32_t highestSeq_ = 0;
    std::vector<wire::broker::Member> members_;    // in joining order, the local player not among them
    std::vector<wire::broker::Presence> adverts_;  // while scanning: sessions of this name
    std::optional<wire::Verdict> foreign_;         // while scanning: a session of another version or program
    std::optional<wire::Verdict> refused_;         // while knocking: the last refusal
    std::vector<PlayerId> knocked_;                // while knocking: who has not answered
    std::vector<std::uint8_t> published_;          // our presence as last published
    std::deque<Early> early_;
    SessionEvents events_{listener_};
    QTimer* deadline_ = nullptr;
    QTimer* tick_ = nullptr;
};

}  // namespace korvant
