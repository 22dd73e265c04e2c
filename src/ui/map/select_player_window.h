#pragma once
// The get-ready window: tells which person chooses next, so the others look away.
#include <QDialog>

class QLabel;
class QPushButton;

namespace korvant {

class TLanguageFile;
struct Game;

class TSelectPlayer : public QDialog {
    Q_OBJECT
public:
    TSelectPlayer(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();
    // Fills the window for person number `person` and shows it modally.
    void Show(int person);
    void Fill(int person);

    QLabel* Player() const { return player_; }

private:
    TLanguageFile& lang_;
    Game& game_;
    QLabel* heading_;
    QLabel* text_;
    QLabel* player_;
    QPushButton* ok_;
};

}  // namespace korvant
