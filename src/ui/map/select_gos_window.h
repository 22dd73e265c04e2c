#pragma once
// The territory window: the person clicks a state on the map, enters his name
// and confirms, or gives up the whole choice.
#include <QDialog>
#include <QImage>
#include <QStringList>

#include "map/territory_choice.h"
#include "ui/app/modal_result_qt.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvant {

class TLanguageFile;
struct Game;

class TSelectGos : public QDialog {
    Q_OBJECT
public:
    TSelectGos(TLanguageFile& lang, Game& game, bool paintRounded, QWidget* parent = nullptr);

    void ApplyTexts();
    // Draws the current map into the window (before the persons choose).
    void Reset();
    // Shows the window modally for person number `person`: EndTurn once he has taken a state,
    // Quit when he gave up.
    ModalResult Choose(int person);
    // Redraws the map with the states earlier persons took paled and hatched (Choose does this).
    void ShowTakenStates();

    // A click on the map picture at pixel (x, y).
    void MapClicked(int x, int y);
    void ConfirmClicked();

    QLabel* MapPicture() const { return map_; }
    QLineEdit* NameField() const { return name_; }
    QPushButton* ConfirmButton() const { return confirm_; }
    QPushButton* GiveUpButton() const { return giveUp_; }
    QLabel* Prompt() const { return prompt_; }
    QLabel* StateName() const { return stateName_; }
    const TerritoryChoice& Choice() const { return choice_; }
    int Person() const { return person_; }
    // The names proposed to a person, in the current language.
    const QStringList& Suggestions() const { return suggestions_; }

    // Closing the window gives up, like the give-up button: no person may leave it without a state.
    void reject() override { Finish(*this, ModalResult::Quit); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void paintSamples(const QColor& c);

    TLanguageFile& lang_;
    Game& game_;
    bool paintRounded_;
    TerritoryChoice choice_;
    int person_ = 0;
    QStringList suggestions_;
    QImage map0_;  // the map as drawn, before the taken states are marked
    QLabel* map_;
    QLabel* prompt_;
    QLabel* stateName_;
    QLabel* nameLabel_;
    QLabel* samples_[2];
    QLineEdit* name_;
    QPushButton* confirm_;
    QPushButton* giveUp_;
};

}  // namespace korvant
