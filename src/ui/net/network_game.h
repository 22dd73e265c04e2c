#pragma once
// The network game on the windows: the connection dialog opens a session, the lobby shows until
// it is left, and started games run their years with the wait window and the command screen.
// Made once, on the first network game, and kept.
#include <functional>
#include <memory>
#include <string>

#include "app/program_files.h"
#include "game/lobby.h"
#include "session/chosen_session.h"
#include "ui/net/connect_window.h"
#include "ui/net/dop_info_window.h"
#include "ui/net/multi_player_window.h"
#include "ui/net/session_dialog.h"

namespace korvant {

class TLanguageFile;

class NetworkGame {
public:
    // The windows belong to `owner`; `help` shows a help page; `places` says where the open dialog
    // for a saved game starts.
    NetworkGame(TLanguageFile& lang, Game& game, const FilePlaces& places, bool paintRounded,
                std::function<void(int topic)> help, QWidget* owner);
    ~NetworkGame();

    // Launcher "Сетевая игра": opens a session and shows the lobby until it is left.
    void Run();
    // A chat line from any chat box of this computer; false when nothing was sent.
    bool SendChat(const std::string& text, int32_t colour = 0);
    // The session's players, and the game's flags, for the command screen's players' list.
    const Session& TheSession() const { return session_; }
    bool InGame() const { return lobby_.Model().phase == NetPhase::Playing; }

    TConnect& Connect() { return connect_; }
    TMultiPlayer& Wait() { return wait_; }
    TDopInfo& DopInfo() { return dopInfo_; }
    Lobby& TheLobby() { return lobby_; }
    void ApplyTexts();

private:
    void Play();
    bool LoadForSession();

    TLanguageFile& lang_;
    Game& game_;
    const FilePlaces& places_;
    bool paintRounded_;
    std::function<void(int topic)> help_;
    ChosenSession session_;
    TConnect connect_;
    TMultiPlayer wait_;
    TDopInfo dopInfo_;
    Lobby lobby_;
    TSessionDialog dialog_;
};

}  // namespace korvant
