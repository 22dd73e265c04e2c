// Twenty players of one session on loopback in one process: one 100 KB block from one player to
// the 19 others, and every player sending 1000 small blocks to all others. Real time counts,
// since the work is the event loop's and the sockets'.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "session/tcp_session.h"

namespace korvant {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "bench_session";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Counts the blocks every player receives; quits the waiting loop when the expected number arrived.
struct Tally {
    std::size_t Received = 0;
    std::size_t Expected = 0;
    QEventLoop* Loop = nullptr;
    void Count() {
        if (++Received >= Expected && Loop) Loop->quit();
    }
};

struct Counter final : SessionListener {
    explicit Counter(Tally& t) : tally(t) {}
    void OnMessage(PlayerId, std::span<const std::uint8_t>) override { tally.Count(); }
    void OnOpen() override { tally.Count(); }
    Tally& tally;
};

// Runs the event loop until the tally is complete; false on a 60-second timeout.
bool Await(Tally& t) {
    if (t.Received >= t.Expected) return true;
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    t.Loop = &loop;
    loop.exec();
    t.Loop = nullptr;
    return t.Received >= t.Expected;
}

struct Table {
    Tally tally;
    std::vector<std::unique_ptr<Counter>> counters;
    std::vector<std::unique_ptr<TcpSession>> sessions;
};

// Twenty players, made once for all benchmarks.
Table& Players() {
    static Table t = [] {
        App();
        Table made;
        TcpSessionOptions o;
        o.ListenAddress = QHostAddress::LocalHost;
        o.ListenPort = 0;
        o.DiscoveryPort = 0;
        for (int i = 0; i < MaxSessionPlayers; ++i) {
            made.counters.push_back(std::make_unique<Counter>(made.tally));
            made.sessions.push_back(std::make_unique<TcpSession>(o));
            made.sessions.back()->SetListener(made.counters.back().get());
        }
        return made;
    }();
    if (t.sessions[0]->IsOpen()) return t;
    // All join at once; each is open once linked to everyone admitted before him.
    t.tally = {0, std::size_t(MaxSessionPlayers)};
    t.sessions[0]->Create("P0");
    for (int i = 1; i < MaxSessionPlayers; ++i)
        t.sessions[std::size_t(i)]->Join("P", "127.0.0.1", t.sessions[0]->ListenPort());
    bool full = Await(t.tally);
    // The last links of the mesh may still be on their way.
    for (int tries = 0; full && tries < 1000; ++tries) {
        if (std::ranges::all_of(t.sessions, [](const auto& s) { return s->Players().size() == MaxSessionPlayers; }))
            return t;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    std::fprintf(stderr, "the twenty players did not meet\n");
    std::abort();
}

void BM_OneBigBlockTo19Peers(benchmark::State& state) {
    Table& t = Players();
    std::vector<std::uint8_t> block(100 * 1024, 0x5A);
    for (auto _ : state) {
        t.tally = {0, MaxSessionPlayers - 1};
        t.sessions[0]->Send(ToAllOthers, block);
        if (!Await(t.tally)) state.SkipWithError("blocks lost");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * (MaxSessionPlayers - 1) * std::int64_t(block.size()));
}
BENCHMARK(BM_OneBigBlockTo19Peers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TwentyPeersThousandSmallBlocksToAll(benchmark::State& state) {
    Table& t = Players();
    std::vector<std::uint8_t> block(16, 0x33);
    constexpr int PerPlayer = 1000;
    for (auto _ : state) {
        t.tally = {0, std::size_t(MaxSessionPlayers) * PerPlayer * (MaxSessionPlayers - 1)};
        for (int i = 0; i < PerPlayer; ++i) {
            for (auto& s : t.sessions) s->Send(ToAllOthers, block);
        }
        if (!Await(t.tally)) state.SkipWithError("blocks lost");
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * MaxSessionPlayers * PerPlayer * (MaxSessionPlayers - 1));
}
BENCHMARK(BM_TwentyPeersThousandSmallBlocksToAll)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvant
