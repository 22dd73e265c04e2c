#pragma once
// An INI file read and written as UTF-8. Section and key names match without
// regard to case. Writes stay in memory until Flush, which replaces the file
// in one step, so a failed write never leaves half a file behind.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as empty (see Loaded).
    explicit IniFile(std::filesystem::path path);
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    bool Loaded() const { return loaded_; }
    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is not a whole number in range reads as `fallback`.
    long ReadInteger(std::string_view section, std::string_view key, long fallback) const;
    // "1"/"0" and "true"/"false" (any case); anything else reads as `fallback`.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // Keys of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Writes the file to disk; false (and the file untouched) when that fails.
    bool Flush();

private:
    struct Impl;
    std::filesystem::path path_;
    std::unique_ptr<Impl> impl_;
    bool loaded_ = false;
};

}  // namespace korvant
