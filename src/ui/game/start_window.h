#pragma once
// The start window: the new game's sizes, persons and difficulty, new maps
// until one pleases, the territory choice; and, while the year is computed,
// the waiting panel in front.
#include <QDialog>
#include <functional>

#include "game/new_game.h"

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;

namespace korvant {

struct Game;
class TLanguageFile;
class TScrollText;
struct Settings;

class TStart : public QDialog {
    Q_OBJECT
public:
    // What the window asks of the others: a help page, the game played on the windows, and the
    // territory window made ready for a new choice.
    struct Hooks {
        std::function<void(int topic)> help;
        std::function<void()> play;
        std::function<void()> resetTerritories;
    };

    TStart(TLanguageFile& lang, Game& game, const Settings& settings, bool paintRounded, Hooks hooks,
           QWidget* parent = nullptr);

    void ApplyTexts();
    // Reads the rule tables named by the language file; false (DataFileDamaged shown) when they are unusable.
    bool LoadDataFile();
    bool DataFileOk() const { return dataOk_; }

    // The launcher's new game: applies the chosen difficulty and shows the window modally.
    void RunNewGame();

    // The waiting panel, moved by the turn cycle.
    void ShowWaiting(bool on);
    void SetYearLabel(const QString& text);
    void SetProgress(int bar, int percent);

    // Difficulty item 0..2, or -1 for none.
    void SelectDifficulty(int item);

    QSlider* StatesSlider() const { return states_; }
    QSlider* SizeSlider() const { return size_; }
    QSpinBox* Persons() const { return persons_; }
    QPushButton* NewMapButton() const { return newMap_; }
    QPushButton* TerritoryButton() const { return territory_; }
    QLabel* Preview() const { return preview_; }
    QLabel* DifficultyValue() const { return hardness_; }
    TScrollText* ScrollPanel() const { return scroll_; }

    // New map and territory choice, as their buttons do.
    void NewMapClicked();
    void TerritoryClicked();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void statesChanged(int v);
    void sizeChanged(int v);
    void showPreview();

    TLanguageFile& lang_;
    Game& game_;
    const Settings& settings_;
    bool paintRounded_;
    Hooks hooks_;
    NewGameSetup setup_;
    bool dataOk_ = false;
    QStackedWidget* panels_;
    QSlider* states_;
    QSlider* size_;
    QLabel* statesValue_;
    QLabel* sizeValue_;
    QLabel* statesCaption_;
    QLabel* sizeCaption_;
    QLabel* personsCaption_;
    QSpinBox* persons_;
    QButtonGroup* difficulty_;
    QWidget* difficultyBox_;
    QStackedWidget* notebook_;
    QLabel* rules_[3];
    QLabel* diffName_;
    QLabel* hardnessCaption_;
    QLabel* hardness_;
    QLabel* mapLabel_;
    QString mapLabelText_;
    QLabel* preview_;
    QPushButton* newMap_;
    QPushButton* territory_;
    QPushButton* help_;
    QPushButton* exit_;
    TScrollText* scroll_;
    QLabel* wait_[3];
    QLabel* year_;
    QProgressBar* bars_[2];
};

}  // namespace korvant
