#include "core/text_format.h"

#include <charconv>
#include <optional>
#include <vector>

#include "core/plural.h"

namespace korvant {
namespace {

// The form of a group's text "a/b/c" that goes with `number`.
std::string_view ChosenForm(std::string_view group, long long number) {
    std::vector<std::string_view> forms;
    for (std::size_t at = 0;;) {
        const std::size_t slash = group.find('/', at);
        forms.push_back(group.substr(at, slash == std::string_view::npos ? slash : slash - at));
        if (slash == std::string_view::npos) break;
        at = slash + 1;
    }
    return forms[PluralForm(number, forms.size())];
}

std::optional<long long> Number(std::string_view value) {
    long long n = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return n;
}

}  // namespace

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values) {
    std::vector<std::string_view> v(values);
    std::size_t next = 0;
    std::optional<long long> counted;  // the value of the last "%d", for a group of word forms
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '{' && counted) {
            const std::size_t close = text.find('}', i);
            if (close != std::string_view::npos) {
                out += ChosenForm(text.substr(i + 1, close - i - 1), *counted);
                i = close;
                continue;
            }
        }
        if (c == '%' && i + 1 < text.size()) {
            char m = text[i + 1];
            if (m == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (m == 's' || m == 'd') {
                if (next < v.size()) {
                    if (m == 'd') counted = Number(v[next]);
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
