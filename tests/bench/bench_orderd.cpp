// The order server over real loopback TCP, no faults: one order of 1,000
// lines end to end, and 200 clients at once with 50 lines each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "DemoSeed.h"
#include "LoopbackFixture.h"
#include "demo/DemoCatalogue.h"

namespace {

CTestServer& DemoServer()
{
    static CTestServer server(ServerOptions(), [](COrderStore& store) { SeedDemoData(store, kDemoCatalogueSize); });
    return server;
}

const std::vector<ItemRecord>& Catalogue()
{
    static const std::vector<ItemRecord> catalogue = MakeDemoCatalogue(kDemoCatalogueSize);
    return catalogue;
}

// A distinct order each time (the client's start time differs), so none is taken for a resend.
ClientScript OrderOf(CItemList& order, int64_t serial, size_t lineCount)
{
    OrderLines lines;
    for (size_t k = 0; k < lineCount; ++k)
        lines.emplace_back(Catalogue()[static_cast<size_t>(serial * 131 + static_cast<int64_t>(k) * 29) %
                                       Catalogue().size()].code,
                           1 + static_cast<int>(k % 5));
    FillOrder(order, lines);
    return OrderScript(DemoServer().Port(), order, "4711", 1700000000 + serial);
}

bool Answered(const ClientRun& run)
{
    return run.orderlyEnd && run.messages.size() == 1 && run.messages[0].compare(0, 19, "REPLY~ORDER NUMBER ") == 0;
}

void BM_OrderOf1000Lines(benchmark::State& state)
{
    static int64_t serial = 0;
    for (auto _ : state) {
        CItemList order;
        const ClientRun run = RunClient(OrderOf(order, ++serial, 1000));
        if (!Answered(run))
            state.SkipWithError("exchange failed");
    }
}
BENCHMARK(BM_OrderOf1000Lines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_200ClientsWith50Lines(benchmark::State& state)
{
    static int64_t serial = 1000000;
    constexpr int kClients = 200;
    std::vector<int64_t> times;
    int failed = 0;
    for (auto _ : state) {
        std::vector<ClientRun> runs(kClients);
        std::vector<CItemList> orders(kClients);
        std::vector<std::thread> clients;
        for (int c = 0; c < kClients; ++c) {
            const ClientScript script = OrderOf(orders[static_cast<size_t>(c)], ++serial, 50);
            clients.emplace_back([&runs, c, script] { runs[static_cast<size_t>(c)] = RunClient(script); });
        }
        for (std::thread& t : clients)
            t.join();
        for (const ClientRun& run : runs) {
            failed += Answered(run) ? 0 : 1;
            times.push_back(run.elapsedMs);
        }
    }
    if (failed)
        state.SkipWithError("some exchanges failed");
    std::sort(times.begin(), times.end());
    state.counters["exchanges/s"] =
        benchmark::Counter(static_cast<double>(times.size()), benchmark::Counter::kIsRate);
    state.counters["p99_ms"] = static_cast<double>(times[times.size() * 99 / 100]);
    state.counters["max_ms"] = static_cast<double>(times.back());
}
BENCHMARK(BM_200ClientsWith50Lines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
