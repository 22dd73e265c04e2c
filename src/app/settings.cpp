#include "app/settings.h"

#include "app/ini_file.h"

namespace korvant {

namespace {
constexpr const char* Section = "Preferences";
}

void Settings::Read(const IniFile& ini) {
    Music = ini.ReadBool(Section, "Music", true);
    SinglePlayer = ini.ReadBool(Section, "SinglePlayer", false);
    HideGraphics = ini.ReadBool(Section, "HideGraphics", false);
    ShowHint = ini.ReadBool(Section, "ShowHint", false);
    ShowScrollHelp = ini.ReadBool(Section, "ShowScrollHelp", true);
}

bool Settings::Write(IniFile& ini) const {
    ini.WriteBool(Section, "Music", Music);
    ini.WriteBool(Section, "SinglePlayer", SinglePlayer);
    ini.WriteBool(Section, "HideGraphics", HideGraphics);
    ini.WriteBool(Section, "ShowHint", ShowHint);
    ini.WriteBool(Section, "ShowScrollHelp", ShowScrollHelp);
    return ini.Flush();
}

void NetworkSettings::Read(const IniFile& ini) {
    PlayerName = ini.ReadString("Network", "PlayerName", "");
    Address = ini.ReadString("Network", "Address", "");
    Broker = ini.ReadString("Network", "Broker", "");
    ThroughBroker = ini.ReadString("Network", "ThroughBroker", "0") == "1";
}

bool NetworkSettings::Write(IniFile& ini) const {
    ini.WriteString("Network", "PlayerName", PlayerName);
    ini.WriteString("Network", "Address", Address);
    ini.WriteString("Network", "Broker", Broker);
    ini.WriteString("Network", "ThroughBroker", ThroughBroker ? "1" : "0");
    return ini.Flush();
}

}  // namespace korvant
