#pragma once
// The launcher, the program's main window.
#include <QMainWindow>

namespace korvant {

class TLanguageFile;

class TKorvant : public QMainWindow {
    Q_OBJECT
public:
    explicit TKorvant(TLanguageFile& lang, QWidget* parent = nullptr);

    // Sets every caption from the current language.
    void ApplyTexts();

private:
    TLanguageFile& lang_;
};

}  // namespace korvant
