#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "LocalTime.h"
#include "TempDir.h"
#include "trace/TraceLog.h"

namespace {

// A counter turned by hand: one tick is a microsecond.
class FakeCounter : public ICounterSource {
public:
    int64_t Count() const override { return now; }
    int64_t Frequency() const override { return frequency; }
    void AdvanceMs(int64_t ms) { now += ms * 1000; }

    int64_t now = 5000000;
    int64_t frequency = 1000000;
};

class FakeClock : public ILocalClock {
public:
    std::tm LocalTime() const override { return when; }
    std::tm when{};
};

class FakeScreen : public ITraceScreen {
public:
    void AppendText(const std::string& text) override { shown += text; }
    void RemoveFront(size_t count) override { shown.erase(0, count); }

    std::string shown;
};

std::string Format(const CPerfTimer& timer, const char* pattern, size_t size = 256)
{
    std::vector<char> out(size + 1, '#');
    const int n = FormatElapsed(timer, out.data(), size, pattern);
    EXPECT_EQ(out[static_cast<size_t>(n)], '\0');
    EXPECT_EQ(out[size], '#') << "wrote past the buffer";
    return std::string(out.data(), static_cast<size_t>(n));
}

} // namespace

TEST(FormatElapsed, RunAndLineTimerPatterns)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs(65250);
    EXPECT_EQ(Format(timer, "%M:%S.%2f"), "01:05.25");
    counter.AdvanceMs(-65250 + 7253);
    EXPECT_EQ(Format(timer, "%S.%3f"), "07.253");
}

TEST(FormatElapsed, MinutesAndSecondsWrapWholeValuesDoNot)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs((2 * 3600 + 3 * 60 + 4) * 1000 + 5);
    EXPECT_EQ(Format(timer, "%M:%S"), "03:04");
    EXPECT_EQ(Format(timer, "%m %s"), "123 7384");
    EXPECT_EQ(Format(timer, "%f|%6f|%0f"), "0|005000|0");
}

TEST(FormatElapsed, ResetStartsAgain)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs(3000);
    timer.Reset();
    counter.AdvanceMs(120);
    EXPECT_EQ(Format(timer, "%S.%3f"), "00.120");
}

TEST(FormatElapsed, DirectiveThatDoesNotFitIsDropped)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs(65250);
    EXPECT_EQ(Format(timer, "%M:%S.%2f", 6), "01:05");
    EXPECT_EQ(Format(timer, "%M%S:", 4), "01:");
    EXPECT_EQ(Format(timer, "%M", 2), "");
    EXPECT_EQ(Format(timer, "%M", 1), "");
    char untouched = 'x';
    EXPECT_EQ(FormatElapsed(timer, &untouched, 0, "%M"), 0);
    EXPECT_EQ(untouched, 'x');
}

TEST(FormatElapsed, OtherLettersAndAStrayPercent)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs(1500);
    EXPECT_EQ(Format(timer, "100%% %q%S"), "100% 01");
    EXPECT_EQ(Format(timer, "%S%"), "01");
    EXPECT_EQ(Format(timer, "%S%3"), "01");
}

TEST(FormatElapsed, FastCounterAndLongRunsDoNotOverflow)
{
    FakeCounter counter;
    counter.frequency = 3000000000;
    CPerfTimer timer(counter);
    counter.now += 3000000000LL * 100000 + 1500000000;
    EXPECT_EQ(Format(timer, "%S.%9f"), "40.500000000");
}

TEST(FormatElapsed, CounterRunningBackwardsReadsAsZero)
{
    FakeCounter counter;
    CPerfTimer timer(counter);
    counter.AdvanceMs(-10);
    EXPECT_EQ(Format(timer, "%M:%S.%2f"), "00:00.00");
}

class TraceLogTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        clock.when = LocalTime(2008, 7, 1, 9, 15, 2);
        m_log = std::make_unique<CTraceLog>(counter, clock, LogsFolder());
        m_log->SetScreen(&screen);
    }

    std::string LogsFolder() const { return PathOf("Logs"); }
    std::string FileOf(const char* title) const { return ReadBytes(LogsFolder() + "/" + title); }

    FakeCounter counter;
    FakeClock clock;
    FakeScreen screen;
    std::unique_ptr<CTraceLog> m_log;
};

TEST_F(TraceLogTest, PrefixCarriesNumberRunTimeAndLineTime)
{
    CTraceLog& log = *m_log;
    counter.AdvanceMs(531);
    Trace(&log, 8, "Connecting %s\r\n", "now");
    counter.AdvanceMs(1002);
    Trace(&log, 0x20, "Connected\r\n");
    EXPECT_EQ(screen.shown, "  0 <00:00.53 : 00.531> Connecting now\r\n"
                            "  1 <00:01.53 : 01.002> Connected\r\n");
}

TEST_F(TraceLogTest, ContinuationKeepsTheNumberAndTheLineTimer)
{
    CTraceLog& log = *m_log;
    counter.AdvanceMs(10);
    Trace(&log, 8, "Client: ");
    counter.AdvanceMs(20);
    Trace(&log, 0x8008, "{ENQ}\r\n");
    counter.AdvanceMs(30);
    Trace(&log, 4, "again\r\n");
    EXPECT_EQ(screen.shown, "  0 <00:00.01 : 00.010> Client: {ENQ}\r\n"
                            "  1 <00:00.06 : 00.050> again\r\n");
}

