#pragma once
// Where the program's own files are: the data it reads (beside it in a portable copy, under
// share/korvant when installed) and the files it writes (its own folder in a portable copy,
// the person's folders otherwise).
#include <filesystem>
#include <optional>

namespace korvant {

// The running executable (from /proc/self/exe); `argv0` when that cannot be read.
std::filesystem::path ProgramFile(const char* argv0);

// The INI file beside the program, named like it with ".ini".
std::filesystem::path IniFileFor(const std::filesystem::path& program);

// The data folder of the installed game, as the build was configured (PREFIX/share/korvant).
std::filesystem::path InstalledDataDir();

// The first folder that holds the language file `iniName`: the program's own folder, then
// ../share/korvant from it (a package unpacked under any root), then `installed`.
std::optional<std::filesystem::path> FindDataDir(const std::filesystem::path& programDir,
                                                 const std::filesystem::path& iniName,
                                                 const std::filesystem::path& installed);

// The person's own folders for the game (the desktop's configuration and data folders).
struct UserFolders {
    std::filesystem::path config;  // the language file with his settings
    std::filesystem::path data;    // his saved games and hall of fame
};

struct FilePlaces {
    std::filesystem::path data;     // read only: rule data, help, music, pictures
    std::filesystem::path ini;      // the language file with the settings, read and written
    std::filesystem::path saves;    // saved games, the autosave and tav.rec; empty: the current folder
    std::filesystem::path dialogs;  // where the open and save dialogs start
    bool portable = true;
};

// A portable copy (its data beside the program, in a folder it may write) keeps everything in its
// own folder, saved games and the hall of fame too, where the open dialog starts. An installed one reads its data where
// it lies and keeps the person's files in `user`: the language file is copied there on first
// start (and again, with his settings and language kept, when a newer one is installed), and
// saved games and the hall of fame go there. When the copy cannot be made, the installed file is
// read and the settings hold for the run only. Without any data, the program's own INI path.
FilePlaces ChooseFilePlaces(const std::filesystem::path& program, const UserFolders& user,
                            const std::filesystem::path& installed);

}  // namespace korvant
