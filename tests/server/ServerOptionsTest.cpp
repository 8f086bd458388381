#include <gtest/gtest.h>

#include <vector>

#include "ServerOptions.h"

namespace {

OptionsResult Parse(std::vector<const char*> args, ServerOptions* options, std::string* error)
{
    args.insert(args.begin(), "orderd");
    return ParseServerOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(ServerOptions, ReadsEveryOption)
{
    ServerOptions o;
    std::string error;
    ASSERT_EQ(OptionsResult::Run,
              Parse({"--address", "::1", "--port", "0", "--db", "x.db", "--catalogue", "500", "--log", "o.log",
                     "--trace", "--update-file", "new.exe", "--update-version", "1.7", "--idle-timeout", "5",
                     "--exchange-timeout", "9", "--max-clients", "300", "--max-per-address", "7",
                     "--max-order-lines", "50", "--orders-per-minute", "4", "--fault-drop-after", "3",
                     "--fault-nak-every", "2", "--fault-delay-answer", "700", "--fault-corrupt-every", "4",
                     "--fault-silent", "--fault-garbage", "16"},
                    &o, &error))
        << error;
    EXPECT_EQ("::1", o.address);
    EXPECT_EQ(0, o.port);
    EXPECT_EQ("x.db", o.dbPath);
    EXPECT_EQ(500u, o.catalogueSize);
    EXPECT_EQ("o.log", o.logPath);
    EXPECT_TRUE(o.trace);
    EXPECT_EQ("new.exe", o.updateFile);
    EXPECT_DOUBLE_EQ(1.7, o.updateVersion);
    EXPECT_EQ(5000, o.idleTimeoutMs);
    EXPECT_EQ(9000, o.exchangeTimeoutMs);
    EXPECT_EQ(300, o.maxClients);
    EXPECT_EQ(7, o.maxPerAddress);
    EXPECT_EQ(50u, o.limits.maxLines);
    EXPECT_EQ(4, o.limits.ordersPerMinute);
    EXPECT_EQ(3, o.faults.dropAfterBlocks);
    EXPECT_EQ(2, o.faults.nakEvery);
    EXPECT_EQ(700, o.faults.delayAnswerMs);
    EXPECT_EQ(4, o.faults.corruptEvery);
    EXPECT_TRUE(o.faults.silentAfterBid);
    EXPECT_EQ(16, o.faults.garbageBytes);
}

TEST(ServerOptions, RefusesWhatItCannotUse)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"--port"}, {"--port", "70000"}, {"--port", "12x"}, {"--catalogue", "0"},
        {"--update-file", "a.exe"}, {"--update-version", "-1"}, {"--fault-nak-every", "0"}, {"--db", ""},
        {"--orders-per-minute", "0"},
    };
    for (const auto& args : bad) {
        ServerOptions o;
        std::string error;
        EXPECT_EQ(OptionsResult::Error, Parse(args, &o, &error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
    ServerOptions o;
    std::string error;
    EXPECT_EQ(OptionsResult::Help, Parse({"--port", "1", "--help"}, &o, &error));
}

} // namespace
