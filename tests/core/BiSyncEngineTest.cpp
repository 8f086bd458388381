// The sending station: bids, blocks, acknowledgements, resends and their timers.
#include <gtest/gtest.h>

#include "LinkRig.h"

namespace {

// Queues a text and enters Idle, as ComposeOrder does.
void StartSending(LinkRig& rig, const std::string& text)
{
    rig.Do([&](CBiSyncEngine& e) {
        e.AddSendData(text);
        e.SetState(kLinkIdle);
    });
}

} // namespace

TEST(BiSyncEngine, StartsDisconnectedAndSendsNothing)
{
    LinkRig rig;
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
    rig.Do([](CBiSyncEngine& e) { e.AddSendData("X~"); });
    rig.Feed(kEnq + kAck0);
    EXPECT_EQ(rig.TakeSent(), "");
    EXPECT_EQ(rig.engine.SendBuffer(), "X~");
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "Adding Send Data 'X~'\r\n"));
}

TEST(BiSyncEngine, IdleWithDataBids)
{
    LinkRig rig;
    StartSending(rig, "A~");
    EXPECT_EQ(rig.TakeSent(), kEnq);
    EXPECT_EQ(rig.States(), (std::vector<int>{kLinkIdle, kLinkEnquiring}));
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "6. Idle\r\n"));
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "7. Enquiring\r\n"));
    EXPECT_TRUE(rig.trace.Has(kTraceConnection, "Client: "));
    EXPECT_TRUE(rig.trace.Has(kTraceData, "{ENQ}\r\n"));
    EXPECT_EQ(rig.timers.Period(kBidTimer), 3042u);
}

TEST(BiSyncEngine, AddSendDataInIdleBidsAtOnce)
{
    LinkRig rig;
    rig.Do([](CBiSyncEngine& e) { e.SetState(kLinkIdle); });
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Do([](CBiSyncEngine& e) { e.AddSendData("A~"); });
    EXPECT_EQ(rig.TakeSent(), kEnq);
}

TEST(BiSyncEngine, UnansweredBidIsRepeatedFiveTimesThenGivenUp)
{
    LinkRig rig;
    rig.random.value = 57;
    StartSending(rig, "A~");
    rig.Advance(60000);
    EXPECT_EQ(rig.SendTimes(kEnq), (std::vector<uint64_t>{0, 3057, 6114, 9171, 12228, 15285}));
    EXPECT_EQ(rig.DisconnectedAt(), 18342);
    EXPECT_EQ(rig.Disconnects(), std::vector<int>{0});
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
    EXPECT_EQ(rig.engine.SendBuffer(), "");
    EXPECT_TRUE(rig.trace.Has(kTraceTick, "{6}"));
}

TEST(BiSyncEngine, GrantedBidSendsTheBlockThenEot)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.TakeSent();
    rig.Feed(kAck0);
    EXPECT_EQ(rig.TakeSent(), Bytes({0x02, 'A', '~', 0x03, 0x3C}));
    EXPECT_EQ(rig.engine.State(), kLinkSending);
    EXPECT_FALSE(rig.timers.IsSet(kBidTimer));
    EXPECT_EQ(rig.timers.Period(kBlockTimer), 15000u);
    rig.Feed(kAck1);
    EXPECT_EQ(rig.TakeSent(), kEot);
    EXPECT_EQ(rig.engine.State(), kLinkIdle);
    EXPECT_FALSE(rig.timers.IsSet(kBlockTimer));
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "A.5. End of Transmission \r\n"));
}

TEST(BiSyncEngine, BlockAndCheckGoAsTwoPiecesOfOutput)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.Feed(kAck0);
    EXPECT_EQ(rig.SendTimes(Bytes({0x02, 'A', '~', 0x03})).size(), 1u);
    EXPECT_EQ(rig.SendTimes(Bytes({0x3C})).size(), 1u);
}

TEST(BiSyncEngine, AcknowledgementsAlternateAndTheWrongOneIsIgnored)
{
    LinkRig rig;
    StartSending(rig, std::string(240, 'a') + "~" + "bb~");
    rig.Feed(kAck0);
    rig.TakeSent();
    rig.Feed(kAck0); // stale: ACK1 is awaited
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Feed(kAck1);
    EXPECT_EQ(rig.TakeSent(), Block("bb~", true));
    rig.Feed(kAck1);
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Feed(kAck0);
    EXPECT_EQ(rig.TakeSent(), kEot);
}

TEST(BiSyncEngine, AcknowledgementNeedsItsDleJustBefore)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.TakeSent();
    rig.Feed("0");
    EXPECT_EQ(rig.engine.State(), kLinkEnquiring);
    rig.Feed("\x10");
    rig.Feed("0");
    EXPECT_EQ(rig.engine.State(), kLinkSending);
}

