// The sending station: bids, blocks, acknowledgements, resends and their timers.
// Where blocks are cut is CutBlock's test; that the engine cuts a long field a
// byte or two a block without repeating a block, LinkExchange's.
#include <gtest/gtest.h>

#include "LinkRig.h"

namespace {

// A link that has sent the first block of text and awaits its ACK1.
void Sending(LinkRig& rig, const std::string& text)
{
    rig.Idle(text);
    rig.Feed(kAck0);
    rig.TakeSent();
}

// Each case starts with a client link on its own clock.
class BiSyncEngine : public ::testing::Test {
protected:
    LinkRig rig;
};

} // namespace

TEST_F(BiSyncEngine, UnansweredBidIsRepeatedFiveTimesThenGivenUp)
{
    rig.random.value = 57;
    rig.Idle("A~");
    rig.Advance(60000);
    EXPECT_EQ(rig.SendTimes(kEnq), (std::vector<uint64_t>{0, 3057, 6114, 9171, 12228, 15285}));
    EXPECT_EQ(rig.ends, (LinkEnds{{18342, 0}}));
    EXPECT_EQ(rig.engine.SendBuffer(), "");
}

TEST_F(BiSyncEngine, GrantedBidSendsTheBlockAndItsCheckAsTwoPiecesThenEot)
{
    rig.Idle("A~");
    rig.TakeSent();
    EXPECT_EQ(rig.Answer(kAck0), "\x02" "A~\x03" "\x3C");
    EXPECT_EQ(rig.SendTimes("\x02" "A~\x03").size(), 1u);
    EXPECT_EQ(rig.SendTimes("\x3C").size(), 1u);
    EXPECT_EQ(rig.Answer(kAck1), kEot);
    EXPECT_EQ(rig.engine.State(), kLinkIdle);
    rig.Advance(100000);
    EXPECT_EQ(rig.TakeSent(), ""); // neither the bid's nor the block's timer runs on
}

TEST_F(BiSyncEngine, AcknowledgementsAlternateNeedTheirDleAndTheWrongOneIsIgnored)
{
    Sending(rig, std::string(240, 'a') + "~" + "bb~");
    EXPECT_EQ(rig.Answer(kAck0), ""); // stale: ACK1 is awaited
    EXPECT_EQ(rig.Answer("1"), "");   // no DLE just before
    EXPECT_EQ(rig.Answer("\x10"), "");
    EXPECT_EQ(rig.Answer("1"), Block("bb~", true));
    EXPECT_EQ(rig.Answer(kAck1), "");
    EXPECT_EQ(rig.Answer(kAck0), kEot);
}

TEST_F(BiSyncEngine, UnacknowledgedBlockIsResentAfter15SecondsAndGivenUpAfterFiveResends)
{
    Sending(rig, "A~");
    rig.Advance(200000);
    EXPECT_EQ(rig.SendTimes("\x02" "A~\x03"), (std::vector<uint64_t>{0, 15000, 30000, 45000, 60000, 75000}));
    EXPECT_EQ(rig.ends, (LinkEnds{{90000, 0}}));
}

TEST_F(BiSyncEngine, NakResendsAtOnceAndEveryNewBlockHasItsOwnResends)
{
    const std::string first = std::string(200, 'a') + "~";
    Sending(rig, first + std::string(200, 'b') + "~");
    EXPECT_EQ(rig.Answer(kNak), Block(first, false));
    for (int i = 0; i < 3; ++i)
        rig.Feed(kNak);
    rig.Feed(kAck1);
    for (int i = 0; i < CBiSyncEngine::kBlockResends; ++i)
        rig.Feed(kNak);
    EXPECT_EQ(rig.engine.State(), kLinkSending);
    rig.Feed(kNak);
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
}

TEST_F(BiSyncEngine, WackWhileSendingAsksAgainAndRestartsTheBlockTimer)
{
    Sending(rig, "A~");
    rig.Advance(10000);
    EXPECT_EQ(rig.Answer(kWack), kEnq);
    rig.Advance(14999);
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Advance(1);
    EXPECT_EQ(rig.TakeSent(), Block("A~", true));
}

// A receiver that answers every bid with WACK is given up as a silent sender
// is: after 125 WACKs, the 25 s a receiver WACKs at one per 200 ms bid.
TEST_F(BiSyncEngine, WacksForOneBlockAreCountedAsWhenReceiving)
{
    Sending(rig, std::string(300, 'a') + "~");
    EXPECT_EQ(rig.Answer(kAck1).substr(0, 2), "\x02" "a"); // a new block starts the count afresh
    for (int i = 0; i < 125; ++i)
        ASSERT_EQ(rig.Answer(kWack), kEnq);
    EXPECT_EQ(rig.Answer(kWack), "");
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
}

TEST_F(BiSyncEngine, BothStationsBiddingBidsAgain)
{
    rig.Idle("A~");
    rig.TakeSent();
    EXPECT_EQ(rig.Answer(kEnq), kEnq);
    EXPECT_EQ(rig.engine.State(), kLinkEnquiring);
}

TEST_F(BiSyncEngine, DisconnectStopsEverything)
{
    Sending(rig, "A~");
    rig.Reset();
    rig.Feed(kNak);
    rig.Advance(100000);
    EXPECT_EQ(rig.TakeSent(), "");
}
