#pragma once
// The network lobby's window: the map, the chat, the session's players ticked when ready, the
// ready switch, the server's choices (turn length, number of states, new map, saved game) or the
// client's view of them. A thin view over Lobby; it is also the network controls the blocks reach.
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <functional>

#include "game/lobby.h"
#include "net/chat_panes.h"
#include "net/net_controls.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTextEdit;

namespace korvant {

class TLanguageFile;

class TConnect final : public QDialog, public NetControls, public LobbyView {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> play;  // runs a started game
        std::function<bool()> load;  // reads a saved game chosen by the person; false: none
        std::function<void()> help;
        std::function<bool()> paintRounded;
        std::function<void(bool)> sendingNotice;
    };

    TConnect(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();
    // The lobby of the session now open; nullptr when none.
    void Attach(Lobby* lobby, Hooks hooks);
    const ChatPanes& Panes() const { return panes_; }
    // Shows the lobby modally until the person leaves it or it closes itself; a game started from
    // it hides it meanwhile.
    void Run();
    const QImage& MapPicture() const { return map_; }

    // NetControls: what the lobby's model holds, shown.
    void ShowRoster() override;
    void ShowReadySwitch() override;
    void ShowPage(bool server) override;
    void ShowLobbyMap() override;
    void ShowTurnMinutes(int minutes) override;
    void AppendChatLine(std::string_view line, int32_t colour) override;
    void ClearChat() override;
    void ShowSendingNotice(bool shown) override;
    void ShowRejoinOffer() override;
    // The roster and the switch of a model of one's own (the screenshots show a lobby without a session).
    void ShowRoster(const std::vector<NetMember>& roster);
    void ShowReadySwitch(const ReadySwitch& look);

    // LobbyView
    void MakingMap() override;
    void HideMap() override;
    void GameRunning(bool running) override;
    void CloseLobby() override;

    QCheckBox* ReadyBox() const { return readyBox_; }
    QListWidget* PlayerList() const { return players_; }
    QPushButton* NewMapButton() const { return newMap_; }
    QPushButton* LoadButton() const { return load_; }
    QPushButton* ExitButton() const { return exit_; }
    QPushButton* RejoinButton() const { return rejoin_; }
    QSlider* StatesSlider() const { return states_; }
    QSpinBox* TurnSpin() const { return turn_; }
    QLabel* ClientTurnLabel() const { return clientTurn_; }
    QLabel* MapLabel() const { return mapLabel_; }
    QTextEdit* ChatPane() const { return chat_; }
    QLineEdit* ChatInput() const { return input_; }
    QStackedWidget* Notebook() const { return notebook_; }

signals:
    // A chat line arrived: the wait window and the command screen show their panes anew.
    void ChatChanged();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void StartTick();
    void LoadClicked();
    // The lobby until it closes: shown, and shown again after each game.
    bool Open() const;

    TLanguageFile& lang_;
    Game& game_;
    Lobby* lobby_ = nullptr;
    Hooks hooks_;
    ChatPanes panes_;
    QImage map_;
    QTimer start_;
    QLabel* mapLabel_;
    QTextEdit* chat_;
    QLineEdit* input_;
    QLabel* playersTitle_;
    QListWidget* players_;
    QCheckBox* readyBox_;
    QStackedWidget* notebook_;
    QLabel* serverTitle_;
    QLabel* turnLabel_[2];
    QSpinBox* turn_;
    QLabel* statesLabel_;
    QSlider* states_;
    QLabel* statesCount_;
    QPushButton* newMap_;
    QPushButton* load_;
    QLabel* clientTitle_;
    QLabel* clientTurn_;
    QPushButton* rejoin_;  // "Вернуться в игру", shown while a running game's state waits for this person
    QPushButton* exit_;
    QLabel* helpLabel_;
};

}  // namespace korvant
