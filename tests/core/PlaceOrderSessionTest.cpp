#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <utility>

#include "LinkRig.h"
#include "TempFolder.h"
#include "comm/PlaceOrderSession.h"
#include "data/ItemList.h"
#include "text/SupportTelephone.h"

namespace {

struct FakeSocket : IOrderSocket {
    int connectError = 10035;
    int creates = 0, closes = 0;
    std::string sent, incoming;

    int Create() override { return ++creates, 0; }
    int Connect(const std::string&, int) override { return connectError; }
    void Close() override { ++closes; }
    void Send(const uint8_t* bytes, size_t count) override { sent.append(reinterpret_cast<const char*>(bytes), count); }
    int Receive(uint8_t* buffer, size_t size) override
    {
        const size_t n = std::min(size, incoming.size());
        std::copy_n(incoming.begin(), n, buffer);
        incoming.erase(0, n);
        return static_cast<int>(n);
    }
};

// A modem whose call states the test plays; what it writes joins the socket's.
struct FakeModem : IOrderModem {
    explicit FakeModem(std::string& out) : sent(out) {}
    std::string& sent;
    bool lineOpen = false;
    uint32_t dialError = 0;
    int dials = 0;

    bool OpenLine() override { return lineOpen = true; }
    uint32_t Dial(const std::string&) override { return ++dials, dialError; }
    void OpenDataChannel() override {}
    bool CallInProgress() const override { return lineOpen; }
    bool Hangup() override { return true; }
    void CloseLine() override { lineOpen = false; }
    bool Write(const uint8_t* bytes, size_t count) override
    {
        sent.append(reinterpret_cast<const char*>(bytes), count);
        return true;
    }
};

struct FakeDialUp : IDialUp {
    int dials = 0, hangUps = 0;
    DialUpEntry entry;

    uint32_t WriteEntry(const DialUpEntry& e) override { return entry = e, 0; }
    uint32_t Dial(const DialUpParams&) override { return ++dials, 0; }
    bool Dialled() const override { return dials > hangUps; }
    uint32_t HangUp() override { return ++hangUps, 0; }
    std::string ErrorText(uint32_t) override { return ""; }
};

struct FakeHost : IPlaceOrderHost {
    std::string last;
    int linkEnded = 0;
    void ShowStatus(const std::string& text) override { last = text; }
    void LinkEnded() override { ++linkEnded; }
};

// The session over TCP, over dial-up then TCP, or over the modem, with its
// link, on one simulated clock for the dialog's and the link's timers.
class SessionRig {
public:
    explicit SessionRig(int rasConnection = 0, int cnxType = 0, bool secure = false)
        : modem(socket.sent),
          dialogTimers([this](int id) { session.OnTimer(id); line.Pump(); }),
          session({host, socket, &modem, &dialUp, dialogTimers, line.engine, &line.trace},
                  {"orders.example", 7410, cnxType, rasConnection, "9,01632960000", "Modem A", "9,", secure}, inputs)
    {
        line.owner = [this](const LinkEvent& event) { DeliverTo(session, event); };
        inputs.account = "4711";
        inputs.notes = kNotesPlaceholder;
    }

