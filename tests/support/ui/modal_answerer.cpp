#include "support/ui/modal_answerer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>

namespace korvant::test {

std::string Describe(const QWidget& window) {
    std::string text =
        std::string(window.metaObject()->className()) + " \"" + window.windowTitle().toStdString() + "\"";
    if (auto* box = qobject_cast<const QMessageBox*>(&window)) text += ": " + box->text().toStdString();
    return text;
}

namespace {
// Closes a window with no result, past any close box that asks first.
void Close(QWidget& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
        dialog->QDialog::done(QDialog::Rejected);
    } else {
        window.hide();
    }
}
}  // namespace

ModalAnswerer::ModalAnswerer(std::chrono::milliseconds patience) : patience_(patience) {
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, &ModalAnswerer::giveUp);
    qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer() {
    qApp->removeEventFilter(this);
    for (const Rule& r : rules_)
        if (r.remaining > 0) ADD_FAILURE() << r.remaining << " expected " << r.what << " window(s) never opened";
}

ModalAnswerer& ModalAnswerer::Boxes(std::initializer_list<QMessageBox::StandardButton> answers) {
    boxAnswers_ = answers;
    return Every<QMessageBox>([this](QMessageBox& box) {
        boxTexts.push_back(box.text());
        const auto answer = boxAnswers_.isEmpty()
                                ? QMessageBox::NoButton
                                : boxAnswers_[std::min<qsizetype>(boxTexts.size() - 1, boxAnswers_.size() - 1)];
        QAbstractButton* b = box.button(answer);
        (b ? b : box.buttons().front())->click();
    });
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && (w->isModal() || w->testAttribute(Qt::WA_ShowModal))) {
            // Answered from the window's own event loop, once it runs.
            QPointer<QWidget> window(w);
            QTimer::singleShot(0, this, [this, window] {
                if (window && window->isVisible()) answer(*window);
            });
            watchdog_.start(patience_);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalAnswerer::answer(QWidget& window) {
    for (Rule& r : rules_) {
        if (r.remaining == 0) continue;
        if (!r.answer(window)) continue;
        if (r.remaining > 0) --r.remaining;
        ++answered;
        watchdog_.start(patience_);
        return;
    }
    ADD_FAILURE() << "unexpected window " << Describe(window);
    Close(window);
}

void ModalAnswerer::giveUp() {
    QWidget* open = QApplication::activeModalWidget();
    if (!open) return;
    ADD_FAILURE() << "window " << Describe(*open) << " still open " << patience_.count() << " ms after the last answer";
    Close(*open);
    watchdog_.start(patience_);
}

}  // namespace korvant::test
