#include "session/mqtt_client.h"

#include <mosquitto.h>

#include <QSocketNotifier>
#include <QTimer>
#include <mutex>

namespace korvant {

namespace {

constexpr const char* SystemCertificates = "/etc/ssl/certs";

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

}  // namespace

MqttClient::MqttClient() {
    InitLibrary();
    m_ = mosquitto_new(nullptr, true, this);
    misc_ = new QTimer(this);
    misc_->setInterval(100);
    connect(misc_, &QTimer::timeout, this, &MqttClient::Misc);
}

MqttClient::~MqttClient() {
    StopWatching();
    if (m_) mosquitto_destroy(m_);
}

bool MqttClient::Connect(const BrokerAddress& where, const std::string& clientId, const Will& will,
                         int keepAliveSeconds) {
    mosquitto_reinitialise(m_, clientId.c_str(), true, this);
    accepted_ = broke_ = false;
    received_.clear();
    mosquitto_int_option(m_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_int_option(m_, MOSQ_OPT_TCP_NODELAY, 1);
    // Every message goes to the socket at once: none waits for a window of acknowledgements, so
    // a leave sends all that was published before it.
    mosquitto_max_inflight_messages_set(m_, 0);
    mosquitto_connect_callback_set(m_, &MqttClient::OnConnect);
    mosquitto_message_callback_set(m_, &MqttClient::OnMessage);
    mosquitto_disconnect_callback_set(m_, &MqttClient::OnDisconnect);
    mosquitto_publish_callback_set(m_, &MqttClient::OnPublished);
    unacknowledged_ = 0;
    if (!will.Topic.empty() && mosquitto_will_set(m_, will.Topic.c_str(), int(will.Payload.size()), will.Payload.data(),
                                                  1, true) != MOSQ_ERR_SUCCESS)
        return false;
    tls_ = where.Tls;
    if (tls_ && mosquitto_tls_set(m_, nullptr, SystemCertificates, nullptr, nullptr, nullptr) != MOSQ_ERR_SUCCESS)
        return false;
    if (mosquitto_connect(m_, where.Host.c_str(), where.Port, keepAliveSeconds) != MOSQ_ERR_SUCCESS) return false;
    up_ = true;
    int fd = mosquitto_socket(m_);
    read_ = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(read_, &QSocketNotifier::activated, this, &MqttClient::Readable);
    write_ = new QSocketNotifier(qintptr(fd), QSocketNotifier::Write, this);
    connect(write_, &QSocketNotifier::activated, this, &MqttClient::Writable);
    misc_->start();
    WatchWrites();
    return true;
}

bool MqttClient::Publish(const std::string& topic, std::span<const std::uint8_t> payload, bool retain) {
    if (!up_) return false;
    int rc = mosquitto_publish(m_, nullptr, topic.c_str(), int(payload.size()), payload.data(), 1, retain);
    if (rc == MOSQ_ERR_SUCCESS) ++unacknowledged_;
    WatchWrites();
    return rc == MOSQ_ERR_SUCCESS;
}

void MqttClient::Subscribe(const std::string& filter) {
    if (!up_) return;
    mosquitto_subscribe(m_, nullptr, filter.c_str(), 1);
    WatchWrites();
}

void MqttClient::Unsubscribe(const std::string& filter) {
    if (!up_) return;
    mosquitto_unsubscribe(m_, nullptr, filter.c_str());
    WatchWrites();
}

bool MqttClient::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (up_ && !done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        if (mosquitto_loop(m_, 20, 1) != MOSQ_ERR_SUCCESS) Broke();
        Dispatch();
    }
    WatchWrites();
    return up_ && done();
}

void MqttClient::Disconnect(std::chrono::milliseconds limit) {
    if (!up_) return;
    auto end = std::chrono::steady_clock::now() + limit;
    // Until the broker has acknowledged every message: closing the connection while its
    // acknowledgements wait unread would reset it, and the broker would drop what it had not read.
    bool sent = true;
    while (mosquitto_want_write(m_) || unacknowledged_ > 0) {
        if (std::chrono::steady_clock::now() >= end || mosquitto_loop(m_, 10, 1) != MOSQ_ERR_SUCCESS) {
            sent = false;
            break;
        }
    }
    up_ = false;
    StopWatching();
    received_.clear();
    // What was not sent would be lost without a word: then the connection just ends (when the
    // client is destroyed) and the broker publishes the will, so nobody waits for us.
    if (!sent) return;
    mosquitto_disconnect(m_);
    // The DISCONNECT goes out at once; a last write sends whatever part of it is left.
    mosquitto_loop_write(m_, 1);
}

void MqttClient::OnConnect(mosquitto*, void* self, int rc) {
    auto* c = static_cast<MqttClient*>(self);
    if (rc != 0)
        c->broke_ = true;
    else
        c->accepted_ = true;
}

void MqttClient::OnMessage(mosquitto*, void* self, const mosquitto_message* m) {
    auto* c = static_cast<MqttClient*>(self);
    const auto* bytes = static_cast<const std::uint8_t*>(m->payload);
    c->received_.emplace_back(m->topic, std::vector<std::uint8_t>(bytes, bytes + m->payloadlen));
}

void MqttClient::OnPublished(mosquitto*, void* self, int) { --static_cast<MqttClient*>(self)->unacknowledged_; }

void MqttClient::OnDisconnect(mosquitto*, void* self, int) { static_cast<MqttClient*>(self)->broke_ = true; }

void MqttClient::Readable() {
    if (up_ && mosquitto_loop_read(m_, 1) != MOSQ_ERR_SUCCESS) broke_ = true;
    Dispatch();
}

void MqttClient::Writable() {
    if (up_ && mosquitto_loop_write(m_, 1) != MOSQ_ERR_SUCCESS) broke_ = true;
    Dispatch();
}

void MqttClient::Misc() {
    if (!up_) return;
    if (mosquitto_loop_misc(m_) != MOSQ_ERR_SUCCESS) broke_ = true;
    // A TLS connection may hold decrypted bytes that the socket no longer shows.
    if (tls_ && up_ && !broke_ && mosquitto_loop_read(m_, 1) != MOSQ_ERR_SUCCESS) broke_ = true;
    Dispatch();
}

void MqttClient::Dispatch() {
    if (accepted_ && up_) {
        accepted_ = false;
        if (Connected) Connected(true);
    }
    while (up_ && !received_.empty()) {
        auto [topic, payload] = std::move(received_.front());
        received_.pop_front();
        if (Message) Message(topic, payload);
    }
    if (broke_) Broke();
    WatchWrites();
}

void MqttClient::WatchWrites() {
    if (write_) write_->setEnabled(up_ && mosquitto_want_write(m_));
}

void MqttClient::Broke() {
    broke_ = false;
    if (!up_) return;
    up_ = false;
    received_.clear();
    StopWatching();
    if (Lost) Lost();
}

void MqttClient::StopWatching() {
    misc_->stop();
    // The notifiers may be the ones whose signal runs now.
    for (QSocketNotifier* n : {read_, write_}) {
        if (!n) continue;
        n->setEnabled(false);
        n->deleteLater();
    }
    read_ = write_ = nullptr;
}

}  // namespace korvant
