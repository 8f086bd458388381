#include <gtest/gtest.h>

#include <vector>

#include "ServerOptions.h"

namespace {

OptionsResult Parse(std::vector<const char*> args, ServerOptions* options, std::string* error)
{
    args.insert(args.begin(), "orderd");
    return ParseServerOptions(static_cast<int>(args.size()), args.data(), options, error);
}

// --port, --db, --catalogue and --log are pinned by starting orderd itself
// (OrderdProgramTest), the fault and update options by the Wine tests; the
// flags and the other timeout and limits are read the same way.
TEST(ServerOptions, ReadsTheLimitsWithTimeoutsInSecondsRefusesWhatItCannotUseAndStopsAtHelp)
{
    ServerOptions o;
    std::string error;
    ASSERT_EQ(OptionsResult::Run, Parse({"--idle-timeout", "5", "--max-clients", "300", "--max-order-lines", "50"},
                                        &o, &error))
        << error;
    EXPECT_EQ(5000, o.idleTimeoutMs);
    EXPECT_EQ(300, o.maxClients);
    EXPECT_EQ(50u, o.limits.maxLines);
    EXPECT_EQ(OptionsResult::Help, Parse({"--port", "1", "--help", "--bogus"}, &o, &error));

    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"--port"}, {"--port", "70000"}, {"--port", "12x"}, {"--db", ""}, {"--update-file", "a.exe"},
    };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_EQ(OptionsResult::Error, Parse(args, &o, &error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
