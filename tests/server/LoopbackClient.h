#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "comm/OrderMessage.h"
#include "comm/OrderReply.h"

class CItemList;

// One sending of an order over real loopback TCP by the program's own
// place-order session: its attempt logic, order message, link engine,
// message classification and reply rules, over a POSIX socket that reports
// events as Windows Sockets does (connect finished, ready to send, data to
// read, close).
struct ClientScript {
    int port = 0;
    OrderMessageInputs order;    // order.order: the lines to send
    CItemList* orderList = nullptr; // the same list, changed by the reply when response is given
    CItemList* response = nullptr;  // not set up: receives the response lines
    int32_t orderCounter = 0;
    std::string updatePath;         // where an executable update is written
    bool loseFirstMessage = false;  // the line breaks as the server's first message arrives
    unsigned speedup = 1;           // the client's timers run this much faster than the wall clock
    int timeoutMs = 30000;          // wall-clock bound of the whole run
};

struct ClientRun {
    bool linkEnded = false;            // the session handed the end of the link over
    bool orderlyEnd = false;
    bool timedOut = false;
    std::vector<std::string> messages; // every message the server sent, in order
    std::string received;              // every byte that arrived
    std::string orderNumber;           // the session's order number text
    ReplyOutcome outcome;              // when a response list was given
    int32_t orderCounter = 0;
    int64_t elapsedMs = 0;
};

ClientRun RunClient(ClientScript script);

// Plain sockets for hostile clients.
int ConnectLoopback(int port);
bool SendAll(int fd, const std::string& bytes);
// Reads what arrives within waitMs, or until the server closes the connection
// (closed tells which).
std::string ReadFor(int fd, int waitMs, bool* closed = nullptr);
// Waits until the server closes the connection; false when it is still open after waitMs.
bool WaitForClose(int fd, int waitMs);