    void Start()
    {
        session.Start();
        line.Pump();
    }
    void Socket(int code, int error = 0)
    {
        session.OnSocketEvent(code, error);
        line.Pump();
    }
    // The server's bytes arrive and Windows tells of them until all are read;
    // over the modem the reading thread hands them over whole.
    void ServerSends(const std::string& bytes)
    {
        if (modem.lineOpen) {
            session.DataReceived(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            return line.Pump();
        }
        socket.incoming += bytes;
        while (!socket.incoming.empty())
            Socket(kSocketRead);
    }
    std::string TakeSent() { return std::exchange(socket.sent, {}); }
    // What the session sends back to the server's bytes.
    std::string Answer(const std::string& bytes)
    {
        ServerSends(bytes);
        return TakeSent();
    }
    // Both clocks a millisecond at a time, so that the dialog's and the link's timers fire in turn.
    void Advance(uint64_t ms)
    {
        for (uint64_t i = 0; i < ms; ++i) {
            dialogTimers.Advance(1);
            line.timers.Advance(1);
        }
    }
    // Connects, or the modem's call does, and lets the order go: the link bids.
    // Windows tells "ready to send" again after a full send buffer drains: the
    // order is composed once per connection.
    void Linked()
    {
        Start();
        Connect();
        ASSERT_EQ(TakeSent(), kEnq);
    }
    void Connect()
    {
        if (modem.lineOpen)
            return ModemConnected();
        Socket(kSocketConnect);
        Socket(kSocketWrite);
        Socket(kSocketWrite);
    }
    // The modem's call connects; the line's noise ends with the server's bid.
    void ModemConnected()
    {
        session.OnModemConnected();
        line.Pump();
    }

    FakeSocket socket;
    FakeModem modem;
    FakeDialUp dialUp;
    FakeHost host;
    LinkRig line;
    CTimerList dialogTimers;
    OrderMessageInputs inputs;
    CPlaceOrderSession session;
};

const char kRefused[] = "Failed - Connection refused\r\n";
// The order message of the rig's inputs: a header and the account, no lines.
const char kOrderText[] = "10~0~QN~1.600~QUARN  1.600*0*0*INET~ORDER SET 666~ACC 4711~";

// The order goes in one block, and the link is idle again.
void OrderSent(SessionRig& rig)
{
    rig.Linked();
    EXPECT_EQ(rig.Answer(kAck0), Block(kOrderText, true));
    EXPECT_EQ(rig.Answer(kAck1), kEot);
}

// The server sends a message whole: whether the session answers it "OK"
// rather than "BAD".
bool Heard(SessionRig& rig, const std::string& message)
{
    EXPECT_EQ(rig.Answer(kEnq), kAck0);
    EXPECT_EQ(rig.Answer(Block(message, true)), kAck1); // classified and finished at once
    EXPECT_EQ(rig.Answer(kEot), kEnq);
    const std::string answer = rig.Answer(kAck0);
    EXPECT_EQ(rig.Answer(kAck1), kEot);
    return answer == "\x02OK\x03\x07"; // the check: 'O' ^ 'K' ^ ETX
}

// The order goes, and the server's reply arrives whole and is answered "OK".
void ReplyAnswered(SessionRig& rig)
{
    OrderSent(rig);
    EXPECT_TRUE(Heard(rig, "REPLY~ORDER NUMBER 123~"));
}

} // namespace

TEST(PlaceOrderSession, RefusedFiveTimesCountsDownFourTimesThenGivesUp)
{
    SessionRig rig;
    rig.Start();
    for (int attempt = 1; attempt < 5; ++attempt) {
        SCOPED_TRACE(attempt);
        rig.Socket(kSocketConnect, 10061);
        EXPECT_EQ(rig.host.last, kRefused + StrFormat("Attempt %d, Retrying in 10 seconds", attempt + 1));
        rig.Advance(10999);
        EXPECT_EQ(rig.host.last, kRefused + StrFormat("Attempt %d, Retrying in 0 seconds", attempt + 1));
        EXPECT_EQ(rig.socket.creates, attempt);
        rig.Advance(1);
        EXPECT_EQ(rig.socket.creates, attempt + 1);
    }
    rig.Socket(kSocketConnect, 10061);
    EXPECT_EQ(rig.host.last, std::string(kRefused) + "Given up after 5 attempts\r\nCheck Settings, or contact Quarn on " +
                                   kSupportTelephone);
    rig.Advance(100000);
    EXPECT_EQ(rig.socket.creates, 5);
    EXPECT_EQ(rig.host.linkEnded, 0);
}

// A socket that cannot connect is shown, and so is the dial. A host name is
// looked up off the window's thread, so a lookup that never ends is bounded
// too, and so is a dial the telephony layer took that brings no call. Each is
// retried after the connection timer's 20 s, which the connection stops.
TEST(PlaceOrderSession, AnAttemptNotConnectedIn20SecondsIsRetried)
{
    const struct {
        int cnxType, error;
        std::string shown;
    } starts[] = {
        {0, 10061, "Aborted: unable to connect to server\r\n'Connection refused' (10061)\r\n"},
        {0, 10036, "Connecting to server 'orders.example' port 7410"},
        {1, 10036, "Dialing '9,01632960000'"}};
    for (const auto& c : starts) {
        SCOPED_TRACE(c.shown);
        SessionRig rig(0, c.cnxType);
        rig.socket.connectError = c.error;
        rig.Start();
        rig.Advance(19999);
        EXPECT_EQ(rig.host.last, c.shown);
        rig.Advance(1);
        EXPECT_EQ(rig.host.last, "Failed - Connection Timed out...\r\nAttempt 2, Retrying in 10 seconds");
        rig.socket.connectError = 10036;
        rig.Advance(11000);
        rig.Connect();
        rig.Answer(kAck0);
        rig.Advance(30000);
        EXPECT_EQ(rig.session.Attempt(), 2);
        EXPECT_EQ(rig.socket.creates + rig.modem.dials, 2);
    }
}

// The server stores the order before it replies: a reply that came whole
// stands, unconfirmed, though the closing exchange never completes. Our EOT
// answering the server's ends the link at once: the socket is closed or the
// call hung up, so no further EOT can come to wait for.
TEST(PlaceOrderSession, AReplyAnsweredOkIsConfirmedByTheClosingEotsAndStandsWithoutThem)
{
    for (int run = 0; run < 4; ++run) {
        const int cnxType = run / 2; // TCP, then the modem
        const bool lineDrops = run % 2 != 0;
        SCOPED_TRACE(run);
        SessionRig rig(0, cnxType);
        ReplyAnswered(rig);
        if (lineDrops && cnxType == 1) {
            rig.session.OnModemDisconnected("Remote hangup");
            rig.line.Pump();
        } else if (lineDrops) {
            rig.Socket(kSocketClose);
        } else {
            EXPECT_EQ(rig.Answer(kEot), kEot);
            EXPECT_EQ(rig.host.last, "Disconnected from the server.");
            EXPECT_EQ(rig.socket.closes, cnxType == 0 ? 2 : 0); // before the attempt, and on Disconnecting
            EXPECT_FALSE(rig.modem.lineOpen);
        }
        EXPECT_EQ(rig.host.linkEnded, 1);
        CItemList order, response;
        int32_t counter = 5;
        EXPECT_EQ(rig.session.ApplyReply(order, response, counter).end,
                  lineDrops ? ExchangeEnd::Unconfirmed : ExchangeEnd::Confirmed);
        EXPECT_EQ(rig.session.OrderNumberText(), "123");
    }
}

// Closed before the order went, the attempt failed and is retried; once the
// link has started, the link's end ends the sending.
TEST(PlaceOrderSession, ServerClosingBeforeTheOrderWentIsAFailedAttemptAndAfterItEndsTheLink)
{
    SessionRig rig;
    rig.Start();
    rig.Socket(kSocketConnect);
    EXPECT_EQ(rig.host.last, "Connected");
    rig.Socket(kSocketClose);
    EXPECT_EQ(rig.host.last, "Failed - Disconnected\r\nAttempt 2, Retrying in 10 seconds");
    EXPECT_EQ(rig.host.linkEnded, 0);
    rig.Advance(11000);
    rig.Socket(kSocketConnect);
    rig.Socket(kSocketWrite);
    rig.ServerSends(kAck0);
    rig.Socket(kSocketClose);
    EXPECT_EQ(rig.host.linkEnded, 1);
    EXPECT_FALSE(rig.line.engine.OrderlyEnd());
    rig.Advance(100000);
    EXPECT_EQ(rig.socket.creates, 2);
}

// Over the secure connection the order goes only to a server that proved
// itself within the connection timer; one that failed, or never finished its
// handshake, is not tried again and gets nothing.
TEST(PlaceOrderSession, ASecureServerNotProvenInTimeIsRefusedAtOnceAndGetsNothing)
{
    const std::string refused = std::string("Failed - ") + kServerNotProvenText +
                                "\r\nThe order was not sent. Check Settings, or contact Quarn on " + kSupportTelephone;
    for (const bool handshakeEnds : {true, false}) {
        SessionRig rig(0, 0, true);
        rig.Start();
        rig.Socket(kSocketConnect);
        rig.Advance(19999);
        EXPECT_EQ(rig.host.last, "Connected");
        if (handshakeEnds)
            rig.Socket(kSocketClose, kServerNotProven);
        else
            rig.Advance(1);
        EXPECT_EQ(rig.host.last, refused);
        rig.Advance(100000);
        EXPECT_EQ(rig.socket.creates, 1);
        EXPECT_EQ(rig.TakeSent(), "");
        EXPECT_EQ(rig.host.linkEnded, 0);
    }
    SessionRig proven(0, 0, true);
    proven.Linked();
    proven.Advance(20000);
    EXPECT_EQ(proven.host.last, "Transmitting Order");
}

// A server that never stops sending is cut at the exchange's cap: 180 s from
// the order going, and one allowance more once an update begins, given once.
TEST(PlaceOrderSession, AServerThatNeverStopsSendingIsCutAtTheCap)
{
    const std::pair<std::string, uint64_t> streams[] = {
        {"MORE~", CPlaceOrderSession::kExchangeSeconds},
        {"EXEUPDATE~", CPlaceOrderSession::kExchangeSeconds + CPlaceOrderSession::kUpdateSeconds}};
    for (const auto& [start, capSeconds] : streams) {
        SCOPED_TRACE(start);
        SessionRig rig;
        ReplyAnswered(rig);
        EXPECT_EQ(rig.Answer(kEnq), kAck0);
        rig.ServerSends(Block(start, false));
        for (int i = 0; !rig.host.linkEnded && rig.dialogTimers.Now() < 4000 * 1000; ++i) {
            rig.ServerSends(Block(std::to_string(i), false));
            rig.Advance(500);
        }
        EXPECT_EQ(rig.dialogTimers.Now(), capSeconds * 1000);
        EXPECT_EQ(rig.session.End(), ExchangeEnd::Unconfirmed);
    }
}

// One reply and, after it, one update an exchange, the update answered "OK"
// only once "one" is written. An update before the reply, one that can't be
// written, and a further reply or update are answered "BAD" and not heard:
// the first reply stands and "one" keeps the first update.
TEST(PlaceOrderSession, OneReplyThenOneStoredUpdateAreAnsweredOkAndTheRestBad)
{
    CTempFolder folder;
    {
        SessionRig rig;
        const std::string unwritable = folder.Path("no-such-folder/one");
        rig.session.SetUpdatePath(unwritable);
        OrderSent(rig);
        EXPECT_FALSE(Heard(rig, "EXEUPDATE~ABCD~"));
        EXPECT_TRUE(Heard(rig, "REPLY~ORDER NUMBER 123~"));
        EXPECT_FALSE(Heard(rig, "EXEUPDATE~ABCD~"));
        const auto& lines = rig.line.trace.lines;
        const auto notWritten = std::make_pair(unsigned{kTraceConnection}, "* Update not written to '" + unwritable + "'\r\n");
        EXPECT_EQ(std::count(lines.begin(), lines.end(), notWritten), 1);
    }
    SessionRig rig;
    rig.session.SetUpdatePath(folder.Path("one"));
    ReplyAnswered(rig);
    EXPECT_FALSE(Heard(rig, "REPLY~ORDER NUMBER 456~"));
    EXPECT_TRUE(Heard(rig, "EXEUPDATE~ABCD~"));
    EXPECT_FALSE(Heard(rig, "EXEUPDATE~EFGH~"));
    EXPECT_EQ(rig.session.ReplyText(), "REPLY~ORDER NUMBER 123~");
    EXPECT_EQ(ReadBytes(folder.Path("one")), std::string("\x10\x30\x81", 3)); // "ABCD" decoded
}

// Once the order's last block has gone the server may hold it: an end
// without a reply (the link giving up, a cancel, a server silent after the
// order until the exchange's deadline; the call lost is pinned end to end in
// tests/wine/test_modem.py) ends the exchange at once as no answer, never as
// a failure that invites sending again.
TEST(PlaceOrderSession, AnEndWithoutAReplyAfterTheLastBlockWentIsNoAnswerAtOnce)
{
    const std::pair<const char*, std::function<void(SessionRig&)>> ends[] = {
        {"cancel", [](SessionRig& rig) { rig.session.Cancel(); }},
        {"link gives up", [](SessionRig& rig) { rig.Advance((CBiSyncEngine::kBlockResends + 1) * 15000); }},
        {"server silent", [](SessionRig& rig) {
             EXPECT_EQ(rig.Answer(kAck1), kEot);
             rig.Advance(CPlaceOrderSession::kExchangeSeconds * 1000);
         }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        SessionRig rig(0, 1);
        rig.Start();
        rig.ModemConnected();
        const std::string block = rig.Answer(kAck0);
        ASSERT_EQ(block.substr(block.size() - 2, 1), "\x03"); // the order's one block, its last
        rig.ModemConnected(); // TAPI tells "connected" again when the call's mode changes
        ASSERT_EQ(rig.TakeSent(), "");                          // the order goes once a call
        end(rig);
        rig.line.Pump();
        EXPECT_EQ(rig.host.linkEnded, 1);
        EXPECT_EQ(rig.host.last, kNoAnswerText);
        EXPECT_EQ(rig.session.End(), ExchangeEnd::NoAnswer);
    }
}

// The dial uses the settings' modem. Its states, the prefixed number and the
// server called once the connection stands are pinned end to end
// (tests/wine/test_dialup.py), and there the hang-up after a server that
// refuses. A cancel hangs up, and nothing follows, not even a late
// notification of the old dial.
TEST(PlaceOrderSession, DialUpCallsTheServerWhenConnectedAndACancelHangsUpForGood)
{
    SessionRig rig(1);
    rig.Start();
    EXPECT_EQ(rig.dialUp.entry.deviceName, "Modem A");
    rig.session.OnRasDialEvent(kDialUpConnected, 0);
    EXPECT_EQ(rig.socket.creates, 1);
    rig.session.Cancel();
    EXPECT_EQ(rig.dialUp.hangUps, 1);
    rig.session.OnRasDialEvent(kDialUpConnected, 0);
    rig.Advance(60000);
    EXPECT_EQ(rig.socket.creates, 1);
    EXPECT_EQ(rig.dialUp.dials, 1);
}
