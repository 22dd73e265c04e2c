#pragma once
// The information tab: what happened to the person's state last year, its
// battles, the chronicle, the year and who plays; the save and settings buttons.
#include "ui/screen/picture_page_widget.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace korvant {

class TLanguageFile;
struct Game;

class TInformationTab : public TPicturePage {
    Q_OBJECT
public:
    TInformationTab(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();

    // Empties the boxes and fills them for CurGos from the year's messages and the chronicle;
    // then selects the first battle report.
    void Fill();
    // "<..>": selects the next battle report, after the last one the first again.
    void NextBattleReport();

    QTextEdit* Achievements() const { return achievements_; }
    QTextEdit* Battles() const { return battles_; }
    QTextEdit* Chronicle() const { return chronicle_; }
    QLabel* YearValue() const { return year_; }
    QLabel* StateName() const { return state_; }
    QLabel* PersonName() const { return person_; }
    QPushButton* ReportButton() const { return report_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* SettingsButton() const { return settings_; }

private:
    TLanguageFile& lang_;
    Game& game_;
    QLabel* achievementsCaption_;
    QLabel* battlesCaption_;
    QLabel* chronicleCaption_;
    QLabel* yearCaption_;
    QTextEdit* achievements_;
    QTextEdit* battles_;
    QTextEdit* chronicle_;
    QLabel* year_;
    QLabel* state_;
    QLabel* person_;
    QPushButton* report_;
    QPushButton* save_;
    QPushButton* settings_;
};

}  // namespace korvant
