#pragma once
// The command screen: the person's orders of one year for the state CurGos,
// on six tabs, with the buttons that end the turn, hand it to the computer or
// leave the game, and the clock of the turn.
#include <QDialog>
#include <QTimer>

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "app/help_topics.h"
#include "app/program_files.h"
#include "screen/turn_clock.h"
#include "ui/app/modal_result_qt.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace korvant {

class ChatPanes;
class TLanguageFile;
class TBorderTab;
class TEconomyTab;
class TGeneralsTab;
class TInformationTab;
class TPicturePage;
class TScienceTab;
class TScrollText;
struct Game;
class NetModel;
struct Settings;

class TMain : public QDialog {
    Q_OBJECT
public:
    enum Tab { InformationTab, EconomyTab, ScienceTab, BorderTab, GeneralsTab, ChatTab };

    // What the screen asks of the other windows: a help page and the settings.
    struct Hooks {
        std::function<void(int topic)> help;
        std::function<void()> settings;
    };
    // What the chat tab and the clock read of the network game, and where a chat line goes.
    struct NetworkLink {
        const NetModel* model = nullptr;   // why the game ended here, and the roster
        const ChatPanes* panes = nullptr;  // the command screen's chat lines
        std::function<bool(const std::string&)> sendChat;
    };

    // `places` says where saved games go and where the save dialog starts.
    TMain(TLanguageFile& lang, Game& game, const Settings& settings, const FilePlaces& places, bool paintRounded,
          Hooks hooks, QWidget* parent = nullptr);
    // The network game, once its windows are made; the chat tab shows nothing before.
    void AttachNetwork(NetworkLink net) { net_ = std::move(net); }
    void ApplyTexts();
    // Pictures and hints as the settings say.
    void ApplySettings();

    // Shows the screen modally for CurGos: EndTurn, ToComputer or Quit.
    // A broken state found while saving is raised from here once the window has closed.
    ModalResult Run();
    // Prepares the screen for CurGos as on every showing (Run does this).
    void Activate();

    // How the screen was left; none while the turn goes on.
    std::optional<ModalResult> TurnResult() const { return turnResult_; }
    const TurnClock& Clock() const { return clock_; }

    // The buttons' actions.
    void NextClicked();
    void PassClicked();
    void ExitClicked();
    void SaveClicked();
    void SettingsClicked();
    void TickClock();
    // The next (1) or previous (-1) tab that is shown, round from the last to the first.
    void StepTab(int step);
    // The network chat's pane anew (a line arrived), with the lamp lit unless the tab is open.
    void RefreshChat();
    // The players' list of the chat tab: each session player, ticked when his turn has ended,
    // or "вне игры:" before the name of one whose state is gone.
    void RebuildChatPlayers();

    QTabWidget* Pages() const { return pages_; }
    TInformationTab* Information() const { return info_; }
    TEconomyTab* Economy() const { return economy_; }
    TScienceTab* Science() const { return science_; }
    TBorderTab* Border() const { return border_; }
    TGeneralsTab* Generals() const { return generals_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* PassButton() const { return pass_; }
    QPushButton* ExitButton() const { return exit_; }
    QPushButton* HelpButton() const { return help_; }
    QLabel* ClockPanel() const { return clockPanel_; }
    QTextEdit* ChatPane() const { return chatPane_; }
    QListWidget* ChatPlayers() const { return chatPlayers_; }
    QLineEdit* ChatInput() const { return chatInput_; }
    QLabel* ChatLamp() const { return chatLamp_; }
    QTimer& ClockTimer() { return timer_; }
    int HelpTopic() const { return helpTopic_; }
    TScrollText* ScrollPanel(int i) const { return scrolls_[i]; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The close box: asks before the game is left.
    void reject() override;
    void hideEvent(QHideEvent* e) override;

private:
    void tabChanged(int index);
    void endTurn(ModalResult result);
    void offerSave();
    // False when the game was not written (the reason has been shown).
    bool saveTo(const QString& file);
    void setScrolling(bool on);
    void showClock();

    TLanguageFile& lang_;
    Game& game_;
    const Settings& settings_;
    const FilePlaces& places_;
    Hooks hooks_;
    NetworkLink net_;
    QTabWidget* pages_;
    TInformationTab* info_;
    TEconomyTab* economy_;
    TScienceTab* science_;
    TBorderTab* border_;
    TGeneralsTab* generals_;
    QWidget* chat_;
    TPicturePage* pictures_[5];
    TScrollText* scrolls_[3];
    QLabel* chatCaption_;
    QTextEdit* chatPane_;
    QListWidget* chatPlayers_;
    QLineEdit* chatInput_;
    QPushButton* next_;
    QPushButton* pass_;
    QPushButton* exit_;
    QPushButton* help_;
    QLabel* clockPanel_;
    QLabel* chatLamp_;
    QTimer timer_;
    TurnClock clock_;
    std::optional<ModalResult> turnResult_;
    int helpTopic_ = help_topic::HowToPlay;
    bool lampRed_ = false;
    std::exception_ptr failure_;
};

}  // namespace korvant
