#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "DemoSeed.h"
#include "LoopbackClient.h"
#include "comm/ReplyParser.h"
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
    const std::vector<ItemRecord> catalogue = MakeDemoCatalogue(kProducts);
    const auto totalStock = [&] {
        int64_t total = 0;
        for (const ItemRecord& item : catalogue)
            total += server.Stock(item.code);
        return total;
    };
    const int64_t before = totalStock();

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
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    std::set<std::string> orderNumbers;
    int64_t supplied = 0, lines = 0;
    for (const ClientRun& run : runs) {
        ASSERT_TRUE(run.orderlyEnd);
        ASSERT_EQ(1u, run.messages.size());
        for (const ReplyField& field : ParseReply(run.messages[0])) {
            if (field.kind == ReplyField::Kind::OrderNumber)
                orderNumbers.insert(field.text);
            lines += field.kind == ReplyField::Kind::LineResult;
            if (field.kind == ReplyField::Kind::LineResult && (field.status == 0 || field.status == 3))
                supplied += field.quantity;
        }
    }
    EXPECT_EQ(kClients * kLinesEach, lines) << "every line is answered";
    EXPECT_EQ(static_cast<size_t>(kClients), orderNumbers.size()) << "every order has its own number";
    EXPECT_EQ(before - supplied, totalStock());
    EXPECT_EQ(kClients, server.OrderCount());
}

} // namespace
