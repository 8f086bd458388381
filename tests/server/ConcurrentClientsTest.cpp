#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <thread>

#include "DemoSeed.h"
#include "LoopbackClient.h"
#include "comm/ServerMessage.h"
#include "demo/DemoCatalogue.h"

namespace {

constexpr int kClients = 200;
constexpr int kLinesEach = 50;
constexpr size_t kProducts = 2000;

TEST(ConcurrentClients, TwoHundredAtOnceAreAllAnsweredAndTheStockAddsUp)
{
    ServerOptions options; // all from one address, and two accounts
    options.maxPerAddress = kClients;
    options.limits.ordersPerMinute = kClients;
    CTestServer server(options, [](COrderStore& store) { SeedDemoData(store, kProducts); });
    ASSERT_TRUE(server.Running());
    const std::vector<ItemRecord> catalogue = MakeDemoCatalogue(kProducts);
    std::map<std::string, int64_t> before;
    for (const ItemRecord& item : catalogue)
        before[item.code] = server.Stock(item.code);

    std::vector<ClientRun> runs(kClients);
    std::vector<std::thread> clients;
    const auto start = std::chrono::steady_clock::now();
    for (int c = 0; c < kClients; ++c) {
        OrderLines lines;
        for (int k = 0; k < kLinesEach; ++k)
            lines.emplace_back(catalogue[static_cast<size_t>(c * 7 + k * 13) % kProducts].code, 1 + (c + k) % 20);
        const ClientScript script = OrderScript(server.Port(), lines, c % 2 ? "4711" : "1001");
        clients.emplace_back([&runs, c, script] { runs[static_cast<size_t>(c)] = RunClient(script); });
    }
    for (std::thread& t : clients)
        t.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);

    std::set<std::string> orderNumbers;
    std::map<std::string, int64_t> supplied;
    for (const ClientRun& run : runs) {
        ASSERT_TRUE(run.orderlyEnd);
        ASSERT_EQ(1u, run.messages.size());
        int lines = 0;
        for (const std::string& field : SplitFields(run.messages[0])) {
            char code[32];
            int quantity = 0, status = 0;
            if (field.compare(0, 13, "ORDER NUMBER ") == 0)
                orderNumbers.insert(field.substr(13));
            else if (sscanf(field.c_str(), "%31[^*]*%d*%d", code, &quantity, &status) == 3) {
                ++lines;
                EXPECT_TRUE(status == 0 || status == 2 || status == 3 || status == 7) << field;
                if (status == 0 || status == 3)
                    supplied[code] += quantity;
            }
        }
        EXPECT_EQ(kLinesEach, lines);
    }
    EXPECT_EQ(static_cast<size_t>(kClients), orderNumbers.size()) << "every order has its own number";
    for (const auto& product : supplied)
        EXPECT_EQ(before[product.first] - product.second, server.Stock(product.first)) << product.first;
    EXPECT_EQ(kClients, server.OrderCount());
}

} // namespace
