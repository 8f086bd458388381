// The receiving station: grants, blocks, checks, duplicates, WACK and the closing EOTs.
#include <gtest/gtest.h>

#include "LinkRig.h"

namespace {

// An Idle link that has granted the other station's bid.
void Granted(LinkRig& rig)
{
    rig.Idle();
    ASSERT_EQ(rig.Answer(kEnq), kAck0);
}

// A granted link whose owner holds a whole message, not yet acknowledged.
void Holding(LinkRig& rig, const std::string& message = "REPLY~")
{
    Granted(rig);
    rig.Feed(Block(message, true));
}

// Each case starts with a client link on its own clock.
class BiSyncReceiver : public ::testing::Test {
protected:
    LinkRig rig;
};

} // namespace

TEST_F(BiSyncReceiver, BlockOf266BytesIsTakenAndALongerOneRefusedWhateverItsCheck)
{
    Granted(rig);
    EXPECT_EQ(rig.Answer(Block(std::string(266, 'x'), false)), kAck1);
    // After 267 bytes the running check of the first 266 no longer matters: no
    // check character, not even the one that matches the bytes kept, passes.
    const std::string overflowed = "\x02" + std::string(267, 'y') + "\x03";
    for (int check : {0x83, 0x80, 'y' ^ 0x03, 0x03})
        EXPECT_EQ(rig.Answer(overflowed + static_cast<char>(check)), kNak) << check;
    EXPECT_TRUE(rig.messages.empty());
}

// A block sent twice is acknowledged twice; the last one, sent again, once
// the owner has finished.
TEST_F(BiSyncReceiver, ResentBlocksAreAcknowledgedAgainButKeptOnce)
{
    Granted(rig);
    rig.Feed(Block("REPLY~", false));
    EXPECT_EQ(rig.Answer(Block("REPLY~", false)), kAck1 + kAck0);
    rig.Feed(Block("END~", true));
    EXPECT_EQ(rig.Answer(Block("END~", true)), ""); // the owner has not finished yet
    rig.Finish();
    EXPECT_EQ(rig.TakeSent(), kAck1);
    // Our ACK1 was lost; the sender sends its last block again.
    EXPECT_EQ(rig.Answer(Block("END~", true)), kAck1);
    EXPECT_EQ(rig.messages, std::vector<std::string>{"REPLY~END~"});
}

TEST_F(BiSyncReceiver, ANewTransmissionMayRepeatThePreviousMessage)
{
    LinkRig server(LinkStation::Server);
    Holding(server, "OK");
    server.Finish("EXEUPDATE~abcd~");
    server.Feed(kEot);  // Idle, bids
    server.Feed(kAck0); // granted: the update goes
    server.Feed(kAck1); // EOT, Idle
    server.TakeSent();
    EXPECT_EQ(server.Answer(kEnq), kAck0);
    server.Feed(Block("OK", true));
    EXPECT_EQ(server.messages, (std::vector<std::string>{"OK", "OK"}));
}

// The owner is slow: WACK at 200 ms, then four more every five seconds, and
// the link gives up five seconds later. A bid from the sender starts the cycle again.
TEST_F(BiSyncReceiver, SlowOwnerGetsFiveWacksAndAnEnqStartsTheCycleAgain)
{
    struct Case {
        uint64_t enqAt; // 0: none
        std::vector<uint64_t> wacks;
        uint64_t end;
    };
    const Case cases[] = {
        {0, {200, 5200, 10200, 15200, 20200}, 25200},
        {5200, {200, 5200, 5400, 10400, 15400, 20400, 25400}, 30400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.enqAt);
        LinkRig slow;
        Holding(slow);
        if (c.enqAt) {
            slow.Advance(c.enqAt);
            slow.Feed(kEnq);
        }
        slow.Advance(60000);
        EXPECT_EQ(slow.SendTimes(kWack), c.wacks);
        EXPECT_EQ(slow.ends, (LinkEnds{{c.end, 0}}));
    }
}

// The owner finished during a WACK cycle, so the WACK timer owes the sender its
// acknowledgement. A resent last block arriving then must not clear that debt:
// the acknowledgement would never go, and the link would WACK itself to death.
TEST_F(BiSyncReceiver, OwnerFinishingDuringTheWackCycleIsAcknowledgedOnTheNextTickThoughTheLastBlockCameAgain)
{
    Holding(rig, "OK");
    rig.Advance(1000);
    EXPECT_EQ(rig.TakeSent(), kWack);
    rig.Finish();
    rig.Feed(Block("OK", true));
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Advance(4199);
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Advance(1);
    EXPECT_EQ(rig.TakeSent(), kAck1);
    rig.Advance(30000);
    EXPECT_EQ(rig.TakeSent(), "");
    EXPECT_EQ(rig.engine.State(), kLinkReceiving);
    EXPECT_EQ(rig.messages.size(), 1u);
}

TEST_F(BiSyncReceiver, EnqInIdleJustAfterOurWackAnswersTheWackAndIsNoBid)
{
    Holding(rig);
    rig.Advance(200);
    EXPECT_EQ(rig.TakeSent(), kWack);
    rig.Idle();
    EXPECT_EQ(rig.Answer(kEnq), "");
    EXPECT_EQ(rig.engine.State(), kLinkIdle);
    EXPECT_EQ(rig.Answer(kEnq), kAck0);
}

// After the last message, the sender's EOT is answered with EOT; the link ends
// at the other station's second EOT, else when timer 9 has repeated ours.
TEST_F(BiSyncReceiver, EotWithNothingToSayClosesAndTheSecondEotOrTimer9EndsIt)
{
    for (bool second : {false, true}) {
        SCOPED_TRACE(second);
        LinkRig closing;
        Holding(closing, "OK");
        closing.Finish();
        EXPECT_EQ(closing.Answer(kEot), kAck1 + kEot);
        EXPECT_EQ(closing.engine.State(), kLinkDisconnecting);
        EXPECT_TRUE(closing.engine.OrderlyEnd());
        if (second)
            closing.Feed(kEot);
        closing.Advance(10000);
        EXPECT_EQ(closing.SendTimes(kEot), (second ? std::vector<uint64_t>{0} : std::vector<uint64_t>{0, 2000}));
        EXPECT_EQ(closing.ends, (LinkEnds{{second ? 0u : 4000u, 1}}));
    }
}

TEST_F(BiSyncReceiver, ModemLineIgnoresJunkUntilQuietOrABid)
{
    rig.engine.Connected();
    rig.Feed("CONNECT 9600\r\n");
    rig.Advance(900);
    rig.Feed(kAck0);
    rig.Advance(999);
    EXPECT_EQ(rig.engine.State(), kLinkIgnoringJunk);
    EXPECT_EQ(rig.Answer("xx" + kEnq), kAck0);
    EXPECT_EQ(rig.engine.State(), kLinkEnquiry);
    EXPECT_FALSE(rig.timers.IsSet(kJunkTimer));
}

TEST_F(BiSyncReceiver, MessagesBeyondTheLimitAreRefused)
{
    rig.engine.SetMessageLimit(300);
    Granted(rig);
    EXPECT_EQ(rig.Answer(Block(std::string(200, 'a'), false)), kAck1);
    EXPECT_EQ(rig.Answer(Block(std::string(101, 'b'), true)), kNak);
    rig.Feed(Block(std::string(100, 'b'), true));
    EXPECT_EQ(rig.messages.size(), 1u);
}
