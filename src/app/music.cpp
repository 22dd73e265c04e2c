#include "app/music.h"

#include <system_error>

#include "app/ini_file.h"

namespace korvant {

void Music::Load(const IniFile& ini, const std::filesystem::path& programDir) {
    enabled_ = ini.ReadBool("Preferences", "Music", true);
    playlist_.clear();
    long count = ini.ReadInteger("Music", "Count", -1);
    for (long i = 0; i < count && i < 1000; ++i) {
        std::string name = ini.ReadString("Music", std::to_string(i), "");
        if (name.empty()) continue;
        std::filesystem::path file = programDir / name;
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) playlist_.push_back(file);
    }
    next_ = 0;
}

void Music::PlayNext() {
    if (!enabled_ || playlist_.empty() || !device_.HasOutput()) return;
    const std::filesystem::path& piece = playlist_[std::size_t(next_)];
    next_ = (next_ + 1) % int(playlist_.size());
    open_ = device_.Play(piece);
}

void Music::Stop() {
    if (!open_) return;
    device_.Close();
    open_ = false;
}

void Music::PieceEnded() {
    Stop();
    PlayNext();
}

void Music::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    Stop();
    if (enabled_) PlayNext();
}

}  // namespace korvant
