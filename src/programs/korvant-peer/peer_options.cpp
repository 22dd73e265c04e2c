#include "peer_options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "session/open_request.h"

namespace korvant::peer {

const char* const Usage =
    "usage: korvant-peer --create --port P --name NAME --states N [--turn-minutes M] [--seed S]\n"
    "                    [--load FILE [--start-anyway]]\n"
    "       korvant-peer --join HOST:PORT --name NAME\n"
    "  through an MQTT broker: --broker HOST:PORT with --create or --join-session CREATOR,\n"
    "                          and [--session-password WORD]\n"
    "  both: [--players K] [--play pass|end] [--pause-ms MS] [--stop-at-year Y] [--quit-at-year Y] [--abort-at-year "
    "Y]\n"
    "        [--die-at-year Y] [--save FILE] [--timing] [--dump-years DIR]\n"
    "  --join while a game runs takes back the state this name dropped out of\n";

namespace {

bool Number(std::string_view text, long long lo, long long hi, long long& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc{} && end == text.data() + text.size() && out >= lo && out <= hi;
}

// The years at which the peer stops, quits, aborts or dies.
struct YearOption {
    std::string_view flag;
    std::optional<int> Options::*year;
};
constexpr YearOption YearOptions[] = {{"--stop-at-year", &Options::stopAtYear},
                                      {"--quit-at-year", &Options::quitAtYear},
                                      {"--abort-at-year", &Options::abortAtYear},
                                      {"--die-at-year", &Options::dieAtYear}};

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    bool joined = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long long n = 0;
        const auto number = [&](long long lo, long long hi) {
            if (!value || !Number(value, lo, hi, n)) {
                std::fprintf(stderr, "korvant-peer: %s needs a number from %lld to %lld\n", argv[i], lo, hi);
                return false;
            }
            ++i;
            return true;
        };
        const auto text = [&](std::string& out) {
            if (!value) {
                std::fprintf(stderr, "korvant-peer: %s needs a value\n", argv[i]);
                return false;
            }
            out = value;
            ++i;
            return true;
        };
        bool ok = true;
        std::string s;
        if (a == "--create")
            o.create = true;
        else if (a == "--start-anyway")
            o.startAnyway = true;
        else if (a == "--timing")
            o.timing = true;
        else if (a == "--port")
            ok = number(0, 65535) && (o.port = std::uint16_t(n), true);
        else if (a == "--states")
            ok = number(2, 20) && (o.states = int(n), true);
        else if (a == "--turn-minutes")
            ok = number(0, 10) && (o.turnMinutes = int(n), true);
        else if (a == "--seed")
            ok = number(0, UINT32_MAX) && (o.seed = std::uint32_t(n), true);
        else if (a == "--pause-ms")
            ok = number(0, 60000) && (o.pauseMs = int(n), true);
        else if (a == "--players")
            ok = number(2, 20) && (o.players = int(n), true);
        else if (const auto y = std::ranges::find(YearOptions, a, &YearOption::flag); y != std::end(YearOptions))
            ok = number(1, 119) && (o.*(y->year) = int(n), true);
        else if (a == "--name")
            ok = text(o.name);
        else if (a == "--save")
            ok = text(s) && (o.save = s, true);
        else if (a == "--load")
            ok = text(s) && (o.load = s, true);
        else if (a == "--dump-years")
            ok = text(s) && (o.dumpYears = s, true);
        else if (a == "--join-session")
            ok = text(s) && (o.joinSession = s, joined = true);
        else if (a == "--session-password")
            ok = text(o.sessionPassword);
        else if (a == "--broker") {
            o.broker = text(s) ? ParseBrokerAddress(s) : std::nullopt;
            ok = o.broker.has_value();
            if (!ok) std::fprintf(stderr, "korvant-peer: --broker needs HOST:PORT\n");
        } else if (a == "--play") {
            ok = text(s) && (s == "pass" || s == "end");
            o.endTurns = s == "end";
            if (!ok) std::fprintf(stderr, "korvant-peer: --play takes pass or end\n");
        } else if (a == "--join") {
            const std::optional<HostPort> where = text(s) ? ParseHostPort(s) : std::nullopt;
            ok = where.has_value();
            if (ok) {
                o.host = where->Host;
                o.port = where->Port;
                joined = true;
            } else {
                std::fprintf(stderr, "korvant-peer: --join needs HOST:PORT\n");
            }
        } else {
            std::fprintf(stderr, "korvant-peer: unknown option %s\n", argv[i]);
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    if (o.create == joined || o.name.empty()) {
        std::fprintf(stderr, "korvant-peer: give --create, --join or --join-session, and --name\n");
        return std::nullopt;
    }
    if (o.broker.has_value() != (o.create ? o.broker.has_value() : o.joinSession.has_value())) {
        std::fprintf(stderr, "korvant-peer: --join-session goes with --broker, --join without it\n");
        return std::nullopt;
    }
    return o;
}

}  // namespace korvant::peer
