// The shipped music really sounds: each piece rendered offline through the
// synthesizer and soundfont the game uses.
#include <gtest/gtest.h>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/app/fluidsynth_device.h"

namespace korvant {
namespace {

double RenderedLoudness(const std::string& midi, double seconds) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    EXPECT_NE(fluid_synth_sfload(synth, SoundFontPath().c_str(), 1), FLUID_FAILED);
    fluid_player_t* player = new_fluid_player(synth);
    EXPECT_EQ(fluid_player_add(player, midi.c_str()), FLUID_OK);
    fluid_player_play(player);
    const int rate = 44100, block = 1024;
    std::vector<int16_t> buf(2 * block);
    double sum = 0;
    long n = 0;
    for (long done = 0; done < long(seconds * rate) && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
         done += block) {
        fluid_synth_write_s16(synth, block, buf.data(), 0, 2, buf.data(), 1, 2);
        for (int16_t v : buf) sum += double(v) * v;
        n += long(buf.size());
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return n ? std::sqrt(sum / double(n)) : 0;
}

TEST(Music, EveryShippedPieceMakesSound) {
    ASSERT_FALSE(SoundFontPath().empty()) << "no General MIDI soundfont installed";
    for (const char* piece : {"korvant1.mid", "korvant2.mid", "korvant3.mid"}) {
        double rms = RenderedLoudness(std::string(KORVANT_BIN_DIR) + "/music/" + piece, 4.0);
        EXPECT_GT(rms, 300.0) << piece;
    }
}

// Background music stays in the background: no piece is much louder than another.
TEST(Music, ThePiecesAreEquallyLoud) {
    ASSERT_FALSE(SoundFontPath().empty()) << "no General MIDI soundfont installed";
    std::vector<double> rms;
    for (const char* piece : {"korvant1.mid", "korvant2.mid", "korvant3.mid"})
        rms.push_back(RenderedLoudness(std::string(KORVANT_BIN_DIR) + "/music/" + piece, 30.0));
    const auto [quiet, loud] = std::minmax_element(rms.begin(), rms.end());
    EXPECT_LT(20 * std::log10(*loud / *quiet), 2.0) << "RMS " << rms[0] << ", " << rms[1] << ", " << rms[2];
}

}  // namespace
}  // namespace korvant
