#include "app/ini_file.h"

#include <SimpleIni.h>

#include "core/replace_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <fstream>
#include <sstream>
#include <system_error>

namespace korvant {

struct IniFile::Impl {
    CSimpleIniA ini{/*isUtf8=*/true, /*multiKey=*/false, /*multiLine=*/false};
};

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)), impl_(std::make_unique<Impl>()) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;
    std::ostringstream buf;
    buf << in.rdbuf();
    std::string data = buf.str();
    // The parser stops at a NUL byte; a damaged line must not hide the rest of the file.
    std::replace(data.begin(), data.end(), '\0', '\n');
    loaded_ = impl_->ini.LoadData(data) >= 0;
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    const char* v = impl_->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    return v ? std::string(v) : std::string(fallback);
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long fallback) const {
    std::string v = ReadString(section, key, {});
    // Like the traditional reader: surrounding blanks are allowed, nothing else.
    std::size_t b = v.find_first_not_of(" \t");
    std::size_t e = v.find_last_not_of(" \t");
    if (b == std::string::npos) return fallback;
    std::string_view s(v.data() + b, e - b + 1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    long n = 0;
    int base = 10;
    if (s.size() > 1 && s[0] == '$') {  // hexadecimal, as the old INI readers also took
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n, base);
    if (ec != std::errc() || p != s.data() + s.size() || n < INT_MIN || n > INT_MAX) return fallback;
    return n;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    std::string v = ReadString(section, key, {});
    for (char& c : v) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (v == "1" || v == "true") return true;
    if (v == "0" || v == "false") return false;
    long n = ReadInteger(section, key, LONG_MIN);
    if (n != LONG_MIN) return n != 0;
    return fallback;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return impl_->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr) != nullptr;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    CSimpleIniA::TNamesDepend keys;
    impl_->ini.GetAllKeys(std::string(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> out;
    for (const auto& k : keys) out.emplace_back(k.pItem);
    return out;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    impl_->ini.SetValue(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str());
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::Flush() {
    std::string data;
    if (impl_->ini.Save(data) < 0) return false;
    try {
        ReplaceFile(path_, {std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size())});
    } catch (const FileWriteError&) {
        return false;
    }
    return true;
}

}  // namespace korvant
