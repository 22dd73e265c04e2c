#pragma once
// A panel whose lines of help text scroll upward, one pixel every 70 ms, and
// start again from the bottom when they have passed.
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace korvant {

class TScrollText : public QWidget {
    Q_OBJECT
public:
    explicit TScrollText(QWidget* parent = nullptr);

    void SetLines(const QStringList& lines);
    void Start();
    // Starts with one step every `ms` milliseconds.
    void StartEvery(int ms) {
        timer_.setInterval(ms);
        Start();
    }
    void Stop();
    void Step();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRect lineRect(const QString& line) const;
    int textHeight() const;

    QStringList lines_;
    QTimer timer_;
    int offset_ = 0;
};

}  // namespace korvant
