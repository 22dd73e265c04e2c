#pragma once
// The your-turn window: opens each person's turn with the year and the time
// every person has spent on the game.
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvant {

class TLanguageFile;
struct Game;

class TSelectMan : public QDialog {
    Q_OBJECT
public:
    TSelectMan(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();
    // Fills the window for CurPlayerName; the caller places it and shows it modally.
    void Fill();

    QTableWidget* TimeGrid() const { return grid_; }
    QLabel* Player() const { return player_; }
    QLabel* YearValue() const { return year_; }

private:
    TLanguageFile& lang_;
    Game& game_;
    QLabel* turn_;
    QLabel* player_;
    QLabel* yearCaption_;
    QLabel* year_;
    QLabel* timeCaption_;
    QTableWidget* grid_;
    QPushButton* ok_;
};

// A time spent, in days, as a time of day in the system's long format (it wraps after 24 hours).
QString TimeOfDayText(double days);

}  // namespace korvant
