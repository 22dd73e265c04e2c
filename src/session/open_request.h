#pragma once
// What the connection dialog hands to the session: create a new session, or join one at an address.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvant {

inline constexpr std::uint16_t DefaultGamePort = 47130;       // TCP, where a session accepts players
inline constexpr std::uint16_t DefaultDiscoveryPort = 47131;  // UDP, where sessions answer searches

struct OpenRequest {
    bool Create = true;
    std::string Name;  // the player's name, UTF-8
    std::string Host;  // Join: where to knock
    std::uint16_t Port = DefaultGamePort;
    // Through an internet server (an MQTT broker) instead of the local network: its address, the
    // session joined (known by its creator's name) and the session's password.
    bool ThroughBroker = false;
    std::string Broker;
    std::string Session;
    std::string Password;
};

struct HostPort {
    std::string Host;
    std::uint16_t Port = DefaultGamePort;
};

// "host" or "host:port" with blanks around; nothing for an empty host or a port outside 1..65535.
std::optional<HostPort> ParseHostPort(std::string_view text);

}  // namespace korvant