TEST(BiSyncEngine, NakResendsAtOnce)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.Feed(kAck0);
    rig.TakeSent();
    rig.Feed(kNak);
    EXPECT_EQ(rig.TakeSent(), Block("A~", true));
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "A.3. Resending\r\n"));
}

TEST(BiSyncEngine, UnacknowledgedBlockIsResentAfter15SecondsAndGivenUpAfterFiveResends)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.Feed(kAck0);
    rig.Advance(200000);
    EXPECT_EQ(rig.SendTimes(Bytes({0x02, 'A', '~', 0x03})),
              (std::vector<uint64_t>{0, 15000, 30000, 45000, 60000, 75000}));
    EXPECT_EQ(rig.DisconnectedAt(), 90000);
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "A.1. (no ack for block, resending)\r\n"));
}

TEST(BiSyncEngine, EveryNewBlockHasItsOwnResends)
{
    LinkRig rig;
    StartSending(rig, std::string(200, 'a') + "~" + std::string(200, 'b') + "~");
    rig.Feed(kAck0);
    for (int i = 0; i < 4; ++i)
        rig.Feed(kNak);
    rig.Feed(kAck1);
    rig.TakeSent();
    for (int i = 0; i < CBiSyncEngine::kBlockResends; ++i)
        rig.Feed(kNak);
    EXPECT_EQ(rig.engine.State(), kLinkSending);
    rig.Feed(kNak);
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
}

TEST(BiSyncEngine, WackWhileSendingAsksAgainAndRestartsTheBlockTimer)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.Feed(kAck0);
    rig.TakeSent();
    rig.Advance(10000);
    rig.Feed(kWack);
    EXPECT_EQ(rig.TakeSent(), kEnq);
    rig.Advance(14999);
    EXPECT_EQ(rig.TakeSent(), "");
    rig.Advance(1);
    EXPECT_EQ(rig.TakeSent(), Block("A~", true));
}

TEST(BiSyncEngine, BothStationsBiddingBidsAgain)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.TakeSent();
    rig.Feed(kEnq);
    EXPECT_EQ(rig.TakeSent(), kEnq);
    EXPECT_EQ(rig.engine.State(), kLinkEnquiring);
    EXPECT_EQ(rig.States(), (std::vector<int>{kLinkIdle, kLinkEnquiring, kLinkIdle, kLinkEnquiring}));
}

TEST(BiSyncEngine, LongFieldGoesOneByteABlockWithoutRepeatingABlock)
{
    LinkRig rig;
    StartSending(rig, std::string(250, 'n') + "~");
    rig.TakeSent();
    rig.Feed(kAck0);
    EXPECT_EQ(rig.TakeSent(), Block("n", false));
    rig.Feed(kAck1);
    EXPECT_EQ(rig.TakeSent(), Block("nn", false));
    rig.Feed(kAck0);
    EXPECT_EQ(rig.TakeSent(), Block("n", false));
    rig.Feed(kAck1);
    // Single and double bytes alternate until the rest fits in one block.
    EXPECT_EQ(rig.TakeSent(), Block("nn", false));
}

TEST(BiSyncEngine, ForceByteIsTraced)
{
    LinkRig rig;
    StartSending(rig, std::string("0123456789") + '\xAC' + "rest~");
    rig.TakeSent();
    rig.Feed(kAck0);
    EXPECT_EQ(rig.TakeSent(), Block("0123456789", false));
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "--- Forcing '\x02" "0123456789'\r\n"));
    rig.Feed(kAck1);
    EXPECT_EQ(rig.TakeSent(), Block("rest~", true));
}

TEST(BiSyncEngine, StateChangesArePostedOnlyWhenTheStateChanges)
{
    LinkRig rig;
    rig.Do([](CBiSyncEngine& e) { e.SetState(kLinkDisconnected); });
    EXPECT_TRUE(rig.States().empty());
    EXPECT_EQ(rig.Disconnects(), std::vector<int>{0});
    rig.Do([](CBiSyncEngine& e) { e.SetState(42); });
    EXPECT_EQ(rig.States(), std::vector<int>{42});
    EXPECT_EQ(rig.engine.State(), kLinkDisconnected);
    EXPECT_TRUE(rig.trace.Has(kTraceLink, "X. Unknown??\r\n"));
}

TEST(BiSyncEngine, DisconnectStopsEverything)
{
    LinkRig rig;
    StartSending(rig, "A~");
    rig.Feed(kAck0);
    rig.Do([](CBiSyncEngine& e) { e.Reset(); });
    EXPECT_FALSE(rig.timers.IsSet(kBlockTimer));
    EXPECT_EQ(rig.timers.NextDue(), UINT64_MAX);
    rig.TakeSent();
    rig.Feed(kNak);
    rig.Advance(100000);
    EXPECT_EQ(rig.TakeSent(), "");
}
