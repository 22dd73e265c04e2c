// Twenty korvant-peer processes play a network game on loopback in their timing mode (every
// person hands his turns to the computer, the server does not pause). One row of counters:
// a year's round trip as the peers see it (median, 90th percentile, slowest), and the server's
// processor time per year beside the processor time of the year's simulation. Real time counts;
// the machine's load average is printed with the context, since the peers share its cores.
// The third argument picks the session: 0 the LAN mesh, 1 through one mosquitto on loopback.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/process/mosquitto_process.h"
#include "support/process/peer_process.h"

namespace korvant {
namespace {

using test::PeerProcess;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "bench_net_year";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The value after `prefix` in a line "prefix N ..."; -1 when the line has another start.
long long ValueAfter(const std::string& line, const std::string& prefix) {
    if (!line.starts_with(prefix)) return -1;
    return std::stoll(line.substr(prefix.size()));
}

// Nearest rank: the smallest value with at least `share` of the values at or below it.
double Percentile(std::vector<long long> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(share * double(values.size())));
    return double(values[std::max<std::size_t>(rank, 1) - 1]);
}

void BM_NetYear(benchmark::State& state) {
    App();
    const int peers = int(state.range(0));
    const QString lastYear = QString::number(state.range(1));
    std::vector<long long> roundTrips, serverYears, simulations;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QStringList common{"--players", QString::number(peers), "--pause-ms", "0", "--stop-at-year", lastYear,
                           "--timing"};
        std::unique_ptr<test::MosquittoProcess> broker;
        if (state.range(2) == 1) {
            broker = std::make_unique<test::MosquittoProcess>();
            if (!broker->Running()) return state.SkipWithError(broker->Error().c_str());
            common += QStringList{"--broker", QString::fromStdString(broker->Address())};
        }
        std::vector<std::unique_ptr<PeerProcess>> all;
        all.push_back(std::make_unique<PeerProcess>(
            QStringList{"--create", "--port", "0", "--name", "p0", "--states", "20"} + common));
        QStringList join{"--join-session", "p0"};
        if (broker) {
            if (!all.front()->WaitForLine("session ", std::chrono::seconds(10)))
                return state.SkipWithError("no session");
        } else {
            join = QStringList{"--join", QString::fromStdString(test::JoinAddress(*all.front()))};
        }
        for (int i = 1; i < peers; ++i)
            all.push_back(
                std::make_unique<PeerProcess>(join + QStringList{"--name", "p" + QString::number(i)} + common));
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i]->WaitForExit(std::chrono::minutes(5)) != 0)
                return state.SkipWithError(("peer " + std::to_string(i) + " failed:\n" + all[i]->Output()).c_str());
            // What a client knew of his state must be what the server knew of it.
            if (const auto match = test::ClientMatchesTheServer(all, i); i > 0 && !match)
                return state.SkipWithError(match.message());
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        for (const auto& peer : all)
            for (const std::string& line : peer->Lines()) {
                if (const long long us = ValueAfter(line, "timing: round trip "); us >= 0) roundTrips.push_back(us);
                if (const long long us = ValueAfter(line, "timing: server year "); us >= 0) {
                    serverYears.push_back(us);
                    simulations.push_back(ValueAfter(line.substr(line.find(" simulation ")), " simulation "));
                }
            }
    }
    const auto mean = [](const std::vector<long long>& v) {
        long long sum = 0;
        for (long long x : v) sum += x;
        return v.empty() ? 0.0 : double(sum) / double(v.size());
    };
    state.counters["rtt_median_ms"] = Percentile(roundTrips, 0.5) / 1000;
    state.counters["rtt_p90_ms"] = Percentile(roundTrips, 0.9) / 1000;
    state.counters["rtt_max_ms"] = Percentile(roundTrips, 1.0) / 1000;
    state.counters["server_cpu_ms"] = mean(serverYears) / 1000;
    state.counters["sim_ms"] = mean(simulations) / 1000;
    state.counters["server/sim"] = mean(simulations) > 0 ? mean(serverYears) / mean(simulations) : 0;
    state.counters["years"] = double(serverYears.size());
}

// Twenty peers, to year 100 (or the game's end before it), over the LAN mesh and through a broker.
BENCHMARK(BM_NetYear)
    ->Args({20, 100, 0})
    ->Args({20, 100, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

const bool contextAdded = [] {
    benchmark::AddCustomContext("load average before the run", LoadAverage());
    return true;
}();

}  // namespace
}  // namespace korvant
