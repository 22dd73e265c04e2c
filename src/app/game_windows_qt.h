#pragma once
// The program-wide objects of the game: the language file, the settings, the
// music, the game itself, and every window, each created once and reused.
#include <memory>

#include "app/fluidsynth_device.h"
#include "app/music.h"
#include "app/settings.h"
#include "core/game.h"

namespace korvant {

class TLanguageFile;
class TKorvant;
class TPreference;
class THelp;
class TStart;

class GameWindows {
public:
    explicit GameWindows(TLanguageFile& lang);
    ~GameWindows();

    TLanguageFile& Lang() { return lang_; }
    const TLanguageFile& Lang() const { return lang_; }
    Game& TheGame() { return game_; }
    Music& MusicPlayer() { return music_; }
    const Settings& CurrentSettings() const { return settings_; }

    TKorvant& Launcher() { return *launcher_; }
    TPreference& Preference() { return *preference_; }
    THelp& Help() { return *help_; }
    TStart& Start() { return *start_; }

    // The switches the turn cycle and the help panels read straight from the settings window.
    bool SinglePlayer() const;
    bool ShowScrollHelp() const;
    // The map painter's style ("Debug"/"PaintRounded", read at start).
    bool PaintRounded() const { return paintRounded_; }

    // Applies the settings to the running program; with `write`, stores them in the INI file first.
    void ApplySettings(const Settings& s, bool write);
    // Every window takes its texts again from the current language.
    void RetextAll();

    void ShowHelp(int topic);
    void ShowSettings(bool languageListEnabled);
    void NewGame();
    void LoadAndPlay();
    void ShowHallOfFame();
    // Runs the turn cycle of the game set up or loaded.
    void PlayGame();

private:
    TLanguageFile& lang_;
    Settings settings_;
    FluidSynthDevice device_;
    Music music_;
    Game game_;
    bool paintRounded_ = true;
    std::unique_ptr<TKorvant> launcher_;
    std::unique_ptr<TStart> start_;
    std::unique_ptr<TPreference> preference_;
    std::unique_ptr<THelp> help_;
};

}  // namespace korvant
