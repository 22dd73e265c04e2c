#pragma once
// The headless peer's command line.
#include <cstdint>
#include <optional>
#include <string>

#include "session/broker_address.h"

namespace korvant::peer {

struct Options {
    bool create = false;
    std::string host = "127.0.0.1";  // --join HOST:PORT
    // --create: where to listen, failing when taken; 0 takes any free port. Printed as "port N".
    std::uint16_t port = 0;
    std::string name;
    // --broker HOST:PORT (mqtts:// for TLS): the session goes through this MQTT broker instead of
    // the LAN mesh; --join-session NAME joins the session its creator NAME made there.
    std::optional<BrokerAddress> broker;
    std::optional<std::string> joinSession;
    std::string sessionPassword;
    int states = 20;
    int turnMinutes = 0;
    std::uint32_t seed = 1;
    bool endTurns = false;  // --play end: each turn ended as it stands; pass: handed to the computer
    int pauseMs = 2000;
    int players = 2;
    std::optional<int> stopAtYear, quitAtYear, abortAtYear, dieAtYear;
    std::optional<std::string> save, load;
    std::optional<std::string> dumpYears;  // the server writes each year's whole game to DIR/year-Y
    bool startAnyway = false;              // answer Yes when a loaded game's persons are not all present
    bool timing = false;                   // "timing: ..." lines of each year (year_timing.h)
};

// Nothing, with the reason on standard error, for a bad command line.
std::optional<Options> ParseOptions(int argc, char** argv);

extern const char* const Usage;

}  // namespace korvant::peer
