// The order server over real loopback TCP, no faults: one order of 1,000
// lines end to end, and 200 clients at once with 50 lines each. Then what
// hostile clients cost everyone else: the event loop's CPU per megabyte of a
// program update, and a normal client's time while others flood the store. Hostile runs are
// bounded in time and count and stay on loopback.
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "DemoSeed.h"
#include "LoopbackClient.h"
#include "UpdateMessage.h"
#include "demo/DemoCatalogue.h"

namespace {

// Every client here is one pharmacy on one address.
ServerOptions Unlimited()
{
    ServerOptions options;
    options.maxPerAddress = options.maxClients;
    options.limits.ordersPerMinute = 1000000;
    return options;
}

CTestServer& DemoServer()
{
    static CTestServer server(Unlimited(), [](COrderStore& store) { SeedDemoData(store, kDemoCatalogueSize); });
    return server;
}

const std::vector<ItemRecord>& Catalogue()
{
    static const std::vector<ItemRecord> catalogue = MakeDemoCatalogue(kDemoCatalogueSize);
    return catalogue;
}

// A distinct order each time (the client's start time differs), so none is taken for a resend.
ClientScript OrderOf(int64_t serial, size_t lineCount)
{
    OrderLines lines;
    for (size_t k = 0; k < lineCount; ++k)
        lines.emplace_back(Catalogue()[static_cast<size_t>(serial * 131 + static_cast<int64_t>(k) * 29) %
                                       Catalogue().size()].code,
                           1 + static_cast<int>(k % 5));
    return OrderScript(DemoServer().Port(), lines, "4711", 1700000000 + serial);
}

bool Answered(const ClientRun& run)
{
    return run.orderlyEnd && run.messages.size() == 1 && run.messages[0].compare(0, 19, "REPLY~ORDER NUMBER ") == 0;
}

void BM_OrderOf1000Lines(benchmark::State& state)
{
    static int64_t serial = 0;
    for (auto _ : state) {
        const ClientRun run = RunClient(OrderOf(++serial, 1000));
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
        std::vector<std::thread> clients;
        for (int c = 0; c < kClients; ++c) {
            const ClientScript script = OrderOf(++serial, 50);
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

// CPU time the server's event loop has used so far.
double LoopCpuSeconds(CTestServer& server)
{
    clockid_t clock = 0;
    timespec used{};
    std::thread& loop = server.LoopThread();
    if (!loop.joinable() || pthread_getcpuclockid(loop.native_handle(), &clock) != 0 ||
        clock_gettime(clock, &used) != 0)
        return -1;
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
}

// An older client downloads a program update of the given MiB.
void BM_UpdateDownload(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
    std::string program(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i)
        program[i] = static_cast<char>(i * 2654435761u >> 13);
    double cpu = 0;
    for (auto _ : state) {
        ServerOptions options;
        options.updateVersion = 1.7;
        CTestServer server(options, CTestServer::SmallCatalogue, ComposeUpdateMessage(program));
        ClientScript script = OrderScript(server.Port(), {{"1000001", 1}}, "4711");
        script.updatePath = server.Dir().Path("one");
        script.timeoutMs = 120000;
        const double before = LoopCpuSeconds(server);
        const ClientRun run = RunClient(script);
        cpu += LoopCpuSeconds(server) - before;
        if (run.messages.size() != 2)
            state.SkipWithError("no update arrived");
    }
    state.counters["loop_cpu_s_per_MiB"] =
        cpu / static_cast<double>(state.iterations()) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_UpdateDownload)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Four senders of an account place orders of 20,000 lines for 10 s;
// meanwhile a pharmacy places a one-line order every 1.25 s.
void BM_NormalOrderDuringFlood(benchmark::State& state)
{
    constexpr int kFlooders = 4;
    std::vector<int64_t> times;
    int64_t stored = 0;
    int failed = 0;
    for (auto _ : state) {
        CTestServer server;
        std::atomic<bool> flooding{true};
        std::vector<std::thread> flooders;
        for (int f = 0; f < kFlooders; ++f)
            flooders.emplace_back([&server, &flooding, f] {
                OrderLines lines;
                for (int k = 0; k < 20000; ++k)
                    lines.emplace_back(std::to_string(2000000 + k), 1);
                for (int64_t k = 0; flooding; ++k) {
                    ClientScript script = OrderScript(server.Port(), lines, "1002", 1800000000 + f * 100000 + k);
                    script.timeoutMs = 10000;
                    RunClient(script);
                }
            });
        for (int k = 0; k < 8; ++k) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1250));
            const ClientRun run = RunClient(OrderScript(server.Port(), {{"1000002", 1}}, "4711", 1700000000 + k));
            times.push_back(run.elapsedMs);
            failed += Answered(run) ? 0 : 1;
        }
        flooding = false;
        for (std::thread& t : flooders)
            t.join();
        stored += server.OrderCount();
    }
    std::sort(times.begin(), times.end());
    state.counters["normal_p50_ms"] = static_cast<double>(times[times.size() / 2]);
    state.counters["normal_max_ms"] = static_cast<double>(times.back());
    state.counters["orders_stored"] = static_cast<double>(stored);
    state.counters["normal_failed"] = failed;
}
BENCHMARK(BM_NormalOrderDuringFlood)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
