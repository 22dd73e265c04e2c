#include "ui/app/window_place.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace korvant {

void CentreOn(QWidget& window, const QRect& area) {
    window.adjustSize();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

void RoomForTitle(QWidget& window) {
    // Title bars draw bold, beside an icon and three buttons of about 30 pixels each.
    constexpr int TitleBarExtras = 150;
    QFont bold = window.font();
    bold.setBold(true);
    const QString shown = window.windowTitle() + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
    window.setMinimumWidth(QFontMetrics(bold).horizontalAdvance(shown) + TitleBarExtras);
}

namespace {

// Notes the window's place when it is hidden and puts it back there before it is shown.
class PlaceKeeper : public QObject {
public:
    explicit PlaceKeeper(QWidget& window) : QObject(&window), window_(&window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != window_) return false;
        if (e->type() == QEvent::Hide) {
            place_ = window_->pos();
            known_ = true;
        } else if (e->type() == QEvent::Show && known_ && !e->spontaneous()) {
            window_->move(place_);
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPoint place_;
    bool known_ = false;
};

}  // namespace

void KeepPlace(QWidget& window) { window.installEventFilter(new PlaceKeeper(window)); }

}  // namespace korvant
