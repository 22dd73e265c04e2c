#include "ui/app/game_windows_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <chrono>

#include "app/language_file.h"
#include "core/check_state.h"
#include "core/show_state_error.h"
#include "core/text_format.h"
#include "game/turn_cycle.h"
#include "records/hall_of_fame.h"
#include "save/saved_game.h"
#include "sim/name_stems.h"
#include "ui/app/help_window.h"
#include "ui/app/launcher_window.h"
#include "ui/app/preference_window.h"
#include "ui/app/saved_game_dialog.h"
#include "ui/app/window_place.h"
#include "ui/game/proc_window.h"
#include "ui/game/start_window.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_man_window.h"
#include "ui/map/select_player_window.h"
#include "ui/net/network_game.h"
#include "ui/records/graph_window.h"
#include "ui/records/record_table_window.h"
#include "ui/screen/main_window.h"

namespace korvant {

GameWindows::GameWindows(TLanguageFile& lang, FilePlaces places)
    : lang_(lang), places_(std::move(places)), music_(device_), ui_(*this) {
    if (places_.dialogs.empty()) places_.dialogs = lang_.ProgramDir();
    // The one generator of the game, seeded from the clock.
    game_.Rng.setSeed(uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
    game_.Texts = &lang_;
    qtTranslation_.Load(lang_);
    game_.Ui = &ui_;
    LoadNameStems(game_);
    settings_.Read(lang_.Ini());
    music_.Load(lang_.Ini(), lang_.ProgramDir());
    paintRounded_ = lang_.Ini().ReadBool("Debug", "PaintRounded", true);
    QObject::connect(&device_, &FluidSynthDevice::PieceEnded, [this] { music_.PieceEnded(); });

    launcher_ = std::make_unique<TKorvant>(*this);
    QWidget* owner = launcher_.get();
    start_ = std::make_unique<TStart>(lang_, game_, settings_, paintRounded_,
                                      TStart::Hooks{.help = [this](int topic) { ShowHelp(topic); },
                                                    .play = [this] { PlayGame(); },
                                                    .resetTerritories = [this] { selectGos_->Reset(); }},
                                      owner);
    selectPlayer_ = std::make_unique<TSelectPlayer>(lang_, game_, owner);
    selectGos_ = std::make_unique<TSelectGos>(lang_, game_, paintRounded_, owner);
    main_ = std::make_unique<TMain>(
        lang_, game_, settings_, places_, paintRounded_,
        TMain::Hooks{.help = [this](int topic) { ShowHelp(topic); }, .settings = [this] { ShowSettings(false); }},
        owner);
    selectMan_ = std::make_unique<TSelectMan>(lang_, game_, owner);
    proc_ = std::make_unique<TProc>(lang_, game_, owner);
    graph_ = std::make_unique<TGraph>(lang_, game_, owner);
    preference_ = std::make_unique<TPreference>(
        lang_, settings_,
        TPreference::Hooks{.apply = [this](const Settings& s, bool write) { ApplySettings(s, write); },
                           .retext = [this] { RetextAll(); }},
        owner);
    recordTable_ = std::make_unique<TRecordTable>(lang_, game_, UserFile(HallOfFameFile), owner);
    help_ = std::make_unique<THelp>(lang_, owner);
    // Windows shown again and again come back where the person left them.
    for (QWidget* w : std::initializer_list<QWidget*>{main_.get(), graph_.get(), preference_.get(), recordTable_.get()})
        KeepPlace(*w);
    // Placed once, so that it comes back where it was after every activity hides it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) CentreOn(*launcher_, screen->availableGeometry());
    music_.PlayNext();
}

GameWindows::~GameWindows() {
    music_.Stop();
    network_.reset();
    help_.reset();
    recordTable_.reset();
    preference_.reset();
    graph_.reset();
    proc_.reset();
    selectMan_.reset();
    main_.reset();
    selectGos_.reset();
    selectPlayer_.reset();
    start_.reset();
    launcher_.reset();
}

void GameWindows::ApplySettings(const Settings& s, bool write) {
    if (write) s.Write(lang_.Ini());
    settings_ = s;
    if (s.Music != music_.Enabled()) music_.SetEnabled(s.Music);
    if (main_) main_->ApplySettings();
}

void GameWindows::RetextAll() {
    qtTranslation_.Load(lang_);
    launcher_->ApplyTexts();
    start_->ApplyTexts();
    start_->LoadDataFile();
    selectPlayer_->ApplyTexts();
    selectGos_->ApplyTexts();
    main_->ApplyTexts();
    selectMan_->ApplyTexts();
    proc_->ApplyTexts();
    graph_->ApplyTexts();
    preference_->ApplyTexts();
    recordTable_->ApplyTexts();
    help_->ApplyTexts();
    if (network_) network_->ApplyTexts();
    LoadNameStems(game_);
}

QWidget* GameWindows::helpOwner() const {
    // The window the person is using: the modal one when it is one of the game's own windows
    // (short-lived message boxes and file dialogs are not, and they end before the help would).
    QWidget* modal = QApplication::activeModalWidget();
    for (QWidget* w : std::initializer_list<QWidget*>{start_.get(), main_.get(), selectGos_.get(), selectMan_.get(),
                                                      selectPlayer_.get(), proc_.get(), graph_.get(), preference_.get(),
                                                      recordTable_.get()})
        if (w && w == modal) return w;
    return launcher_.get();
}

void GameWindows::ShowHelp(int topic) {
    if (!help_->ShowTopic(topic, helpOwner()))
        QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             ShownText(FormatText(lang_.Lookup(Msg::HelpTopicNotFound), {Dec(topic)})));
}

void GameWindows::ShowSettings(bool languageListEnabled) { preference_->Show(languageListEnabled); }

void GameWindows::NewGame() {
    if (!start_->DataFileOk() && !start_->LoadDataFile()) return;
    start_->RunNewGame();
}

void GameWindows::LoadAndPlay() {
    game_.GameMode = ModeLocal;
    const QString file = ChooseSavedGame(lang_, places_.dialogs);
    if (file.isEmpty()) return;
    // A refused file is explained by the loader and leaves the tables as they were.
    if (!LoadGame(game_, file.toStdString())) return;
    launcher_->hide();
    PlayGame();
    start_->hide();
    launcher_->show();
}

void GameWindows::ShowHallOfFame() { recordTable_->Show(); }

NetworkGame& GameWindows::NetworkWindows() {
    if (network_) return *network_;
    network_ = std::make_unique<NetworkGame>(
        lang_, game_, places_, paintRounded_, [this](int topic) { ShowHelp(topic); }, launcher_.get());
    // The command screen shows the network game's chat, roster and end, and sends its chat lines.
    NetworkGame& net = *network_;
    main_->AttachNetwork({.model = &net.TheLobby().Model(),
                          .panes = &net.Connect().Panes(),
                          .sendChat = [&net](const std::string& text) { return net.SendChat(text); }});
    QObject::connect(&net.Connect(), &TConnect::ChatChanged, main_.get(), &TMain::RefreshChat);
    return net;
}

void GameWindows::PlayNetworkGame() {
    NetworkWindows().Run();
    game_.GameMode = ModeLocal;
}

void GameWindows::PlayGame() {
    try {
        TurnCycleOptions options;
        options.records = UserFile(HallOfFameFile);
        RunGame(game_, options);
    } catch (const StateError& e) {
        // Broken bookkeeping: its messages, then the program closes without saving.
        ShowStateError(ui_, e);
        QApplication::exit(1);
    }
    start_->ShowWaiting(false);
}

ModalResult GameWindows::CommandScreen() {
    // A network game waits in its own windows, not on the start window.
    const bool local = game_.GameMode == ModeLocal;
    if (local) start_->hide();
    const ModalResult result = main_->Run();
    if (local) start_->show();
    return result;
}

void GameWindows::ShowCharts() { graph_->Show(); }

}  // namespace korvant
