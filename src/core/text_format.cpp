#include "core/text_format.h"

#include <vector>

namespace korvant {

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values) {
    std::vector<std::string_view> v(values);
    std::size_t next = 0;
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size()) {
            char m = text[i + 1];
            if (m == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (m == 's' || m == 'd') {
                if (next < v.size()) {
                    out += v[next++];
                } else {
                    out += c;
                    out += m;
                }
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Dec(long long n) { return std::to_string(n); }

}  // namespace korvant
