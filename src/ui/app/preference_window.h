#pragma once
// The settings window: five switches kept in the INI file, applied to the
// running program, and the language list.
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace korvant {

class TLanguageFile;
struct Settings;

class TPreference : public QDialog {
    Q_OBJECT
public:
    // What the window asks of the program: to apply the settings (and write them first), and to
    // take every window's texts again once the language changed.
    struct Hooks {
        std::function<void(const Settings&, bool write)> apply;
        std::function<void()> retext;
    };
    // `settings` are the program's, in force.
    TPreference(TLanguageFile& lang, const Settings& settings, Hooks hooks, QWidget* parent = nullptr);

    void ApplyTexts();
    // Shows the window modally with the settings in force; the launcher enables the language
    // list, the command screen does not.
    void Show(bool languageListEnabled);

    QCheckBox* MusicBox() const { return music_; }
    QCheckBox* SinglePlayerBox() const { return singlePlayer_; }
    QCheckBox* HideGraphicsBox() const { return hideGraphics_; }
    QCheckBox* ShowHintBox() const { return showHint_; }
    QCheckBox* ScrollBox() const { return scroll_; }
    QComboBox* Languages() const { return languages_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* CloseButton() const { return close_; }

    // The check boxes as settings.
    Settings Current() const;

private:
    void showSettings(const Settings& s);
    void applyClicked();
    void languageChosen(int index);

    TLanguageFile& lang_;
    const Settings& settings_;
    Hooks hooks_;
    QCheckBox* music_;
    QCheckBox* singlePlayer_;
    QCheckBox* hideGraphics_;
    QCheckBox* showHint_;
    QCheckBox* scroll_;
    QLabel* languageLabel_;
    QComboBox* languages_;
    QPushButton* apply_;
    QPushButton* close_;
};

}  // namespace korvant
