#pragma once
// The generals tab: four controls for the general a person wants (age, mastery, mark, speed),
// his name, what he costs, and "Покупаем". A purchase sends the person to the border tab.
#include <array>

#include "screen/general_hiring.h"
#include "ui/screen/picture_page_widget.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace korvant {

class TLanguageFile;
struct Game;
class TScrollText;

class TGeneralsTab : public TPicturePage {
    Q_OBJECT
public:
    enum Control { AgeControl, KnowledgeControl, MarkControl, SpeedControl };
    static constexpr int ControlCount = 4;

    TGeneralsTab(TLanguageFile& lang, Game& game, QWidget* parent = nullptr);
    void ApplyTexts();

    // Opening the tab: the default name back in the field and the price for the controls.
    void Open();
    void RecomputePrice();
    // "Покупаем": a refusal in a message box, or the general hired.
    void BuyClicked();

    GeneralWish Wish() const;
    QSlider* Bar(Control c) const { return rows_[c].bar; }
    QLabel* BarValue(Control c) const { return rows_[c].value; }
    QLineEdit* NameField() const { return name_; }
    QLabel* PriceValue() const { return price_; }
    QPushButton* BuyButton() const { return buy_; }
    TScrollText* ScrollPanel() const { return scroll_; }

signals:
    // A general was hired: the border tab shows him.
    void Hired();

private:
    struct Row {
        QLabel* caption;
        QSlider* bar;
        QLabel* min;
        QLabel* max;
        QLabel* value;
    };
    QString defaultName() const;
    void resetBars();

    TLanguageFile& lang_;
    Game& game_;
    std::array<Row, ControlCount> rows_{};
    QLabel* nameCaption_;
    QLineEdit* name_;
    QLabel* priceCaption1_;
    QLabel* priceCaption2_;
    QLabel* price_;
    QPushButton* buy_;
    TScrollText* scroll_;
};

}  // namespace korvant
