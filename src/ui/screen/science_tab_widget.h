#pragma once
// The science tab: six panels, one per science, each with its level, effect, the years to the
// next level, a gauge of where it will stand after the year, the staff in an arrows-only spin
// edit and the shortcuts "За 1 год", "Max" and "Min"; below them the free scientists and
// "Снять всех". The tab is rebuilt when opened after scientists were trained or dismissed.
#include <array>

#include "ui/screen/picture_page_widget.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace korvant {

class TLanguageFile;
struct Game;
class TScrollText;

class TScienceTab : public TPicturePage {
    Q_OBJECT
public:
    TScienceTab(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();

    // Scientists changed outside the tab (training, dismissal, a new turn).
    void MarkStale() { stale_ = true; }
    bool Stale() const { return stale_; }
    // Opening the tab: rebuilt when stale.
    void Open();
    // Every number of every science from the state; steps of a thirtieth.
    void Recompute();
    // After a change: ranges, steps of a fifteenth, years and gauges.
    void Refresh();

    // The panels by science number 1..6.
    QSpinBox* Spin(int science) const { return panel(science).spin; }
    QPushButton* OneYearButton(int science) const { return panel(science).oneYear; }
    QPushButton* MaxButton(int science) const { return panel(science).max; }
    QPushButton* MinButton(int science) const { return panel(science).min; }
    QLabel* LevelValue(int science) const { return panel(science).level; }
    QLabel* EffectValue(int science) const { return panel(science).effect; }
    QLabel* YearsValue(int science) const { return panel(science).years; }
    QProgressBar* Gauge(int science) const { return panel(science).gauge; }
    QLabel* FreeValue() const { return free_; }
    QPushButton* FreeAllButton() const { return freeAll_; }
    TScrollText* ScrollPanel() const { return scroll_; }

private:
    struct Panel {
        QGroupBox* box;
        QLabel* levelCaption;
        QLabel* level;
        QLabel* effectCaption;
        QLabel* effect;
        QLabel* yearsBefore;
        QLabel* years;
        QLabel* yearsAfter;
        QProgressBar* gauge;
        QSpinBox* spin;
        QPushButton* oneYear;
        QPushButton* max;
        QPushButton* min;
    };
    const Panel& panel(int science) const { return panels_[std::size_t(science - 1)]; }
    void showStaff(int science, int staff);
    void spinChanged(int science, int value);
    void showYearsAndGauge(int science);

    TLanguageFile& lang_;
    Game& game_;
    std::array<Panel, 6> panels_{};
    QLabel* freeCaption_;
    QLabel* free_;
    QPushButton* freeAll_;
    TScrollText* scroll_;
    bool stale_ = true;
};

}  // namespace korvant
