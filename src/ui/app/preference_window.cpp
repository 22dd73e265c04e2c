#include "ui/app/preference_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"

namespace korvant {

TPreference::TPreference(TLanguageFile& lang, const Settings& settings, Hooks hooks, QWidget* parent)
    : QDialog(parent), lang_(lang), settings_(settings), hooks_(std::move(hooks)) {
    auto* layout = new QVBoxLayout(this);
    music_ = new QCheckBox(this);
    singlePlayer_ = new QCheckBox(this);
    hideGraphics_ = new QCheckBox(this);
    showHint_ = new QCheckBox(this);
    scroll_ = new QCheckBox(this);
    for (QCheckBox* b : {music_, singlePlayer_, hideGraphics_, showHint_, scroll_}) layout->addWidget(b);

    auto* langRow = new QHBoxLayout;
    languageLabel_ = new QLabel(this);
    languages_ = new QComboBox(this);
    langRow->addWidget(languageLabel_);
    langRow->addWidget(languages_, 1);
    layout->addLayout(langRow);

    auto* buttons = new QHBoxLayout;
    apply_ = new QPushButton(this);
    close_ = new QPushButton(this);
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    for (const std::string& title : lang_.Titles()) languages_->addItem(QString::fromStdString(title));
    languages_->setCurrentIndex(lang_.CurrentIndex());
    connect(languages_, &QComboBox::activated, this, &TPreference::languageChosen);
    connect(apply_, &QPushButton::clicked, this, &TPreference::applyClicked);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    showSettings(settings_);
    ApplyTexts();
}

void TPreference::showSettings(const Settings& s) {
    music_->setChecked(s.Music);
    singlePlayer_->setChecked(s.SinglePlayer);
    hideGraphics_->setChecked(s.HideGraphics);
    showHint_->setChecked(s.ShowHint);
    scroll_->setChecked(s.ShowScrollHelp);
}

void TPreference::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return QString::fromStdString(l.Lookup(id)); };
    setWindowTitle(t(Msg::SettingsTitle));
    apply_->setText(t(Msg::SettingsApply));
    close_->setText(t(Msg::CloseButton));
    music_->setText(t(Msg::SettingsMusic));
    singlePlayer_->setText(t(Msg::SettingsSinglePlayer));
    hideGraphics_->setText(t(Msg::SettingsHideGraphics));
    showHint_->setText(t(Msg::SettingsShowHints));
    scroll_->setText(t(Msg::SettingsScrollHelp));
    languageLabel_->setText(t(Msg::SettingsLanguage));
}

void TPreference::Show(bool languageListEnabled) {
    // Switches changed and closed without applying were never in force.
    showSettings(settings_);
    languages_->setEnabled(languageListEnabled);
    languageLabel_->setEnabled(languageListEnabled);
    exec();
}

Settings TPreference::Current() const {
    Settings s;
    s.Music = music_->isChecked();
    s.SinglePlayer = singlePlayer_->isChecked();
    s.HideGraphics = hideGraphics_->isChecked();
    s.ShowHint = showHint_->isChecked();
    s.ShowScrollHelp = scroll_->isChecked();
    return s;
}

void TPreference::applyClicked() {
    // A file that cannot be written still leaves the settings applied for this run.
    hooks_.apply(Current(), /*write=*/true);
    accept();
}

void TPreference::languageChosen(int index) {
    lang_.SelectLanguage(index);
    hooks_.retext();
}

}  // namespace korvant
