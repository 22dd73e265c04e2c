#pragma once
// One order panel of the economy tab: a heading, a track bar from 0 to the
// order's limit with its minimum, maximum and chosen amount, a derived value,
// and the drawn "OK" and "MAX" controls (the buying panel's "MAX" only moves
// the bar). The training panels also have ">", the affordable amount.
#include <QFrame>

class QLabel;
class QSlider;
class QToolButton;

namespace korvant {

// A drawn control: a cream shape with a caption that turns green while the mouse is pressed on it.
class TOrderKey : public QFrame {
    Q_OBJECT
public:
    explicit TOrderKey(const QString& caption, QWidget* parent = nullptr);
    bool Pressed() const { return pressed_; }
    QLabel* Caption() const { return caption_; }

signals:
    void PressedDown();
    void Released();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void paintPressed(bool on);

    QLabel* caption_;
    bool pressed_ = false;
};

class TOrderPanel : public QFrame {
    Q_OBJECT
public:
    enum class Max { Orders, MovesOnly };
    TOrderPanel(Max max, bool affordableButton, QWidget* parent = nullptr);

    void SetHeading(const QString& text, const QString& hint);
    void SetHintsShown(bool on);
    // Range 0..max, position 0.
    void Reset(int max);
    int Amount() const;
    int Maximum() const;
    void SetAmount(int amount);
    // The labels for the current position.
    void SetAmountText(const QString& text);
    void SetDerivedText(const QString& text, QColor colour = QColor());

    QSlider* Bar() const { return bar_; }
    QLabel* Heading() const { return heading_; }
    QLabel* AmountLabel() const { return amount_; }
    QLabel* DerivedLabel() const { return derived_; }
    QLabel* MaxValueLabel() const { return maxValue_; }
    TOrderKey* OkKey() const { return ok_; }
    TOrderKey* MaxKey() const { return maxKey_; }
    QToolButton* AffordableButton() const { return affordable_; }

signals:
    // "OK", or "MAX" where it orders: carry out the order with Amount().
    void Ordered();
    void AmountChanged(int amount);
    void AffordableClicked();

private:
    QLabel* heading_;
    QSlider* bar_;
    QLabel* minValue_;
    QLabel* maxValue_;
    QLabel* amount_;
    QLabel* derived_;
    TOrderKey* ok_;
    TOrderKey* maxKey_;
    QToolButton* affordable_ = nullptr;
    QString hint_;
};

}  // namespace korvant
