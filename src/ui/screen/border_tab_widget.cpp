#include "ui/screen/border_tab_widget.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/check_state.h"
#include "core/colors.h"
#include "core/game.h"
#include "map/map_painter.h"
#include "screen/border_guard.h"
#include "screen/generals_grid.h"
#include "screen/states_list.h"
#include "ui/app/window_ui_qt.h"
#include "ui/map/picture_image.h"
#include "ui/screen/colour_ref.h"

namespace korvant {
namespace {

constexpr int MapPixels = 240;

QLabel* Bold(QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAutoFillBackground(true);  // readable over the picture
    return l;
}

QTableWidget* Table(int columns) {
    auto* t = new QTableWidget(0, columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(20);
    return t;
}

QColor StateQColour(int state) {
    const Rgb c = StateColour(state);
    return QColor(c.r, c.g, c.b);
}

// A state's colour cell; the person's own state gets a cross corner to corner.
QPixmap ColourCell(int state, bool cross) {
    QPixmap p(28, 16);
    p.fill(StateQColour(state));
    if (cross) {
        QPainter painter(&p);
        painter.setPen(Qt::black);
        painter.drawLine(0, 0, p.width() - 1, p.height() - 1);
        painter.drawLine(0, p.height() - 1, p.width() - 1, 0);
    }
    return p;
}

QTableWidgetItem* Cell(const std::string& text) { return new QTableWidgetItem(QString::fromStdString(text)); }

}  // namespace

TBorderTab::TBorderTab(TLanguageFile& lang, Game& game, bool paintRounded, QWidget* parent)
    : TPicturePage(parent), lang_(lang), game_(game), paintRounded_(paintRounded) {
    auto* top = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    neighboursCaption_ = Bold(new QLabel);
    neighbours_ = new QListWidget;
    neighbours_->setMaximumWidth(150);
    freeCaption_ = Bold(new QLabel);
    free_ = Bold(new QLabel);
    bar_ = new QSlider(Qt::Vertical);
    bar_->setMinimumHeight(120);
    barValue_ = Bold(new QLabel);
    distance_ = Bold(new QLabel);
    km_ = Bold(new QLabel);
    rest_ = new QPushButton;
    charts_ = new QPushButton;
    for (QPushButton* b : {rest_, charts_}) b->setAutoDefault(false);
    auto* soldiers = new QHBoxLayout;
    auto* values = new QVBoxLayout;
    values->addWidget(barValue_);
    auto* distance = new QHBoxLayout;
    distance->addWidget(distance_);
    distance->addWidget(km_);
    distance->addStretch(1);
    values->addLayout(distance);
    values->addStretch(1);
    soldiers->addWidget(bar_);
    soldiers->addLayout(values, 1);
    left->addWidget(neighboursCaption_);
    left->addWidget(neighbours_, 2);
    left->addWidget(freeCaption_);
    left->addWidget(free_);
    left->addLayout(soldiers, 2);
    left->addWidget(rest_);
    left->addWidget(charts_);
    top->addLayout(left);

    auto* centre = new QVBoxLayout;
    grid_ = Table(GridColumns);
    // The widths suit a font in which an order's text takes 44 pixels; a wider font widens them alike.
    const double scale = std::max(1.0, grid_->fontMetrics().horizontalAdvance(QStringLiteral("Нападать")) / 44.0);
    for (int c = 0; c < GridColumns; ++c) {
        designWidths_[std::size_t(c)] = int(GridColumnWidths[std::size_t(c)] * scale + 0.5);
        grid_->setColumnWidth(c, designWidths_[std::size_t(c)]);
    }
    grid_->setColumnHidden(ColSlot, true);
    grid_->horizontalHeader()->setMinimumSectionSize(4);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    centre->addWidget(grid_, 3);
    auto* lower = new QHBoxLayout;
    auto* statesBox = new QVBoxLayout;
    statesCaption_ = Bold(new QLabel);
    states_ = Table(3);
    states_->horizontalHeader()->hide();
    states_->setColumnWidth(0, 115);
    states_->setColumnWidth(1, 64);
    states_->setColumnWidth(2, 34);
    states_->setSelectionMode(QAbstractItemView::NoSelection);
    states_->setIconSize(QSize(28, 16));
    statesBox->addWidget(statesCaption_);
    statesBox->addWidget(states_);
    auto* chronicleBox = new QVBoxLayout;
    chronicleCaption_ = Bold(new QLabel);
    chronicle_ = new QTextEdit;
    chronicle_->setReadOnly(true);
    chronicle_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    chronicleBox->addWidget(chronicleCaption_);
    chronicleBox->addWidget(chronicle_);
    lower->addLayout(statesBox, 3);
    lower->addLayout(chronicleBox, 2);
    centre->addLayout(lower, 2);
    top->addLayout(centre, 1);

    auto* right = new QVBoxLayout;
    map_ = new QLabel;
    map_->setFixedSize(MapPixels, MapPixels);
    right->addWidget(map_);
    right->addStretch(1);
    top->addLayout(right);

    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TBorderTab::GridDoubleClicked);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        markRow(row);
        RedrawSoldiers();
    });
    connect(neighbours_, &QListWidget::currentRowChanged, this, &TBorderTab::SelectNeighbour);
    connect(bar_, &QSlider::valueChanged, this, &TBorderTab::SoldiersMoved);
    connect(rest_, &QPushButton::clicked, this, &TBorderTab::AllRestClicked);
    connect(charts_, &QPushButton::clicked, this, [this] { game_.Ui->ShowCharts(); });
    ApplyTexts();
}

