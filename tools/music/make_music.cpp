// Writes the game's background music: three short pieces of our own as
// Standard MIDI Files, composed here note by note.
//   make_music OUTDIR   -> OUTDIR/korvant1.mid, korvant2.mid, korvant3.mid
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Ticks = 480;  // per quarter note

struct Event {
    uint32_t tick;
    std::vector<uint8_t> bytes;
};

struct Track {
    std::vector<Event> events;
    void add(uint32_t tick, std::vector<uint8_t> b) { events.push_back({tick, std::move(b)}); }
};

// "D4", "F#3", "Bb2" -> MIDI note number; "r" is a rest (-1).
int pitch(const std::string& s) {
    if (s == "r") return -1;
    static const std::map<char, int> base{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    int n = base.at(s[0]);
    std::size_t i = 1;
    if (s[i] == '#')
        ++n, ++i;
    else if (s[i] == 'b')
        --n, ++i;
    return n + 12 * (std::stoi(s.substr(i)) + 1);
}

// A voice written as "note/eighths" tokens, e.g. "D4/2 F4/1 A4/1 r/4"; chords as "D4+F4+A4/8".
void voice(Track& t, int channel, const std::string& notes, uint32_t start, int velocity, int repeat = 1) {
    uint32_t tick = start;
    for (int rep = 0; rep < repeat; ++rep) {
        std::istringstream in(notes);
        std::string tok;
        while (in >> tok) {
            auto slash = tok.find('/');
            uint32_t len = uint32_t(std::stoi(tok.substr(slash + 1))) * Ticks / 2;
            std::string chord = tok.substr(0, slash);
            std::vector<int> ps;
            for (std::size_t a = 0, b; a <= chord.size(); a = b + 1) {
                b = chord.find('+', a);
                if (b == std::string::npos) b = chord.size();
                ps.push_back(pitch(chord.substr(a, b - a)));
            }
            for (int p : ps)
                if (p >= 0) {
                    t.add(tick, {uint8_t(0x90 | channel), uint8_t(p), uint8_t(velocity)});
                    t.add(tick + len - len / 8, {uint8_t(0x80 | channel), uint8_t(p), 0});
                }
            tick += len;
        }
    }
}

void program(Track& t, int channel, int instrument) { t.add(0, {uint8_t(0xC0 | channel), uint8_t(instrument)}); }

// The channel's volume (controller 7; the synthesizer starts at 100). Each piece sets it on all
// its channels so that the three sound about equally loud through the soundfont.
void volume(Track& t, int channel, int value) { t.add(0, {uint8_t(0xB0 | channel), 7, uint8_t(value)}); }

void writeVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7) buf[n++] = uint8_t(0x80 | (v & 0x7F));
    while (n) out.push_back(buf[--n]);
}

void be(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
}

