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
    const char* from = "127.0.0.1";   // the loopback address the client connects from
    std::shared_ptr<CItemList> lines; // the order to send, as the order grid holds it
    OrderMessageInputs order;         // order.order points at lines
    std::string updatePath;           // where an executable update is written
    bool loseFirstMessage = false;    // the line breaks as the server's first message arrives
    int timeoutMs = 30000;            // wall-clock bound of the whole run
};

struct ClientRun {
    bool orderlyEnd = false;
    std::vector<std::string> messages; // every message the server sent, in order
    int64_t elapsedMs = 0;
};

ClientRun RunClient(ClientScript script);

// The whole of bytes, waiting while the socket is full; false when it breaks.
bool SendAll(int fd, const std::string& bytes);

// Connects fd from the loopback address to the loopback port, without Nagle's
// delay; 0, else the errno.
int ConnectLoopback(int fd, int port, const char* from = "127.0.0.1");

using OrderLines = std::vector<std::pair<std::string, int>>;

// The session's inputs for sending these lines (code, quantity) from this
// account; the start time makes the message of each sending distinct.
ClientScript OrderScript(int port, const OrderLines& lines, const std::string& account, int64_t startTime = 1700000100);
