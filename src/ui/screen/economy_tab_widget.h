#pragma once
// The economy tab: the resource panel and the seven order panels of the
// state CurGos. Every order acts on the state at once and refreshes the tab.
#include <array>

#include "core/message_table.h"
#include "screen/economy_orders.h"
#include "ui/screen/picture_page_widget.h"

class QLabel;

namespace korvant {

class TLanguageFile;
struct Game;
struct Settings;
class TOrderPanel;
class TScrollText;

class TEconomyTab : public TPicturePage {
    Q_OBJECT
public:
    enum Order { SowOrder, SellOrder, BuyOrder, TrainScientists, TrainSoldiers, DismissScientists, DismissSoldiers };
    static constexpr int OrderCount = 7;

    TEconomyTab(TLanguageFile& lang, Game& game, const Settings& settings, QWidget* parent = nullptr);
    void ApplyTexts();
    void SetHintsShown(bool on);

    // Fills the resource panel and sets every order panel back to 0 with its limit.
    void Refresh();

    TOrderPanel* Panel(Order o) const { return panels_[o]; }
    TScrollText* ScrollPanel() const { return scroll_; }
    // The resource panel's value labels, by their caption (BalanceHeading the balance); a caption
    // shown twice finds its first row.
    QLabel* Value(Msg id) const;
    // The growth group's grain row, captioned like the resources' grain.
    QLabel* HarvestValue() const;

signals:
    // Sowing is done or nothing is left to sow: the turn may end.
    void NextAllowed();
    // Scientists were trained or dismissed: the science tab must be rebuilt.
    void ScientistsChanged();

private:
    Game& game() const;
    int gos() const;
    void amountChanged(Order o, int amount);
    void ordered(Order o);
    void affordable(Order o);

    TLanguageFile& lang_;
    Game& game_;
    const Settings& programSettings_;  // the program's, changed by the settings window
    std::array<TOrderPanel*, OrderCount> panels_{};
    struct Row {
        Msg id;
        int group;
        QLabel* caption;
        QLabel* value;
    };
    std::vector<Row> rows_;
    std::array<QLabel*, 4> groups_{};
    QLabel* seedCaption_;
    TScrollText* scroll_;
};

}  // namespace korvant
