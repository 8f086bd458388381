#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
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

std::string Format(const CPerfTimer& timer, const char* pattern, size_t size)
{
    std::vector<char> out(size + 1, '#');
    const int n = FormatElapsed(timer, out.data(), size, pattern);
    EXPECT_EQ(out[static_cast<size_t>(n)], '\0');
    EXPECT_EQ(out[size], '#') << "wrote past the buffer";
    return std::string(out.data(), static_cast<size_t>(n));
}

} // namespace

// A fast counter over a long run once overflowed.
TEST(FormatElapsed, PatternsFieldsBufferSizesAndLongRuns)
{
    // A directive that doesn't fit the buffer whole is dropped; minutes and seconds wrap, %m and %s don't.
    const int64_t hms = ((2 * 3600 + 3 * 60 + 4) * 1000 + 5) * 1000LL;
    const struct {
        int64_t ticks;
        const char* pattern;
        size_t size;
        const char* text;
        int64_t frequency = 1000000;
    } cases[] = {
        {hms, "%M:%S %m %s", 256, "03:04 123 7384"},
        {hms, "%f|%6f|%0f", 256, "0|005000|0"},
        {65250000, "%M:%S.%2f", 6, "01:05"},
        {1500000, "100%% %q%S%3", 256, "100% 01"},  // unknown letters are dropped, a cut-off directive too
        {-10000, "%M:%S.%2f", 256, "00:00.00"},  // a counter running backwards reads as zero
        {3000000000LL * 100000 + 1500000000, "%S.%9f", 256, "40.500000000", 3000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        FakeCounter counter;
        counter.frequency = c.frequency;
        CPerfTimer timer(counter);
        counter.now += c.ticks;
        EXPECT_EQ(Format(timer, c.pattern, c.size), c.text);
    }
}

class TraceLogTest : public TempDirTest {
protected:
    TraceLogTest()
    {
        clock.when = LocalTime(2008, 7, 1, 9, 15, 2);
        log.SetScreen(&screen);
    }

    void Line(unsigned flags, const char* text) { Trace(&log, flags, "%s", text); }
    std::string FileOf(const char* title) const { return ReadBytes(PathOf("Logs") + "/" + title); }

    FakeCounter counter;
    FakeClock clock;
    FakeScreen screen;
    CTraceLog log{counter, clock, PathOf("Logs")};
};

// A continuation (0x8000) keeps the line's number and its line timer going.
TEST_F(TraceLogTest, PrefixCarriesNumberRunTimeAndLineTime)
{
    counter.AdvanceMs(531);
    Trace(&log, 8, "Connecting %s\r\n", "now");
    counter.AdvanceMs(1002);
    Line(0x20, "Client: ");
    counter.AdvanceMs(20);
    Line(0x8008, "{ENQ}\r\n");
    counter.AdvanceMs(30);
    Line(4, "again\r\n");
    EXPECT_EQ(screen.shown, "  0 <00:00.53 : 00.531> Connecting now\r\n"
                            "  1 <00:01.53 : 01.002> Client: {ENQ}\r\n"
                            "  2 <00:01.58 : 00.050> again\r\n");
}

// Flags with no route reach neither and count no number. The account names
// the file, made safe so that it stays in its folder, and the file has each
// line at once.
TEST_F(TraceLogTest, FlagsChooseScreenAndFile)
{
    log.SetLogName("../..\\up/x:y");
    for (unsigned flags : {0u, 0x8000u, 0x100u})
        Line(flags, "lost\r\n");
    Line(0x10, "state\r\n");
    Line(0x8010, ".noise\r\n");
    Line(0x8040, "tick\r\n");
    EXPECT_EQ(screen.shown, "tick\r\n");
    EXPECT_EQ(FileOf("______up_x_y 01-07-2008 09.15.02.log"),
              "  0 <00:00.00 : 00.000> state\r\r\n.noise\r\r\ntick\r\r\n");
}

TEST_F(TraceLogTest, ScreenDropsWholeOldEntriesPastItsLimit)
{
    const std::string next(400000, 'c');
    Line(8, std::string(600000, 'a').c_str());
    Line(0x8008, std::string(100000, 'b').c_str());
    Line(8, next.c_str());
    EXPECT_EQ(screen.shown, "  1 <00:00.00 : 00.000> " + next);
    Line(0x8008, "tail\r\n");
    EXPECT_EQ(screen.shown.size(), next.size() + 24 + 6);
}

// A server that trickles bytes must not fill the disk through the log: past
// its limit a file gets one line saying so and nothing more until the next
// log, which a new name starts in a new file. This log has no screen.
TEST_F(TraceLogTest, AFileStopsAtItsLimitWithOneLineSayingSoUntilTheNextLog)
{
    CTraceLog capped{counter, clock, PathOf("Logs"), {150, 1000}};
    capped.SetLogName("4711");
    std::string kept;
    for (int i = 0; i < 20; ++i) {
        Trace(&capped, 0x8008, "line %02d\r\n", i);
        if (i < 8)
            kept += StrFormat("line %02d\r\r\n", i);
    }
    EXPECT_EQ(FileOf("4711 01-07-2008 09.15.02.log"),
              kept + "\r\r\n* Log cut at 150 bytes: nothing more is written to this file\r\r\n");
    clock.when = LocalTime(2008, 7, 1, 10, 0, 0);
    capped.SetLogName("4711");
    Trace(&capped, 0x8008, "again\r\n");
    EXPECT_EQ(FileOf("4711 01-07-2008 10.00.00.log"), "again\r\r\n");
}

// The oldest logs by their last change go first, until the ones left and a
// new file at its limit fit the folder's; other files stay.
TEST_F(TraceLogTest, ANewLogRemovesTheOldestLogsUntilTheFolderHasRoomForIt)
{
    namespace fs = std::filesystem;
    fs::create_directory(PathOf("Logs"));
    const fs::file_time_type now = fs::file_time_type::clock::now();
    const char* newestFirst[] = {"a.log", "b.log", "c.log", "d.log"};
    for (int i = 0; i < 4; ++i) {
        const std::string path = PathOf("Logs") + "/" + newestFirst[i];
        ASSERT_TRUE(WriteBytes(path, std::string(250, 'x')));
        fs::last_write_time(path, now - std::chrono::hours(i + 1));
    }
    ASSERT_TRUE(WriteBytes(PathOf("Logs") + "/notes.txt", std::string(5000, 'n')));
    CTraceLog capped{counter, clock, PathOf("Logs"), {300, 1000}};
    capped.SetLogName("4711");
    Trace(&capped, 8, "first\r\n");
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathOf("Logs")))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"4711 01-07-2008 09.15.02.log", "a.log", "b.log", "notes.txt"}));
}
