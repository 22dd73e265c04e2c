#include "year_timing.h"

#include <cstdio>

namespace korvant::peer {

namespace {

long long Microseconds(std::clock_t ticks) { return static_cast<long long>(ticks) * 1000000 / CLOCKS_PER_SEC; }

}  // namespace

void YearTiming::YearBegins(bool server) {
    if (!on_) return;
    const auto now = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    if (lastYear_)
        std::printf("timing: round trip %lld us\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now - lastYear_.value()).count()));
    lastYear_ = now;
    // Only a whole year served from its beginning to the next, with its simulation, is counted.
    if (server && serverYear_ && simulation_)
        std::printf("timing: server year %lld us simulation %lld us\n", Microseconds(cpu - *serverYear_),
                    Microseconds(*simulation_));
    serverYear_ = server ? std::optional(cpu) : std::nullopt;
    simulation_.reset();
    std::fflush(stdout);
}

void YearTiming::SimulationBegins() { simulationStart_ = std::clock(); }

void YearTiming::SimulationEnds() {
    if (serverYear_) simulation_ = std::clock() - simulationStart_;
}

}  // namespace korvant::peer
