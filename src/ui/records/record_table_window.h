#pragma once
// The hall of fame: the seven best one-person games and the last one.
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvant {

class GameWindows;

class TRecordTable : public QDialog {
    Q_OBJECT
public:
    explicit TRecordTable(GameWindows& app, QWidget* parent = nullptr);
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

    GameWindows& app_;
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
