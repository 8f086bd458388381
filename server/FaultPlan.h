#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Faults the server can put on every link, for testing clients. All off by default.
struct FaultPlan {
    int dropAfterBlocks = 0;   // close the connection once this many blocks have arrived
    int nakEvery = 0;          // refuse every k-th block that arrives
    int delayAnswerMs = 0;     // hold the acknowledgement of each message, so WACKs go out
    int corruptEvery = 0;      // spoil the check of every k-th block sent
    bool silentAfterBid = false; // never answer once the client has bid
    int garbageBytes = 0;      // line noise before each bid, grant, block and EOT sent
};

// Applies a FaultPlan to one connection's bytes. Blocks are counted on the
// wire (STX up to ETB or ETX, then the check character), resends included.
class CFaultFilter {
public:
    explicit CFaultFilter(const FaultPlan& plan) : m_plan(plan) {}

    // Bytes from the client, changed in place before the link sees them.
    // Returns false when the connection must be dropped now.
    bool Incoming(char* data, size_t count);
    // Bytes the link wants to send, with any noise or spoilt check added.
    // Empty while the server plays silent.
    std::string Outgoing(const char* data, size_t count);

private:
    enum class Scan { Outside, InBlock, AwaitCheck };
    static bool ScanByte(Scan* state, unsigned char c);
    std::string Garbage();

    FaultPlan m_plan;
    Scan m_in = Scan::Outside;
    Scan m_out = Scan::Outside;
    int m_blocksIn = 0;
    int m_blocksOut = 0;
    bool m_bidSeen = false;
    uint32_t m_noise = 0x2545F491u;
};
