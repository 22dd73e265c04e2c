#pragma once
// The border guard tab: the neighbours, the generals grid, the soldiers panel that moves soldiers
// between the free pool and the border of the selected attacking general, the list of all states,
// the map with the person's state highlighted, and the year's battles.
#include <array>
#include <exception>

#include "screen/generals_grid.h"
#include "ui/screen/picture_page_widget.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;
class QTextEdit;

namespace korvant {

class TLanguageFile;
struct Game;

class TBorderTab : public TPicturePage {
    Q_OBJECT
public:
    TBorderTab(TLanguageFile& lang, Game& game, bool paintRounded, QWidget* parent = nullptr);
    void ApplyTexts();

    // A new turn: the grid's titles, the neighbours with the first selected, the map, the
    // "Графики" button for the training level, and the battles to be copied on first opening.
    void Activate();
    // Opening the tab: the grid, the soldiers panel, the list of all states and, once a turn,
    // the battles.
    void Open();

    // The grid rebuilt and filled from the state's generals.
    void RebuildGrid();
    void FillGrid();
    // Idle soldiers go home, the panel shows the selected general, and the state is checked.
    void RedrawSoldiers();
    void FillStatesList();

    // The double-click on a grid cell, by row (0 the first general) and column.
    void GridDoubleClicked(int row, int column);
    // "Отдыхать".
    void AllRestClicked();
    void SelectNeighbour(int row);
    // The soldiers' track bar moved to `soldiers`.
    void SoldiersMoved(int soldiers);

    int SelNeighbour() const { return selNeighbour_; }
    // The slot number of the general in the grid's current row, 0 for none.
    int SelectedGeneral() const;

    QListWidget* Neighbours() const { return neighbours_; }
    QTableWidget* Grid() const { return grid_; }
    QTableWidget* States() const { return states_; }
    QSlider* SoldiersBar() const { return bar_; }
    QLabel* FreeSoldiersValue() const { return free_; }
    QLabel* BarValue() const { return barValue_; }
    QLabel* DistanceValue() const { return distance_; }
    QLabel* MapPicture() const { return map_; }
    QTextEdit* Chronicle() const { return chronicle_; }
    QPushButton* RestButton() const { return rest_; }
    QPushButton* ChartsButton() const { return charts_; }

signals:
    // The consistency check after a redraw found the state broken: the game must end.
    void StateBroken(std::exception_ptr failure);

private:
    void markRow(int row);
    void fitGrid();

    TLanguageFile& lang_;
    Game& game_;
    bool paintRounded_;
    QLabel* neighboursCaption_;
    QListWidget* neighbours_;
    QLabel* freeCaption_;
    QLabel* free_;
    QSlider* bar_;
    QLabel* barValue_;
    QLabel* distance_;
    QLabel* km_;
    QTableWidget* grid_;
    QLabel* statesCaption_;
    QTableWidget* states_;
    QLabel* chronicleCaption_;
    QTextEdit* chronicle_;
    QLabel* map_;
    QPushButton* rest_;
    QPushButton* charts_;
    std::array<int, GridColumns> designWidths_{};
    int selNeighbour_ = 0;
    bool chronicleStale_ = true;
};

}  // namespace korvant
