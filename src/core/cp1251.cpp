#include "core/cp1251.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace korvant {
namespace {

// The upper half of the code page, taken once from the C library's converter.
struct Table {
    std::array<char32_t, 128> upper{};                 // byte 0x80 + i -> code point, 0 if undefined
    std::unordered_map<char32_t, unsigned char> back;  // code point -> byte

    Table() {
        iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1251");
        for (int i = 0; i < 128; ++i) {
            char in = char(0x80 + i);
            uint32_t out = 0;
            char* ip = &in;
            char* op = reinterpret_cast<char*>(&out);
            size_t il = 1, ol = 4;
            if (cd != iconv_t(-1) && iconv(cd, &ip, &il, &op, &ol) != size_t(-1) && ol == 0) {
                upper[i] = char32_t(out);
                back.emplace(char32_t(out), static_cast<unsigned char>(0x80 + i));
            }
        }
        if (cd != iconv_t(-1)) iconv_close(cd);
    }
};

const Table& table() {
    static const Table t;
    return t;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes one code point at s[i], advancing i; returns U+FFFD for a bad sequence.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    unsigned char b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0 || b >= 0xF8) return 0xFFFD;
    char32_t c = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) return 0xFFFD;
        unsigned char n = static_cast<unsigned char>(s[i]);
        if ((n & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (n & 0x3F);
        ++i;
    }
    return c;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
    const Table& t = table();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = nextCodePoint(utf8, i);
        if (c < 0x80) {
            out += char(c);
        } else if (auto it = t.back.find(c); it != t.back.end()) {
            out += char(it->second);
        } else {
            out += '?';
        }
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    const Table& t = table();
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char ch : cp1251) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else {
            char32_t c = t.upper[b - 0x80];
            appendUtf8(out, c ? c : U'?');
        }
    }
    return out;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        nextCodePoint(utf8, i);
        ++n;
    }
    return n;
}

}  // namespace korvant
