#pragma once
// Answers the modal windows a window test opens, as each one opens (its show event, not a
// polling timer). A window nothing here answers fails the test and is closed at once; a modal
// window still open `patience` after the last answer fails the test and is closed; a window
// expected but never opened fails the test when the answerer goes. So a window that never
// opens or never closes fails the test within seconds instead of hanging it.
#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace korvant::test {

class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::chrono::milliseconds patience = std::chrono::seconds(10));
    ~ModalAnswerer() override;

    // Every window of class W that opens is answered by `answer`.
    template <class W>
    ModalAnswerer& Every(std::function<void(W&)> answer) {
        return Add<W>(std::move(answer), -1);
    }
    // The next `times` windows of class W are answered by `answer`; fewer fail the test.
    template <class W>
    ModalAnswerer& Expect(std::function<void(W&)> answer, int times = 1) {
        return Add<W>(std::move(answer), times);
    }
    // Every message box is answered with `answers` in turn (the last one again after that).
    ModalAnswerer& Boxes(std::initializer_list<QMessageBox::StandardButton> answers);

    // What the message boxes said, in order.
    QStringList boxTexts;
    // How many windows were answered.
    int answered = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Rule {
        std::function<bool(QWidget&)> answer;  // false: not a window of this rule
        int remaining;                         // -1: every time
        std::string what;
    };
    template <class W>
    ModalAnswerer& Add(std::function<void(W&)> answer, int times) {
        rules_.push_back({[answer = std::move(answer)](QWidget& w) {
                              W* typed = qobject_cast<W*>(&w);
                              if (!typed) return false;
                              answer(*typed);
                              return true;
                          },
                          times, W::staticMetaObject.className()});
        return *this;
    }
    void answer(QWidget& window);
    void giveUp();

    std::vector<Rule> rules_;
    QList<QMessageBox::StandardButton> boxAnswers_;
    QTimer watchdog_;
    std::chrono::milliseconds patience_;
};

// A window's class and title, for failure messages.
std::string Describe(const QWidget& window);

}  // namespace korvant::test
