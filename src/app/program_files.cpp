#include "app/program_files.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "app/ini_file.h"
#include "core/replace_file.h"

namespace korvant {
namespace {

bool present(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

bool writable(const std::filesystem::path& p) { return ::access(p.c_str(), W_OK) == 0; }

std::optional<std::vector<uint8_t>> readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// What the person chose and must survive a newer language file: his settings and his language.
void carryChoices(const IniFile& from, IniFile& to) {
    for (const std::string& key : from.Keys("Preferences"))
        to.WriteString("Preferences", key, from.ReadString("Preferences", key, ""));
    if (from.HasKey("Languages", "Default"))
        to.WriteString("Languages", "Default", from.ReadString("Languages", "Default", ""));
}

// Which installed language file a copy was made from: any new installation changes it.
std::string stampOf(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    const auto time = std::filesystem::last_write_time(file, ec).time_since_epoch().count();
    return std::to_string(size) + ":" + std::to_string(time);
}

// Makes `copy` the person's copy of `shipped`; false when there is none to read.
bool copyLanguageFile(const std::filesystem::path& shipped, const std::filesystem::path& copy) {
    constexpr std::string_view Section = "Installed", Key = "Stamp";
    const std::string stamp = stampOf(shipped);
    const bool had = present(copy);
    const IniFile previous(copy);
    if (had && previous.ReadString(Section, Key, "") == stamp) return true;
    const auto bytes = readAll(shipped);
    if (!bytes) return had;
    std::error_code ec;
    std::filesystem::create_directories(copy.parent_path(), ec);
    try {
        ReplaceFile(copy, {std::span<const uint8_t>(*bytes)});
    } catch (const FileWriteError&) {
        return had;
    }
    IniFile fresh(copy);
    if (had) carryChoices(previous, fresh);
    fresh.WriteString(Section, Key, stamp);
    fresh.Flush();
    return true;
}

}  // namespace

std::filesystem::path ProgramFile(const char* argv0) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !p.empty()) return p;
    return std::filesystem::absolute(argv0 ? argv0 : "korvant", ec);
}

std::filesystem::path IniFileFor(const std::filesystem::path& program) {
    std::filesystem::path ini = program;
    ini.replace_extension(".ini");
    return ini;
}

std::filesystem::path InstalledDataDir() { return KORVANT_INSTALL_DATADIR; }

std::optional<std::filesystem::path> FindDataDir(const std::filesystem::path& programDir,
                                                 const std::filesystem::path& iniName,
                                                 const std::filesystem::path& installed) {
    for (const std::filesystem::path& dir :
         {programDir, (programDir / ".." / "share" / "korvant").lexically_normal(), installed}) {
        if (!dir.empty() && present(dir / iniName)) return dir;
    }
    return std::nullopt;
}

FilePlaces ChooseFilePlaces(const std::filesystem::path& program, const UserFolders& user,
                            const std::filesystem::path& installed) {
    const std::filesystem::path programDir = program.parent_path();
    const std::filesystem::path iniName = IniFileFor(program).filename();
    FilePlaces places;
    const auto data = FindDataDir(programDir, iniName, installed);
    if (!data) {
        places.data = places.dialogs = programDir;
        places.ini = programDir / iniName;
        return places;
    }
    places.data = *data;
    places.ini = *data / iniName;
    const bool portable = *data == programDir && writable(*data) && (writable(places.ini));
    if (portable) {
        // Saved games, the autosave among them, lie where the open dialog starts.
        places.saves = places.dialogs = *data;
        return places;
    }
    places.portable = false;
    const std::filesystem::path copy = user.config / iniName;
    if (copyLanguageFile(places.ini, copy)) places.ini = copy;
    std::error_code ec;
    std::filesystem::create_directories(user.data, ec);
    places.saves = places.dialogs = user.data;
    return places;
}

}  // namespace korvant
