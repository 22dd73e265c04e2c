#include "app/game_windows_qt.h"

#include <QMessageBox>

#include <chrono>

#include "app/help_window.h"
#include "app/language_file.h"
#include "app/launcher_window.h"
#include "app/preference_window.h"
#include "core/start_window.h"
#include "core/text_format.h"

namespace korvant {

GameWindows::GameWindows(TLanguageFile& lang) : lang_(lang), music_(device_) {
    // The one generator of the game, seeded from the clock.
    game_.Rng.setSeed(uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    game_.Texts = &lang_;
    settings_.Read(lang_.Ini());
    music_.Load(lang_.Ini(), lang_.ProgramDir());
    paintRounded_ = lang_.Ini().ReadBool("Debug", "PaintRounded", true);
    QObject::connect(&device_, &FluidSynthDevice::PieceEnded, [this] { music_.PieceEnded(); });

    launcher_ = std::make_unique<TKorvant>(*this);
    start_ = std::make_unique<TStart>(*this, launcher_.get());
    help_ = std::make_unique<THelp>(lang_, launcher_.get());
    preference_ = std::make_unique<TPreference>(*this, launcher_.get());
    music_.PlayNext();
}

GameWindows::~GameWindows() {
    music_.Stop();
    preference_.reset();
    help_.reset();
    start_.reset();
    launcher_.reset();
}

bool GameWindows::SinglePlayer() const { return preference_->SinglePlayer(); }
bool GameWindows::ShowScrollHelp() const { return preference_->ShowScrollHelp(); }

void GameWindows::ApplySettings(const Settings& s, bool write) {
    if (write) s.Write(lang_.Ini());
    settings_ = s;
    if (s.Music != music_.Enabled()) music_.SetEnabled(s.Music);
}

void GameWindows::RetextAll() {
    launcher_->ApplyTexts();
    start_->ApplyTexts();
    start_->LoadDataFile();
    preference_->ApplyTexts();
}

void GameWindows::ShowHelp(int topic) {
    if (!help_->ShowTopic(topic))
        QMessageBox::warning(launcher_.get(), launcher_->windowTitle(),
                             QString::fromStdString(FormatText(lang_.Lookup(1011, "Раздел справки %d не найден."), {Dec(topic)})));
}

void GameWindows::ShowSettings(bool languageListEnabled) { preference_->Show(languageListEnabled); }

void GameWindows::NewGame() { start_->RunNewGame(); }
void GameWindows::LoadAndPlay() {}
void GameWindows::ShowHallOfFame() {}

void GameWindows::PlayGame() {}

}  // namespace korvant
