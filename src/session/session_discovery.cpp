#include "session/session_discovery.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace korvant {

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), static_cast<std::size_t>(a.size())};
}

QByteArray Datagram(const std::vector<std::uint8_t>& d) {
    return QByteArray(reinterpret_cast<const char*>(d.data()), qsizetype(d.size()));
}

}  // namespace

QHostAddress DiscoveryAddress() {
    if (!qEnvironmentVariableIsSet("KORVANT_DISCOVERY_ADDRESS")) return QHostAddress(QHostAddress::Broadcast);
    QHostAddress a(qEnvironmentVariable("KORVANT_DISCOVERY_ADDRESS").trimmed());
    return a.protocol() == QAbstractSocket::IPv4Protocol ? a : QHostAddress();
}

DiscoveryResponder::DiscoveryResponder(wire::Identity who, std::uint16_t port,
                                       std::function<std::optional<wire::Advert>()> advert)
    : who_(std::move(who)), advert_(std::move(advert)), socket_(new QUdpSocket(this)) {
    // Bound to the any-address, or broadcasts are not received; shared, so that several sessions on
    // one computer all hear a search.
    socket_->bind(QHostAddress::AnyIPv4, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    connect(socket_, &QUdpSocket::readyRead, this, &DiscoveryResponder::Answer);
}

void DiscoveryResponder::Answer() {
    while (socket_->hasPendingDatagrams()) {
        QNetworkDatagram d = socket_->receiveDatagram(512);
        if (!d.isValid() || !wire::IsSearch(Bytes(d.data()), who_)) continue;
        if (std::optional<wire::Advert> a = advert_()) {
            // Only to the searcher, never broadcast.
            socket_->writeDatagram(Datagram(wire::EncodeAdvert(who_, *a)), d.senderAddress(), quint16(d.senderPort()));
        }
    }
}

SessionSearch::SessionSearch(std::uint16_t discoveryPort, wire::Identity who, QObject* parent)
    : QObject(parent), port_(discoveryPort), who_(std::move(who)), socket_(new QUdpSocket(this)) {
    connect(socket_, &QUdpSocket::readyRead, this, &SessionSearch::Collect);
}

bool SessionSearch::Search() {
    QHostAddress to = DiscoveryAddress();
    if (to.isNull()) return false;
    if (socket_->state() != QAbstractSocket::BoundState && !socket_->bind(QHostAddress::AnyIPv4, 0)) return false;
    target_ = to;
    return socket_->writeDatagram(Datagram(wire::EncodeSearch(who_)), target_, port_) > 0;
}

void SessionSearch::Collect() {
    while (socket_->hasPendingDatagrams()) {
        QNetworkDatagram d = socket_->receiveDatagram(512);
        if (!d.isValid()) continue;
        if (std::optional<wire::Advert> a = wire::ParseAdvert(Bytes(d.data()), who_)) {
            emit Found({d.senderAddress(), a->Port, a->Players, QString::fromUtf8(a->Name)});
        }
    }
}

}  // namespace korvant
