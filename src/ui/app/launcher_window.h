#pragma once
// The launcher, the program's main window: a picture and eight buttons from
// which every activity starts. Every activity hides it, runs modally, and
// shows it again.
#include <QWidget>

#include "core/message_table.h"

class QLabel;
class QPushButton;

namespace korvant {

class GameWindows;

class TKorvant : public QWidget {
    Q_OBJECT
public:
    explicit TKorvant(GameWindows& app, QWidget* parent = nullptr);

    // Captions from the current language, and the language's picture.
    void ApplyTexts();

    QPushButton* Button(Msg id) const;  // by its caption, LauncherNetworkGame..LauncherExit

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void newGame();
    void loadGame();
    void networkGame();
    void hallOfFame();
    void settings();

    GameWindows& app_;
    QLabel* image_;
    QLabel* version_;
    QPushButton* buttons_[8];
};

}  // namespace korvant
