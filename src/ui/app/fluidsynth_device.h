#pragma once
// Plays MIDI files on FluidSynth with a General MIDI soundfont. The end of a
// piece is noticed by polling on the window thread, so the notification runs
// between other window events like every other event of the game.
#include <QObject>
#include <QTimer>

#include "app/music.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;
struct _fluid_player_t;

namespace korvant {

class FluidSynthDevice : public QObject, public MusicDevice {
    Q_OBJECT
public:
    explicit FluidSynthDevice(QObject* parent = nullptr);
    ~FluidSynthDevice() override;

    bool HasOutput() override;
    bool Play(const std::filesystem::path& file) override;
    void Close() override;

signals:
    void PieceEnded();

private:
    bool openOutput();

    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    _fluid_player_t* player_ = nullptr;
    bool tried_ = false;
    QTimer poll_;
};

// The General MIDI soundfont the game uses; empty when none is installed.
std::filesystem::path SoundFontPath();

}  // namespace korvant