void TBorderTab::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    neighboursCaption_->setText(t(Msg::YourNeighbours));
    freeCaption_->setText(t(Msg::SoldiersAtHome));
    km_->setText(t(Msg::DistanceUnit));
    statesCaption_->setText(t(Msg::AllStates));
    states_->setToolTip(t(Msg::AllStatesHint));
    chronicleCaption_->setText(t(Msg::BorderBattles));
    rest_->setText(t(Msg::AllRestButton));
    rest_->setToolTip(t(Msg::AllRestHint));
    charts_->setText(t(Msg::ChartsButton));
    QStringList titles{QString(), QString()};
    for (Msg title : GridColumnTitles) titles << t(title);
    grid_->setHorizontalHeaderLabels(titles);
    fitGrid();
}

void TBorderTab::Activate() {
    const Game& g = game_;
    charts_->setVisible(g.DiffLevel == DiffTraining);
    ApplyTexts();  // the grid's titles, and its widths stay as built
    {
        const QSignalBlocker block(neighbours_);
        neighbours_->clear();
        for (int k : NeighboursOf(g, g.CurGos)) neighbours_->addItem(QString::fromStdString(g.mGos[k].Name.utf8()));
        neighbours_->setCurrentRow(0);
    }
    selNeighbour_ = neighbours_->count() > 0 ? StateNamed(g, neighbours_->item(0)->text().toStdString()) : 0;
    chronicleStale_ = true;
    Picture picture(MapPixels, MapPixels);
    DrawMapFor(g, picture, paintRounded_);
    map_->setPixmap(QPixmap::fromImage(ToImage(picture)));
}

void TBorderTab::Open() {
    RebuildGrid();
    RedrawSoldiers();
    FillStatesList();
    if (chronicleStale_) {
        chronicle_->hide();
        chronicle_->clear();
        chronicle_->setTextColor(Qt::black);
        chronicle_->append(ShownText(game_.Chronicle));
        chronicle_->show();
        chronicleStale_ = false;
    }
}

void TBorderTab::RebuildGrid() {
    const Game& g = game_;
    const QSignalBlocker block(grid_);
    grid_->clearContents();
    grid_->setRowCount(std::max<int>(1, int(GeneralsOf(g, g.CurGos).size())));
    FillGrid();
    grid_->setCurrentCell(0, ColName);
    markRow(0);
}

void TBorderTab::FillGrid() {
    const Game& g = game_;
    const std::vector<int> generals = GeneralsOf(g, g.CurGos);
    const QSignalBlocker block(grid_);
    for (int r = 0; r < int(generals.size()) && r < grid_->rowCount(); ++r) {
        const auto cells = GeneralCells(g, g.CurGos, generals[std::size_t(r)]);
        for (int c = 1; c < GridColumns; ++c) grid_->setItem(r, c, Cell(cells[std::size_t(c)]));
    }
    markRow(grid_->currentRow());
    fitGrid();
}

