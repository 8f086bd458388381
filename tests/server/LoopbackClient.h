#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestServer.h"
#include "comm/OrderMessage.h"
#include "data/ItemList.h"

// One sending of an order over real loopback TCP by the program's own
// place-order session: its attempt logic, order message, link engine and
// message classification, over a POSIX socket that reports events as Windows
// Sockets does (connect finished, ready to send, data to read, close).
struct ClientScript {
    int port = 0;
    std::shared_ptr<CItemList> lines; // the order to send, as the order grid holds it
    OrderMessageInputs order;         // order.order points at lines
    std::string updatePath;           // where an executable update is written
    bool loseFirstMessage = false;    // the line breaks as the server's first message arrives
    int timeoutMs = 30000;            // wall-clock bound of the whole run
};

struct ClientRun {
    bool orderlyEnd = false;
    std::vector<std::string> messages; // every message the server sent, in order
    std::string received;              // every byte that arrived
    int64_t elapsedMs = 0;
};

ClientRun RunClient(ClientScript script);

// The whole of bytes, waiting while the socket is full; false when it breaks.
bool SendAll(int fd, const std::string& bytes);

// A plain loopback socket for hostile clients, closed when it goes.
class CRawClient {
public:
    explicit CRawClient(int port);
    ~CRawClient();
    CRawClient(const CRawClient&) = delete;
    CRawClient& operator=(const CRawClient&) = delete;

    bool Send(const std::string& bytes) { return SendAll(m_fd, bytes); }
    // What arrives within waitMs, or until the server closes the connection.
    std::string Read(int waitMs);
    // Whether the server has closed the connection, waiting at most waitMs for it.
    bool Closed(int waitMs = 0)
    {
        if (!m_closed)
            Read(waitMs);
        return m_closed;
    }

private:
    int m_fd;
    bool m_closed = false;
};

using OrderLines = std::vector<std::pair<std::string, int>>;

// The session's inputs for sending these lines (code, quantity) from this
// account; the start time makes the message of each sending distinct.
ClientScript OrderScript(int port, const OrderLines& lines, const std::string& account,
                         int64_t startTime = 1700000100, double version = 1.6);