bool writeMidi(const std::string& path, int bpm, std::vector<Track> tracks) {
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    be(out, 6, 4);
    be(out, 1, 2);
    be(out, uint32_t(tracks.size() + 1), 2);
    be(out, Ticks, 2);
    Track tempo;
    uint32_t us = 60000000u / uint32_t(bpm);
    tempo.add(0, {0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
    tracks.insert(tracks.begin(), tempo);
    for (Track& t : tracks) {
        std::stable_sort(t.events.begin(), t.events.end(), [](const Event& a, const Event& b) {
            // Note-offs before note-ons at the same tick, so repeated notes sound again.
            if (a.tick != b.tick) return a.tick < b.tick;
            return (a.bytes[0] & 0xF0) == 0x80 && (b.bytes[0] & 0xF0) != 0x80;
        });
        std::vector<uint8_t> body;
        uint32_t last = 0;
        for (const Event& e : t.events) {
            writeVarLen(body, e.tick - last);
            last = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        be(out, uint32_t(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(f);
}

constexpr int MarchVolume = 59, SteppeVolume = 104, FestivalVolume = 96;

// A march in D minor: trumpet tune over strings and a snare.
std::vector<Track> March() {
    Track lead, bass, drums;
    program(lead, 0, 56);  // trumpet
    program(bass, 1, 48);  // strings
    // Trumpet, strings and snare together are the loudest: the march is turned down.
    volume(lead, 0, MarchVolume);
    volume(bass, 1, MarchVolume);
    volume(drums, 9, MarchVolume);
    const std::string tune =
        "D4/2 D4/1 D4/1 F4/2 A4/2 G4/2 F4/1 E4/1 F4/4 "
        "E4/2 E4/1 E4/1 G4/2 Bb4/2 A4/2 G4/1 F4/1 E4/4 "
        "D4/2 F4/2 A4/3 G4/1 F4/2 E4/2 D4/2 C#4/2 "
        "D4/2 A3/2 D4/4 r/8 ";
    voice(lead, 0, tune, 0, 100, 3);
    const std::string low = "D2+A2/8 D2+A2/8 A1+E2/8 A1+E2/8 D2+F2/8 A1+E2/8 D2+A2/8 D2/8 ";
    voice(bass, 1, low, 0, 70, 3);
    const std::string beat = "D2/2 D2/1 D2/1 D2/2 D2/1 D2/1 ";  // a snare pattern on the drum channel
    voice(drums, 9, beat, 0, 80, 24);
    return {lead, bass, drums};
}

// A slow steppe song in A minor: flute over a choir.
std::vector<Track> Steppe() {
    Track lead, pad;
    program(lead, 0, 73);  // flute
    program(pad, 1, 52);   // choir
    volume(lead, 0, SteppeVolume);
    volume(pad, 1, SteppeVolume);
    const std::string tune =
        "E5/4 D5/2 C5/2 B4/4 A4/4 C5/3 B4/1 A4/2 G4/2 A4/8 "
        "A4/4 B4/2 C5/2 D5/4 E5/4 F5/3 E5/1 D5/2 B4/2 E5/8 "
        "E5/4 D5/2 C5/2 B4/4 G4/4 A4/3 B4/1 C5/2 B4/2 A4/8 ";
    voice(lead, 0, tune, 0, 90, 2);
    const std::string chords =
        "A3+C4+E4/16 E3+G3+B3/16 A3+C4+E4/16 "
        "F3+A3+C4/16 D3+F3+A3/16 E3+G#3+B3/16 "
        "A3+C4+E4/16 E3+G3+B3/8 E3+G#3+B3/8 A3+C4+E4/16 ";
    voice(pad, 1, chords, 0, 55, 2);
    return {lead, pad};
}

// A festival dance in G major: accordion and plucked strings.
std::vector<Track> Festival() {
    Track lead, pluck;
    program(lead, 0, 21);   // accordion
    program(pluck, 1, 45);  // pizzicato strings
    volume(lead, 0, FestivalVolume);
    volume(pluck, 1, FestivalVolume);
    const std::string tune =
        "G4/1 B4/1 D5/1 G5/2 D5/1 E5/1 D5/1 B4/1 C5/2 A4/1 "
        "B4/1 A4/1 G4/1 A4/2 D4/1 G4/1 B4/1 A4/1 G4/3 "
        "D5/1 E5/1 F#5/1 G5/2 F#5/1 E5/1 D5/1 C5/1 B4/2 G4/1 "
        "A4/1 B4/1 C5/1 B4/1 A4/1 F#4/1 G4/3 r/3 ";
    voice(lead, 0, tune, 0, 95, 4);
    const std::string bass = "G2/1 D3+G3/1 D3+G3/1 C3/1 E3+G3/1 E3+G3/1 D3/1 F#3+A3/1 F#3+A3/1 G2/1 D3+G3/1 D3+G3/1 ";
    voice(pluck, 1, bass, 0, 75, 8);
    return {lead, pluck};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_music OUTDIR\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = writeMidi(dir + "/korvant1.mid", 112, March()) && writeMidi(dir + "/korvant2.mid", 72, Steppe()) &&
              writeMidi(dir + "/korvant3.mid", 132, Festival());
    if (!ok) std::fprintf(stderr, "make_music: cannot write to %s\n", dir.c_str());
    return ok ? 0 : 1;
}
