#pragma once
// The last-battle window: the battle reports of the year for a person whose
// state has just been destroyed, or who has just won, beside a defeat or
// victory page.
#include <QDialog>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTextEdit;

namespace korvant {

class TLanguageFile;
struct Game;

class TProc : public QDialog {
    Q_OBJECT
public:
    TProc(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();
    // Fills the window for the defender of the battle parties and shows it modally.
    void Show(bool victory);
    // Fills the window without showing it.
    void Fill(bool victory);

    QTextEdit* LastBattle() const { return report_; }
    QStackedWidget* Notebook() const { return notebook_; }
    QLabel* StateName() const { return stateName_; }
    QLabel* LoserName() const { return loserName_; }
    QLabel* WinnerName() const { return winnerName_; }

private:
    TLanguageFile& lang_;
    Game& game_;
    QStackedWidget* notebook_;
    QLabel* loseLabels_[3];
    QLabel* stateName_;
    QLabel* loserName_;
    QPushButton* loseButton_;
    QLabel* winLabels_[3];
    QLabel* winnerName_;
    QPushButton* winButton_;
    QTextEdit* report_;
};

}  // namespace korvant
