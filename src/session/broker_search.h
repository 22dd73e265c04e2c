#pragma once
// The open sessions on an internet server: every admitting player's retained advert, read once
// when the connection dialog's search button is pressed, after which the connection is left.
#include <QObject>
#include <QString>

#include "session/broker_address.h"
#include "wire/handshake.h"

namespace korvant {

class MqttClient;

struct FoundOnBroker {
    QString Session;  // the creator's name, by which it is joined
    int Players = 0;
    bool Password = false;
};

class BrokerSearch final : public QObject {
    Q_OBJECT
public:
    explicit BrokerSearch(wire::Identity who = {}, QObject* parent = nullptr);
    ~BrokerSearch() override;

    // Starts reading the adverts; false, with nothing started, when the broker cannot be reached.
    bool Search(const BrokerAddress& broker);

signals:
    void Found(const korvant::FoundOnBroker& session);
    // Every advert has come (or the connection broke); the search is over.
    void Finished();

private:
    void Received(const std::string& topic, std::span<const std::uint8_t> payload);
    void Stop();

    wire::Identity who_;
    MqttClient* client_ = nullptr;
    std::uint32_t id_ = 0;
};

}  // namespace korvant
