#pragma once
// The network wait window: page 0 while a client waits for the server's data, page 1 while the
// others end their turns (their list, the year's chronicle, the map, the chat), page 2 while a
// quitting server waits for a person to hand its role to. It polls the wait's rules on a timer
// and counts the seconds; "Прервать игру" ends the game for this computer.
#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>

#include "game/net_game_loop.h"
#include "net/chat_panes.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTextEdit;

namespace korvant {

class TLanguageFile;

class TMultiPlayer final : public QDialog, public NetGameWindows {
    Q_OBJECT
public:
    TMultiPlayer(TLanguageFile& lang, Game& game, const ChatPanes& panes, QWidget* parent = nullptr);
    void ApplyTexts();
    // Enter in the chat line hands the text here.
    void SetChatSender(std::function<bool(const std::string&)> send);
    // The map's drawing style on page 1.
    void SetPaintRounded(bool rounded) { rounded_ = rounded; }

    WaitResult Wait(WaitPoll& poll) override;
    void Pause(std::chrono::milliseconds length) override;
    void RefreshChat();
    // Shows `page` as Wait would, without waiting (for the screenshots).
    void ShowPage(WaitPoll& poll);

    QStackedWidget* Pages() const { return pages_; }
    QListWidget* Persons() const { return persons_; }
    QPushButton* AbortButton() const { return abort_; }
    QLabel* Counter(int page) const { return counters_[page]; }
    QTextEdit* ChatPane() const { return chat_; }
    QLineEdit* ChatInput() const { return input_; }

private:
    void Tick();
    void AbortClicked();
    void ShowEntries();

    TLanguageFile& lang_;
    Game& game_;
    const ChatPanes& panes_;
    QStackedWidget* pages_;
    QLabel* texts_[3];
    QLabel* counters_[3];
    QListWidget* persons_;
    QTextEdit* chronicle_;
    QLabel* map_;
    QTextEdit* chat_;
    QLineEdit* input_;
    QPushButton* abort_;
    QTimer poll_;
    QTimer seconds_;
    int counted_ = 0;
    WaitPoll* current_ = nullptr;
    bool aborted_ = false;
    bool rounded_ = true;
    std::function<bool(const std::string&)> send_;
};

}  // namespace korvant
