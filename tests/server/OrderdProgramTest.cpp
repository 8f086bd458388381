#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "LoopbackClient.h"
#include "demo/DemoCatalogue.h"

extern char** environ;

namespace {

// orderd started as the README starts it, with its log in a file.
class COrderdProcess {
public:
    COrderdProcess(const CTempFolder& dir, const char* catalogue, const char* log) : m_log(dir.Path(log))
    {
        const std::string db = dir.Path("orders.db");
        const char* argv[] = {QBX_ORDERD, "--port", "0", "--db", db.c_str(), "--catalogue", catalogue,
                              "--log", m_log.c_str(), nullptr};
        if (posix_spawn(&m_pid, QBX_ORDERD, nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = -1;
    }

    // The port from the start-up line, once the server listens; 0 when it never does.
    int Port() const
    {
        if (m_pid < 0 || !WaitForText(m_log, " port ", 5000))
            return 0;
        const std::string log = Log();
        return atoi(log.c_str() + log.find(" port ") + 6);
    }

    // Its exit status, -1 when the signal ended it.
    int Stop(int signal)
    {
        int status = -1;
        kill(m_pid, signal);
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Log() const { return ReadBytes(m_log); }

private:
    std::string m_log;
    pid_t m_pid = -1;
};

// The first run is killed, as by a crash, once it has answered: the second,
// though asked for a larger catalogue, keeps the first's products and goes on
// from its orders, and stops as a service manager stops it.
TEST(OrderdProgram, KeepsItsSeededDatabaseAndAnsweredOrdersThroughAKillAndARestart)
{
    CTempFolder dir;
    const std::string code = MakeDemoCatalogue(1).front().code;
    const char* catalogues[] = {"300", "500"};
    for (int run = 0; run < 2; ++run) {
        COrderdProcess orderd(dir, catalogues[run], run == 0 ? "first.log" : "second.log");
        const int port = orderd.Port();
        ASSERT_GT(port, 0) << orderd.Log();
        const ClientRun result = RunClient(OrderScript(port, {{code, 1}}, "DEMO", 1700000100 + run));
        EXPECT_TRUE(result.orderlyEnd);
        ASSERT_EQ(1u, result.messages.size());
        EXPECT_EQ(0u, result.messages[0].find("REPLY~ORDER NUMBER 10000" + std::to_string(run + 1) + "~"));
        EXPECT_EQ(run == 0 ? -1 : 0, orderd.Stop(run == 0 ? SIGKILL : SIGTERM));
        EXPECT_NE(std::string::npos, orderd.Log().find("with 300 products"));
        EXPECT_EQ(run == 1, orderd.Log().find("orderd stopped") != std::string::npos);
    }
}

} // namespace
