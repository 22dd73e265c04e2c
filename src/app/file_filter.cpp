#include "app/file_filter.h"

#include <vector>

namespace korvant {

std::string DialogFilter(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t a = 0;;) {
        std::size_t b = text.find('|', a);
        parts.push_back(text.substr(a, b == std::string_view::npos ? std::string_view::npos : b - a));
        if (b == std::string_view::npos) break;
        a = b + 1;
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i + 1].empty()) continue;
        if (!out.empty()) out += ";;";
        out += std::string(parts[i]);
        // The pattern list goes in brackets, with the dialog's blanks instead of ';'.
        std::string patterns(parts[i + 1]);
        for (char& c : patterns)
            if (c == ';') c = ' ';
        if (std::string(parts[i]).find('(' + patterns + ')') == std::string::npos) out += " (" + patterns + ")";
    }
    return out;
}

}  // namespace korvant