TEST_F(TraceLogTest, FlagsChooseScreenAndFile)
{
    CTraceLog& log = *m_log;
    log.SetLogName("12345");
    Trace(&log, 0x10, "state\r\n");
    Trace(&log, 0x8010, ".noise\r\n");
    Trace(&log, 0x8040, "tick\r\n");
    EXPECT_EQ(screen.shown, "tick\r\n");
    EXPECT_EQ(FileOf("12345 01-07-2008 09.15.02.log"),
              "  0 <00:00.00 : 00.000> state\r\r\n.noise\r\r\ntick\r\r\n");
}

TEST_F(TraceLogTest, FlagsWithNoRouteDoNothingAtAll)
{
    CTraceLog& log = *m_log;
    log.SetLogName("12345");
    Trace(&log, 0, "lost\r\n");
    Trace(&log, 0x8000, "lost\r\n");
    Trace(&log, 0x100, "lost\r\n");
    EXPECT_EQ(screen.shown, "");
    EXPECT_FALSE(std::filesystem::exists(LogsFolder()));
    Trace(&log, 8, "first\r\n");
    EXPECT_EQ(screen.shown.substr(0, 4), "  0 ");
}

TEST_F(TraceLogTest, WithoutALogNameNoFolderIsCreated)
{
    CTraceLog& log = *m_log;
    Trace(&log, 8, "shown\r\n");
    Trace(&log, 0x10, "file only\r\n");
    EXPECT_EQ(screen.shown, "  0 <00:00.00 : 00.000> shown\r\n");
    EXPECT_FALSE(std::filesystem::exists(LogsFolder()));
    EXPECT_EQ(log.LogPath(), "");
}

TEST_F(TraceLogTest, FileIsFlushedAfterEveryLine)
{
    CTraceLog& log = *m_log;
    log.SetLogName("acct");
    Trace(&log, 8, "one\n");
    EXPECT_EQ(FileOf("acct 01-07-2008 09.15.02.log"), "  0 <00:00.00 : 00.000> one\r\n");
    Trace(&log, 0x8008, "two");
    EXPECT_EQ(FileOf("acct 01-07-2008 09.15.02.log"), "  0 <00:00.00 : 00.000> one\r\ntwo");
}

TEST_F(TraceLogTest, NewNameStartsANewFileWithTheCurrentTime)
{
    CTraceLog& log = *m_log;
    log.SetLogName("acct");
    Trace(&log, 8, "a\r\n");
    clock.when = LocalTime(2008, 7, 1, 10, 0, 0);
    log.SetLogName("acct");
    EXPECT_EQ(log.LogPath(), "");
    Trace(&log, 8, "b\r\n");
    EXPECT_EQ(FileOf("acct 01-07-2008 09.15.02.log"), "  0 <00:00.00 : 00.000> a\r\r\n");
    EXPECT_EQ(FileOf("acct 01-07-2008 10.00.00.log"), "  1 <00:00.00 : 00.000> b\r\r\n");
}

TEST_F(TraceLogTest, FileThatCannotBeOpenedTurnsFileLoggingOff)
{
    CTraceLog& log = *m_log;
    WriteBytes(LogsFolder(), "a file where the folder belongs");
    log.SetLogName("acct");
    Trace(&log, 8, "still shown\r\n");
    EXPECT_EQ(log.LogName(), "");
    EXPECT_EQ(screen.shown, "  0 <00:00.00 : 00.000> still shown\r\n");
    std::filesystem::remove(LogsFolder());
    Trace(&log, 8, "no retry\r\n");
    EXPECT_FALSE(std::filesystem::exists(LogsFolder()));
}

TEST_F(TraceLogTest, ScreenDropsWholeOldEntriesPastItsLimit)
{
    CTraceLog& log = *m_log;
    const std::string big(600000, 'a');
    const std::string rest(100000, 'b');
    const std::string next(400000, 'c');
    Trace(&log, 8, "%s", big.c_str());
    Trace(&log, 0x8008, "%s", rest.c_str());
    Trace(&log, 8, "%s", next.c_str());
    EXPECT_EQ(screen.shown, "  1 <00:00.00 : 00.000> " + next);
    Trace(&log, 0x8008, "tail\r\n");
    EXPECT_EQ(screen.shown.size(), next.size() + 24 + 6);
}

TEST_F(TraceLogTest, NoScreenStillWritesTheFile)
{
    CTraceLog& log = *m_log;
    log.SetScreen(nullptr);
    log.SetLogName("acct");
    Trace(&log, 0x20, "status\r\n");
    EXPECT_EQ(FileOf("acct 01-07-2008 09.15.02.log"), "  0 <00:00.00 : 00.000> status\r\r\n");
}

TEST_F(TraceLogTest, AccountNumberCannotPlaceTheLogOutsideItsFolder)
{
    CTraceLog& log = *m_log;
    log.SetLogName("../..\\up/x:y");
    Trace(&log, 8, "line\r\n");
    EXPECT_EQ(FileOf("______up_x_y 01-07-2008 09.15.02.log"), "  0 <00:00.00 : 00.000> line\r\r\n");
}
