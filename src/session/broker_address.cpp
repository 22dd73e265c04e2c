#include "session/broker_address.h"

#include "session/open_request.h"

namespace korvant {

std::optional<BrokerAddress> ParseBrokerAddress(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    BrokerAddress out;
    if (text.starts_with("mqtts://")) {
        out.Tls = true;
        out.Port = DefaultMqttTlsPort;
        text.remove_prefix(8);
    } else if (text.starts_with("mqtt://")) {
        text.remove_prefix(7);
    } else if (text.find("://") != std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<HostPort> where = ParseHostPort(text);
    if (!where) return std::nullopt;
    out.Host = where->Host;
    if (text.find(':') != std::string_view::npos) out.Port = where->Port;
    return out;
}

}  // namespace korvant
