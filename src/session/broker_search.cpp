#include "session/broker_search.h"

#include <QRandomGenerator>

#include "session/mqtt_client.h"
#include "wire/broker_wire.h"

namespace korvant {

using namespace wire::broker;

BrokerSearch::BrokerSearch(wire::Identity who, QObject* parent) : QObject(parent), who_(std::move(who)) {}

BrokerSearch::~BrokerSearch() { Stop(); }

bool BrokerSearch::Search(const BrokerAddress& broker) {
    Stop();
    id_ = QRandomGenerator::global()->generate() | 1;
    client_ = new MqttClient;
    client_->setParent(this);
    client_->Message = [this](const std::string& topic, std::span<const std::uint8_t> payload) {
        Received(topic, payload);
    };
    client_->Lost = [this] {
        Stop();
        emit Finished();
    };
    if (!client_->Connect(broker, IdText(id_), {}, 30)) {
        Stop();
        return false;
    }
    client_->Subscribe(PresenceFilter);
    client_->Subscribe(InboxFilter(id_));
    // Our probe comes back after every retained advert.
    client_->Publish(InboxTopic(id_, id_), EncodeLetter(Note::Probe, 0));
    return true;
}

void BrokerSearch::Received(const std::string& topic, std::span<const std::uint8_t> payload) {
    if (InboxSenderOf(topic, id_)) {
        Stop();
        emit Finished();
        return;
    }
    std::optional<Presence> p = ParsePresence(payload);
    if (!p || p->Now != Standing::Admitting || PresenceIdOf(topic) != p->Id) return;
    if (wire::CheckIdentity(p->Who, who_) != wire::Verdict::Accepted) return;
    emit Found({QString::fromStdString(p->Session), p->Players, p->Password});
}

void BrokerSearch::Stop() {
    if (!client_) return;
    client_->Disconnect(std::chrono::milliseconds(200));
    client_->Message = nullptr;
    client_->Lost = nullptr;
    client_->deleteLater();
    client_ = nullptr;
}

}  // namespace korvant
