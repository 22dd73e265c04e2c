#pragma once
// Background music: a play list of MIDI files played one after the other for
// as long as the program runs, on whatever device plays them.
#include <filesystem>
#include <string>
#include <vector>

namespace korvant {

class IniFile;

// What plays one piece at a time. The game uses a software synthesizer; tests use a fake.
class MusicDevice {
public:
    virtual ~MusicDevice() = default;
    // False on a machine that has nothing to play sound on.
    virtual bool HasOutput() = 0;
    // Opens and starts one piece; false when it cannot be opened.
    virtual bool Play(const std::filesystem::path& file) = 0;
    // Stops and closes the open piece, if any.
    virtual void Close() = 0;
};

class Music {
public:
    explicit Music(MusicDevice& device) : device_(device) {}

    // The music flag ("Preferences"/"Music") and the play list ("Music": Count and 0..Count-1,
    // file names relative to the program's folder); files that do not exist are left out.
    void Load(const IniFile& ini, const std::filesystem::path& programDir);

    // Plays the next piece of the list (wrapping), if the flag is on, there is an output and a list.
    void PlayNext();
    // Closes the open piece.
    void Stop();
    // The device said the piece has ended: the next one follows.
    void PieceEnded();
    // Switches music on or off: stops, and starts the next piece when on.
    void SetEnabled(bool on);

    bool Enabled() const { return enabled_; }
    bool Playing() const { return open_; }
    const std::vector<std::filesystem::path>& Playlist() const { return playlist_; }

private:
    MusicDevice& device_;
    std::vector<std::filesystem::path> playlist_;
    int next_ = 0;
    bool enabled_ = true;
    bool open_ = false;
};

}  // namespace korvant