void TBorderTab::fitGrid() {
    // Every column as wide as its title and cells need, never narrower than designed, and the grid
    // wide enough for all of them: nothing a person reads or double-clicks lies behind a scroll bar.
    const QAbstractItemView* view = grid_;  // the cells' widths, public on the view
    int width = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < GridColumns; ++c) {
        if (grid_->isColumnHidden(c)) continue;
        const int needed = std::max(
            {designWidths_[std::size_t(c)], view->sizeHintForColumn(c), grid_->horizontalHeader()->sectionSizeHint(c)});
        grid_->setColumnWidth(c, needed);
        width += needed;
    }
    grid_->setMinimumWidth(width);
}

void TBorderTab::markRow(int row) {
    // Items are recoloured, not replaced: a click that selects a row is often the first of a
    // double-click, which must find the cell it pressed still there.
    for (int r = 0; r < grid_->rowCount(); ++r) {
        QTableWidgetItem* marker = grid_->item(r, ColMarker);
        if (!marker) {
            marker = new QTableWidgetItem;
            grid_->setItem(r, ColMarker, marker);
        }
        marker->setBackground(FromColourRef(r == row ? color::Blue : color::Silver));
    }
}

int TBorderTab::SelectedGeneral() const {
    const int row = grid_->currentRow();
    const QTableWidgetItem* slot = row >= 0 ? grid_->item(row, ColSlot) : nullptr;
    return slot ? slot->text().toInt() : 0;
}

void TBorderTab::RedrawSoldiers() {
    Game& g = game_;
    const int s = g.CurGos;
    ReturnIdleSoldiers(g, s);
    free_->setText(QString::number(g.mGos[s].FreeSoldiers));
    const SoldierBar bar = SoldierBarFor(g, s, SelectedGeneral());
    {
        const QSignalBlocker block(bar_);
        bar_->setRange(0, bar.maximum);
        bar_->setValue(bar.position);
    }
    barValue_->setText(QString::number(bar.position));
    distance_->setText(QString::number(bar.distance));
    for (QWidget* w : std::initializer_list<QWidget*>{bar_, barValue_, distance_, km_}) w->setVisible(bar.shown);
    try {
        CheckState(g, "После прорисовки войск:");
    } catch (const StateError&) {
        emit StateBroken(std::current_exception());
    }
}

void TBorderTab::FillStatesList() {
    const Game& g = game_;
    states_->clearContents();
    states_->setRowCount(g.GosCount);
    int r = 0;
    for (const StateRow& row : StatesList(g, g.CurGos)) {
        states_->setItem(r, 0, Cell(row.name));
        states_->setItem(r, 1, Cell(row.population));
        auto* colour = new QTableWidgetItem;
        colour->setData(Qt::DecorationRole, ColourCell(row.state, row.own));
        states_->setItem(r, 2, colour);
        ++r;
    }
}

void TBorderTab::SelectNeighbour(int row) {
    if (row < 0 || row >= neighbours_->count()) return;
    selNeighbour_ = StateNamed(game_, neighbours_->item(row)->text().toStdString());
    RedrawSoldiers();
}

void TBorderTab::GridDoubleClicked(int row, int column) {
    Game& g = game_;
    const int s = g.CurGos;
    if (GeneralsOf(g, s).empty()) return;
    const QTableWidgetItem* slot = grid_->item(row, ColSlot);
    const int general = slot ? slot->text().toInt() : 0;
    if (general < 1 || general > GeneralSlots || g.mGeneral[general].Owner != s) return;
    switch (column) {
        case ColFront:
            PlaceOrWithdraw(g, s, general, selNeighbour_);
            FillGrid();
            break;
        case ColOrder:
            CycleOrder(g, s, general);
            FillGrid();
            break;
        case ColName:
            if (MayDismiss(g, general) && g.Ui->AskYesNo(g.Msg(Msg::AskDismissGeneral))) {
                DismissGeneral(g, s, general);
                RebuildGrid();
            }
            break;
        default: break;
    }
    RedrawSoldiers();
}

void TBorderTab::AllRestClicked() {
    Game& g = game_;
    AllRest(g, g.CurGos);
    FillGrid();
    RedrawSoldiers();
}

void TBorderTab::SoldiersMoved(int soldiers) {
    Game& g = game_;
    const int general = SelectedGeneral();
    if (general >= 1 && general <= GeneralSlots && g.mGeneral[general].Front > 0) {
        if (QTableWidgetItem* cell = grid_->item(grid_->currentRow(), ColSoldiers))
            cell->setText("   " + QString::number(soldiers));
        MoveSoldiers(g, g.CurGos, general, soldiers);
    }
    RedrawSoldiers();
}

}  // namespace korvant
