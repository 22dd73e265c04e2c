#include "ui/net/network_game.h"

#include <QApplication>

#include "core/check_state.h"
#include "core/show_state_error.h"

#include "app/help_topics.h"
#include "app/language_file.h"
#include "game/network_save.h"
#include "net/senders.h"
#include "save/saved_game.h"
#include "ui/app/saved_game_dialog.h"

namespace korvant {

NetworkGame::NetworkGame(TLanguageFile& lang, Game& game, const FilePlaces& places, bool paintRounded,
                         std::function<void(int topic)> help, QWidget* owner)
    : lang_(lang),
      game_(game),
      places_(places),
      paintRounded_(paintRounded),
      help_(std::move(help)),
      connect_(lang, game, owner),
      wait_(lang, game, connect_.Panes(), owner),
      dopInfo_(lang, owner),
      lobby_(game, session_, connect_, wait_, connect_),
      dialog_(lang, owner) {
    session_.SetListener(&lobby_);
    connect_.Attach(&lobby_, {
                                 .play = [this] { Play(); },
                                 .load = [this] { return LoadForSession(); },
                                 .help = [this] { help_(help_topic::NetworkGame); },
                                 .paintRounded = [this] { return paintRounded_; },
                                 .sendingNotice = [this](bool shown) { dopInfo_.SetShown(shown); },
                             });
    wait_.SetChatSender([this](const std::string& text) { return SendChat(text); });
    QObject::connect(&connect_, &TConnect::ChatChanged, &wait_, &TMultiPlayer::RefreshChat);
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
    wait_.SetPaintRounded(paintRounded_);
    try {
        lobby_.PlayGame({});
    } catch (const StateError& e) {
        // Broken bookkeeping: its messages, then the program closes without saving.
        ShowStateError(*game_.Ui, e);
        QApplication::exit(1);
    }
}

bool NetworkGame::LoadForSession() {
    const QString file = ChooseSavedGame(lang_, places_.dialogs);
    if (file.isEmpty()) return false;
    return LoadNetworkSave(game_, file.toStdString());
}

}  // namespace korvant
