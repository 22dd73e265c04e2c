#include "ui/app/fluidsynth_device.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <system_error>

namespace korvant {

std::filesystem::path SoundFontPath() {
    if (const char* env = std::getenv("KORVANT_SOUNDFONT"); env && *env) return env;
    for (const char* p : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                          "/usr/share/sounds/sf2/default-GM.sf2"}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(p, ec)) return p;
    }
    return {};
}

FluidSynthDevice::FluidSynthDevice(QObject* parent) : QObject(parent) {
    poll_.setInterval(250);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (player_ && fluid_player_get_status(player_) == FLUID_PLAYER_DONE) {
            poll_.stop();
            emit PieceEnded();
        }
    });
}

FluidSynthDevice::~FluidSynthDevice() {
    Close();
    if (driver_) delete_fluid_audio_driver(driver_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool FluidSynthDevice::openOutput() {
    if (tried_) return driver_ != nullptr;
    tried_ = true;
    // The synthesizer's complaints about a missing sound card are not the player's business.
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    std::filesystem::path font = SoundFontPath();
    if (font.empty()) return false;
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    if (const char* drv = std::getenv("KORVANT_AUDIO_DRIVER"); drv && *drv)
        fluid_settings_setstr(settings_, "audio.driver", drv);
    synth_ = new_fluid_synth(settings_);
    if (!synth_ || fluid_synth_sfload(synth_, font.c_str(), 1) == FLUID_FAILED) return false;
    driver_ = new_fluid_audio_driver(settings_, synth_);  // null: no sound device here
    return driver_ != nullptr;
}

bool FluidSynthDevice::HasOutput() { return openOutput(); }

bool FluidSynthDevice::Play(const std::filesystem::path& file) {
    Close();
    if (!openOutput()) return false;
    player_ = new_fluid_player(synth_);
    if (!player_ || fluid_player_add(player_, file.c_str()) != FLUID_OK || fluid_player_play(player_) != FLUID_OK) {
        Close();
        return false;
    }
    poll_.start();
    return true;
}

void FluidSynthDevice::Close() {
    poll_.stop();
    if (!player_) return;
    fluid_player_stop(player_);
    fluid_player_join(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    fluid_synth_all_sounds_off(synth_, -1);
}

}  // namespace korvant
