#pragma once
// The charts' 3D view: one criterion as bars, a row of bars per state in its colour and a
// column per recorded year, under the criterion's title and over a legend of the states' colours.
// It needs OpenGL, so it is made only where a context can be had.
#include <QImage>
#include <QSize>
#include <QString>

#include "records/chart_series.h"

class QLabel;
class QWidget;

class Q3DBars;
class QBar3DSeries;

namespace korvant {

// Whether this display can show the 3D view. The offscreen and minimal platforms cannot (the 3D
// graph crashes there rather than failing), nor can a display without an OpenGL context.
bool ThreeDViewAvailable();

class TGraph3D {
public:
    // Call only when ThreeDViewAvailable().
    explicit TGraph3D(QWidget* parent);

    // The widget to place in a layout; its parent owns it.
    QWidget* Widget() const { return container_; }
    // Draws `criterion` for the states whose lines the filters keep, titled by `title`.
    void Draw(const Game& game, ChartCriterion criterion, ChartFilters filters, const QString& title);
    // How deep the floor of states is against its width of years, in percent.
    void SetDepth(int percent);
    QLabel* Title() const { return title_; }
    QLabel* Legend() const { return legend_; }
    // The view as a picture of `size`.
    QImage Picture(QSize size);

private:
    Q3DBars* bars_;
    void applyDepth();

    QBar3DSeries* series_;
    QWidget* container_;
    QLabel* title_;
    QLabel* legend_;
    int depth_ = 13;
    int rows_ = 1;
    int columns_ = 1;
};

}  // namespace korvant
