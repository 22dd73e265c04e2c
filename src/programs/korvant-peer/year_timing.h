#pragma once
// The peer's timing mode (--timing): how long a year takes as this peer sees it, from one year's
// data to the next (its own turns take no time), and on the server the processor time a whole
// year costs beside the processor time of the year's simulation. Printed as "timing: ..." lines,
// which bench_net_year gathers from twenty peers.
#include <chrono>
#include <ctime>
#include <optional>

namespace korvant::peer {

class YearTiming {
public:
    explicit YearTiming(bool on) : on_(on) {}
    // A year's data is here (sent by this computer when `server`).
    void YearBegins(bool server);
    void SimulationBegins();
    void SimulationEnds();

private:
    bool on_;
    std::optional<std::chrono::steady_clock::time_point> lastYear_;
    // The processor time at the last year this computer served, and the simulation's since.
    std::optional<std::clock_t> serverYear_;
    std::clock_t simulationStart_ = 0;
    std::optional<std::clock_t> simulation_;
};

}  // namespace korvant::peer
