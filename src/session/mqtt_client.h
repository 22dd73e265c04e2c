#pragma once
// An MQTT 3.1.1 client (libmosquitto) driven by the owning thread's Qt event loop: a socket notifier
// reads and writes, a timer runs the keep-alive. No thread of its own, so every callback runs on the
// owner's thread between its other events and the session needs no locks; the session's listener
// still hears only from its own event queue. Connecting is blocking (name lookup and TCP connect),
// as a TCP session's listening is.
#include <QObject>
#include <chrono>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "session/broker_address.h"

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;
class QTimer;

namespace korvant {

class MqttClient final : public QObject {
public:
    struct Will {
        std::string Topic;
        std::vector<std::uint8_t> Payload;
    };
    // The broker's answer to the connect: true when it took us.
    std::function<void(bool)> Connected;
    std::function<void(const std::string& topic, std::span<const std::uint8_t> payload)> Message;
    // The connection broke or the broker refused it; nothing more comes.
    std::function<void()> Lost;

    MqttClient();
    ~MqttClient() override;

    // Connects as `clientId` with a retained will; false when the broker cannot be reached at all.
    bool Connect(const BrokerAddress& where, const std::string& clientId, const Will& will, int keepAliveSeconds);
    // QoS 1; false when the client is not connected or the payload is refused.
    bool Publish(const std::string& topic, std::span<const std::uint8_t> payload, bool retain = false);
    void Subscribe(const std::string& filter);
    void Unsubscribe(const std::string& filter);
    // Runs the client alone, without the event loop, until `done` holds, the connection breaks or
    // `limit` passes: for an open the game waits for. True when `done` held.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Sends what waits (for at most `limit`) and leaves cleanly: the broker drops the will. When
    // not all could be sent, it leaves as a lost client does, and the broker publishes the will.
    void Disconnect(std::chrono::milliseconds limit);

private:
    static void OnConnect(mosquitto*, void* self, int rc);
    static void OnMessage(mosquitto*, void* self, const mosquitto_message* m);
    static void OnDisconnect(mosquitto*, void* self, int rc);
    static void OnPublished(mosquitto*, void* self, int mid);
    void Readable();
    void Writable();
    void Misc();
    void WatchWrites();
    void Broke();
    void StopWatching();
    // Hands what the library's callbacks recorded to the handlers, outside the library's own
    // locks: a handler may publish, or leave, which runs the library again.
    void Dispatch();

    mosquitto* m_ = nullptr;
    QSocketNotifier* read_ = nullptr;
    QSocketNotifier* write_ = nullptr;
    QTimer* misc_ = nullptr;
    bool tls_ = false;
    bool up_ = false;          // connected, and not yet broken or left
    bool accepted_ = false;    // the broker's answer came, not yet handed on
    bool broke_ = false;       // the connection broke, not yet handed on
    long unacknowledged_ = 0;  // messages published that the broker has not acknowledged yet
    std::deque<std::pair<std::string, std::vector<std::uint8_t>>> received_;
};

}  // namespace korvant
