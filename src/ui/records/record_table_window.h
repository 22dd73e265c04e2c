#pragma once
// The hall of fame: the seven best one-person games and the last one.
#include <QDialog>

#include <filesystem>

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvant {

class TLanguageFile;
struct Game;

class TRecordTable : public QDialog {
    Q_OBJECT
public:
    // `hallOfFame` is the records file the table reads and resets.
    TRecordTable(TLanguageFile& lang, Game& game, std::filesystem::path hallOfFame, QWidget* parent = nullptr);
    void ApplyTexts();
    // Reads the table and shows it modally.
    void Show();
    // Reads the table from the file and draws it; false when it cannot be read.
    bool Redraw();
    void ResetClicked();

    QTableWidget* Table() const { return table_; }
    QTableWidget* LastGame() const { return last_; }

private:
    void fill(QTableWidget* t, int row, int entry, const void* table);

    TLanguageFile& lang_;
    Game& game_;
    std::filesystem::path hallOfFame_;
    QLabel* title_;
    QLabel* lastCaption_;
    QLabel* rule_;
    QLabel* ruleBelow_;
    QLabel* webLabel_;
    QTableWidget* table_;
    QTableWidget* last_;
    QPushButton* reset_;
    QPushButton* web_;
    QPushButton* exit_;
};

}  // namespace korvant
