#include "ui/screen/order_panel_widget.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QToolButton>

namespace korvant {
namespace {
const char* const Cream = "#F7E3BB";
const char* const PressedGreen = "#008000";
}  // namespace

TOrderKey::TOrderKey(const QString& caption, QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
    auto* l = new QGridLayout(this);
    l->setContentsMargins(4, 1, 4, 1);
    caption_ = new QLabel(caption);
    caption_->setAlignment(Qt::AlignCenter);
    QFont f = caption_->font();
    f.setBold(true);
    caption_->setFont(f);
    l->addWidget(caption_);
    setAutoFillBackground(true);
    // Reachable with Tab and worked with Space or Enter, as a mouse works it.
    setFocusPolicy(Qt::StrongFocus);
    paintPressed(false);
}

void TOrderKey::paintPressed(bool on) {
    pressed_ = on;
    const QString colour = on ? PressedGreen : Cream;
    setStyleSheet(QString("korvant--TOrderKey { background: %1; }").arg(colour));
    caption_->setStyleSheet(on ? QString("color: %1;").arg(PressedGreen) : QString("color: black;"));
}

void TOrderKey::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    paintPressed(true);
    emit PressedDown();
}

void TOrderKey::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    paintPressed(false);
    emit Released();
}

namespace {
bool ActivationKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}
}  // namespace

void TOrderKey::keyPressEvent(QKeyEvent* e) {
    if (!ActivationKey(e)) {
        QFrame::keyPressEvent(e);
        return;
    }
    if (e->isAutoRepeat() || pressed_) return;
    paintPressed(true);
    emit PressedDown();
}

void TOrderKey::keyReleaseEvent(QKeyEvent* e) {
    if (!ActivationKey(e)) {
        QFrame::keyReleaseEvent(e);
        return;
    }
    if (e->isAutoRepeat() || !pressed_) return;
    paintPressed(false);
    emit Released();
}

void TOrderKey::focusInEvent(QFocusEvent* e) {
    QFrame::focusInEvent(e);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(2);
}

void TOrderKey::focusOutEvent(QFocusEvent* e) {
    QFrame::focusOutEvent(e);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    // A key released elsewhere does not leave the control pressed.
    if (pressed_) paintPressed(false);
}

TOrderPanel::TOrderPanel(Max max, bool affordableButton, QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(this);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(2);
    heading_ = new QLabel;
    QFont f = heading_->font();
    f.setBold(true);
    heading_->setFont(f);
    bar_ = new QSlider(Qt::Horizontal);
    bar_->setRange(0, 0);
    minValue_ = new QLabel("0");
    maxValue_ = new QLabel("0");
    maxValue_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount_ = new QLabel;
    amount_->setAlignment(Qt::AlignCenter);
    derived_ = new QLabel;
    derived_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ok_ = new TOrderKey("OK");
    maxKey_ = new TOrderKey("MAX");
    g->addWidget(heading_, 0, 0, 1, 4);
    g->addWidget(bar_, 1, 0, 1, 4);
    g->addWidget(minValue_, 2, 0);
    g->addWidget(amount_, 2, 1, 1, 2);
    g->addWidget(maxValue_, 2, 3);
    g->addWidget(derived_, 3, 0, 1, 2);
    g->addWidget(maxKey_, 3, 2);
    g->addWidget(ok_, 3, 3);
    if (affordableButton) {
        affordable_ = new QToolButton;
        affordable_->setText(">");
        g->addWidget(affordable_, 1, 4);
        connect(affordable_, &QToolButton::clicked, this, &TOrderPanel::AffordableClicked);
    }
    connect(bar_, &QSlider::valueChanged, this, &TOrderPanel::AmountChanged);
    connect(ok_, &TOrderKey::Released, this, &TOrderPanel::Ordered);
    // "MAX" moves the bar on the press; where it orders, the release orders like "OK" and
    // "OK" shows the press.
    connect(maxKey_, &TOrderKey::PressedDown, this, [this] { bar_->setValue(bar_->maximum()); });
    if (max == Max::Orders) connect(maxKey_, &TOrderKey::Released, this, &TOrderPanel::Ordered);
}

void TOrderPanel::SetHeading(const QString& text, const QString& hint) {
    heading_->setText(text);
    hint_ = hint;
}

void TOrderPanel::SetHintsShown(bool on) { setToolTip(on ? hint_ : QString()); }

void TOrderPanel::Reset(int max) {
    bar_->blockSignals(true);
    bar_->setRange(0, std::max(0, max));
    bar_->setValue(0);
    bar_->blockSignals(false);
    maxValue_->setText(QString::number(bar_->maximum()));
    emit AmountChanged(0);
}

int TOrderPanel::Amount() const { return bar_->value(); }
int TOrderPanel::Maximum() const { return bar_->maximum(); }
void TOrderPanel::SetAmount(int amount) { bar_->setValue(amount); }

void TOrderPanel::SetAmountText(const QString& text) { amount_->setText(text); }

void TOrderPanel::SetDerivedText(const QString& text, QColor colour) {
    derived_->setText(text);
    derived_->setStyleSheet(colour.isValid() ? QString("color: %1;").arg(colour.name()) : QString());
}

}  // namespace korvant
