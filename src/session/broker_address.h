#pragma once
// Where the broker is: "host", "host:port", "mqtt://host[:port]" or "mqtts://host[:port]" (TLS).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvant {

inline constexpr std::uint16_t DefaultMqttPort = 1883;
inline constexpr std::uint16_t DefaultMqttTlsPort = 8883;

struct BrokerAddress {
    std::string Host;
    std::uint16_t Port = DefaultMqttPort;
    bool Tls = false;
};

// Nothing for an empty host, a port outside 1..65535 or another scheme.
std::optional<BrokerAddress> ParseBrokerAddress(std::string_view text);

}  // namespace korvant
