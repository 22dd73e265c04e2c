#pragma once
// The small notice "sending data to the other players", shown while large blocks are packed and sent.
#include <QWidget>

class QLabel;

namespace korvant {

class TLanguageFile;

class TDopInfo final : public QWidget {
public:
    explicit TDopInfo(TLanguageFile& lang, QWidget* parent = nullptr);
    void ApplyTexts();
    // Shown at once, painted before the sending begins.
    void SetShown(bool shown);
    QLabel* Text() const { return text_; }

private:
    TLanguageFile& lang_;
    QLabel* text_;
};

}  // namespace korvant
