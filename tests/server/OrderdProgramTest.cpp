#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "LoopbackClient.h"
#include "demo/DemoCatalogue.h"

extern char** environ;

namespace {

// orderd started as the README starts it, with its log in a file. The first
// run is killed, as by a crash, once it has answered: the second, though
// asked for a larger catalogue, keeps the first's products and goes on from
// its orders, and stops as a service manager stops it.
TEST(OrderdProgram, KeepsItsSeededDatabaseAndAnsweredOrdersThroughAKillAndARestart)
{
    CTempFolder dir;
    const std::string code = MakeDemoCatalogue(1).front().code, db = dir.Path("orders.db");
    const char* catalogues[] = {"300", "500"};
    for (int run = 0; run < 2; ++run) {
        const std::string log = dir.Path(run == 0 ? "first.log" : "second.log");
        const char* argv[] = {QBX_ORDERD, "--port", "0", "--db", db.c_str(), "--catalogue", catalogues[run],
                              "--log", log.c_str(), nullptr};
        pid_t pid = -1;
        ASSERT_EQ(0, posix_spawn(&pid, QBX_ORDERD, nullptr, nullptr, const_cast<char**>(argv), environ));
        ASSERT_TRUE(WaitForText(log, " port ", 5000)) << ReadBytes(log);
        const int port = atoi(ReadBytes(log).substr(ReadBytes(log).find(" port ") + 6).c_str());
        const ClientRun result = RunClient(OrderScript(port, {{code, 1}}, "DEMO", 1700000100 + run));
        EXPECT_TRUE(result.orderlyEnd);
        ASSERT_EQ(1u, result.messages.size());
        EXPECT_EQ(0u, result.messages[0].find("REPLY~ORDER NUMBER 10000" + std::to_string(run + 1) + "~"));
        int status = -1;
        kill(pid, run == 0 ? SIGKILL : SIGTERM);
        waitpid(pid, &status, 0);
        EXPECT_EQ(run == 0 ? -1 : 0, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        EXPECT_NE(std::string::npos, ReadBytes(log).find("with 300 products"));
        EXPECT_EQ(run == 1, ReadBytes(log).find("orderd stopped") != std::string::npos);
    }
}

} // namespace
