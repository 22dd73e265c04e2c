#pragma once
// Finding sessions on the local network by UDP broadcast. A session's admitting computer answers
// searches; a search goes out only when asked for (the dialog's button), never by itself.
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "session/open_request.h"
#include "wire/discovery_messages.h"

class QUdpSocket;

namespace korvant {

// Where searches go: the address in the environment variable KORVANT_DISCOVERY_ADDRESS when it is
// set (development machines keep searches on loopback with 127.255.255.255), the LAN broadcast
// otherwise. A value that is not an IPv4 address gives a null address: nothing is sent.
QHostAddress DiscoveryAddress();

// Answers searches on the discovery port while `advert` has something to say.
class DiscoveryResponder final : public QObject {
public:
    DiscoveryResponder(wire::Identity who, std::uint16_t port, std::function<std::optional<wire::Advert>()> advert);

private:
    void Answer();

    wire::Identity who_;
    std::function<std::optional<wire::Advert>()> advert_;
    QUdpSocket* socket_;
};

struct FoundSession {
    QHostAddress Address;
    std::uint16_t Port = 0;
    int Players = 0;
    QString Name;
};

class SessionSearch final : public QObject {
    Q_OBJECT
public:
    explicit SessionSearch(std::uint16_t discoveryPort = DefaultDiscoveryPort, wire::Identity who = {},
                           QObject* parent = nullptr);

    // Sends one search to DiscoveryAddress(); answers arrive as Found. False, with nothing sent,
    // when that address is unusable or no socket can be opened.
    bool Search();
    // Where the last search went (null before the first).
    QHostAddress Target() const { return target_; }

signals:
    void Found(const korvant::FoundSession& session);

private:
    void Collect();

    std::uint16_t port_;
    wire::Identity who_;
    QUdpSocket* socket_;
    QHostAddress target_;
};

}  // namespace korvant
