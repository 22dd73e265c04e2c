#include "session/open_request.h"

#include <charconv>

namespace korvant {

std::optional<HostPort> ParseHostPort(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    HostPort out;
    std::size_t colon = text.rfind(':');
    if (colon != std::string_view::npos) {
        std::string_view port = text.substr(colon + 1);
        unsigned value = 0;
        auto [end, err] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (err != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535) return std::nullopt;
        out.Port = static_cast<std::uint16_t>(value);
        text = text.substr(0, colon);
    }
    if (text.empty() || text.find_first_of(" \t:") != std::string_view::npos) return std::nullopt;
    out.Host = std::string(text);
    return out;
}

}  // namespace korvant
