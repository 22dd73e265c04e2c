#pragma once
// The program-wide objects of the game: the language file, the settings, the
// music, the game itself, and every window, each created once and reused.
#include <filesystem>
#include <memory>

class QWidget;

#include "app/music.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "core/game.h"
#include "ui/app/fluidsynth_device.h"
#include "ui/app/qt_translation.h"
#include "ui/app/window_ui_qt.h"

namespace korvant {

class TLanguageFile;
class TKorvant;
class TStart;
class TSelectPlayer;
class TSelectGos;
class TMain;
class TSelectMan;
class TProc;
class TGraph;
class TPreference;
class TRecordTable;
class THelp;
class NetworkGame;

class GameWindows {
public:
    // `places` says where the person's files go; by default the current folder, with the dialogs
    // starting in the program's folder.
    explicit GameWindows(TLanguageFile& lang, FilePlaces places = {});
    ~GameWindows();

    TLanguageFile& Lang() { return lang_; }
    const TLanguageFile& Lang() const { return lang_; }
    Game& TheGame() { return game_; }
    Music& MusicPlayer() { return music_; }
    const Settings& CurrentSettings() const { return settings_; }
    const FilePlaces& Places() const { return places_; }
    // A saved game or the records file by its bare name, in the folder the person's files go to.
    std::filesystem::path UserFile(const std::filesystem::path& name) const { return places_.saves / name; }

    TKorvant& Launcher() { return *launcher_; }
    TStart& Start() { return *start_; }
    TSelectPlayer& SelectPlayer() { return *selectPlayer_; }
    TSelectGos& SelectGos() { return *selectGos_; }
    TMain& Main() { return *main_; }
    TSelectMan& SelectMan() { return *selectMan_; }
    TProc& Proc() { return *proc_; }
    TGraph& Graph() { return *graph_; }
    TPreference& Preference() { return *preference_; }
    TRecordTable& RecordTable() { return *recordTable_; }
    THelp& Help() { return *help_; }

    // The map painter's style ("Debug"/"PaintRounded", read at start).
    bool PaintRounded() const { return paintRounded_; }

    // Applies the settings to the running program; with `write`, stores them in the INI file first.
    void ApplySettings(const Settings& s, bool write);
    // Every window takes its texts again from the current language, in the order they were made.
    void RetextAll();

    void ShowHelp(int topic);
    void ShowSettings(bool languageListEnabled);
    void NewGame();
    void LoadAndPlay();
    void ShowHallOfFame();
    // Launcher "Сетевая игра": the lobby and the network games started from it.
    void PlayNetworkGame();
    // The network game's windows once a network game was opened; none before.
    NetworkGame* Network() { return network_.get(); }
    // The network game's windows, made now if they were not yet.
    NetworkGame& NetworkWindows();
    // Runs the turn cycle of the game set up or loaded, on the windows.
    void PlayGame();
    // The person's command screen for CurGos.
    ModalResult CommandScreen();
    void ShowCharts();

private:
    // The window a help page opened now belongs to.
    QWidget* helpOwner() const;

    TLanguageFile& lang_;
    QtTranslation qtTranslation_;
    FilePlaces places_;
    Settings settings_;
    FluidSynthDevice device_;
    Music music_;
    Game game_;
    WindowUi ui_;
    bool paintRounded_ = true;
    std::unique_ptr<TKorvant> launcher_;
    std::unique_ptr<TStart> start_;
    std::unique_ptr<TSelectPlayer> selectPlayer_;
    std::unique_ptr<TSelectGos> selectGos_;
    std::unique_ptr<TMain> main_;
    std::unique_ptr<TSelectMan> selectMan_;
    std::unique_ptr<TProc> proc_;
    std::unique_ptr<TGraph> graph_;
    std::unique_ptr<TPreference> preference_;
    std::unique_ptr<TRecordTable> recordTable_;
    std::unique_ptr<THelp> help_;
    std::unique_ptr<NetworkGame> network_;
};

}  // namespace korvant
