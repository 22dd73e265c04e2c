#pragma once
// The five switches of the settings window, kept in the INI file's "Preferences".
#include <string>

namespace korvant {

class IniFile;

struct Settings {
    bool Music = true;           // background music
    bool SinglePlayer = false;   // one person: no your-turn window before his turn
    bool HideGraphics = false;   // hide the command screen's decorative pictures
    bool ShowHint = false;       // tool-tip hints on the command screen's action panels
    bool ShowScrollHelp = true;  // the help panels scroll their text

    void Read(const IniFile& ini);
    // Writes the switches and flushes the file; false when it cannot be written.
    bool Write(IniFile& ini) const;
};

// The connection dialog's last player name and session address, kept in the INI file's "Network".
struct NetworkSettings {
    std::string PlayerName;
    std::string Address;
    std::string Broker;          // the internet server's address, as typed
    bool ThroughBroker = false;  // the last session went through it

    void Read(const IniFile& ini);
    bool Write(IniFile& ini) const;
};

}  // namespace korvant
