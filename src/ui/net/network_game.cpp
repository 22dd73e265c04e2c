#include "ui/net/network_game.h"

#include <QApplication>

#include "core/check_state.h"
#include "core/show_state_error.h"

#include "app/help_topics.h"
#include "app/language_file.h"
#include "game/network_save.h"
#include "net/senders.h"
#include "save/saved_game.h"
#include "ui/app/game_windows_qt.h"
#include "ui/app/launcher_window.h"
#include "ui/app/window_ui_qt.h"
#include "ui/game/start_window.h"
#include "ui/screen/main_window.h"

namespace korvant {

NetworkGame::NetworkGame(GameWindows& app)
    : app_(app),
      connect_(app.Lang(), app.TheGame(), &app.Launcher()),
      wait_(app.Lang(), app.TheGame(), connect_.Panes(), &app.Launcher()),
      dopInfo_(app.Lang(), &app.Launcher()),
      lobby_(app.TheGame(), session_, connect_, wait_, connect_),
      dialog_(app.Lang(), &app.Launcher()) {
    session_.SetListener(&lobby_);
    connect_.Attach(&lobby_, {
                                 .play = [this] { Play(); },
                                 .load = [this] { return LoadForSession(); },
                                 .help = [this] { app_.ShowHelp(help_topic::NetworkGame); },
                                 .paintRounded = [this] { return app_.PaintRounded(); },
                                 .sendingNotice = [this](bool shown) { dopInfo_.SetShown(shown); },
                             });
    wait_.SetChatSender([this](const std::string& text) { return SendChat(text); });
    QObject::connect(&connect_, &TConnect::ChatChanged, &wait_, &TMultiPlayer::RefreshChat);
    QObject::connect(&connect_, &TConnect::ChatChanged, &app_.Main(), &TMain::RefreshChat);
}

NetworkGame::~NetworkGame() { session_.SetListener(nullptr); }

void NetworkGame::ApplyTexts() {
    connect_.ApplyTexts();
    wait_.ApplyTexts();
    dopInfo_.ApplyTexts();
    dialog_.ApplyTexts();
}

void NetworkGame::Run() {
    lobby_.BeginOpening();
    const std::optional<OpenRequest> request = dialog_.Ask();
    if (!request) return;  // cancelled: nothing to say
    session_.Open(*request);
    // A session that could not be created has said why; a join is answered later, in the lobby.
    if (request->Create && !session_.IsOpen()) return;
    connect_.Run();
    if (session_.IsOpen()) session_.Close();
}

bool NetworkGame::SendChat(const std::string& text, int32_t colour) {
    return session_.IsOpen() && korvant::SendChat(lobby_.Net(), text, colour);
}

void NetworkGame::Play() {
    wait_.SetPaintRounded(app_.PaintRounded());
    try {
        lobby_.PlayGame({});
    } catch (const StateError& e) {
        // Broken bookkeeping: its messages, then the program closes without saving.
        ShowStateError(*app_.TheGame().Ui, e);
        QApplication::exit(1);
    }
}

bool NetworkGame::LoadForSession() {
    Game& game = app_.TheGame();
    const QString file = app_.Start().ChooseSavedGame();
    if (file.isEmpty()) return false;
    return LoadNetworkSave(game, file.toStdString());
}

}  // namespace korvant
