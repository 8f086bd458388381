#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "OrderDesk.h"
#include "OrderStore.h"

struct StoreResult {
    uint64_t connection = 0;
    OrderOutcome outcome;
};

// Runs the order desk on its own thread, so that waiting for the disk never
// holds up the links of other clients. Whatever arrives while the desk is
// busy is answered next as one batch. Results come back through a file
// descriptor the event loop watches.
//
// What waits is bounded: beyond that an order is refused at once rather than
// answered late, and a client's order still waiting when the client leaves is
// dropped, as the client was never told it arrived.
class CStoreWorker {
public:
    static constexpr size_t kMaxWaitingBytes = 1u << 20;

    explicit CStoreWorker(std::unique_ptr<COrderStore> store, DeskLimits limits = DeskLimits());
    CStoreWorker(const CStoreWorker&) = delete;
    CStoreWorker& operator=(const CStoreWorker&) = delete;
    ~CStoreWorker();

    bool Start();
    // False, and nothing queued, when too much waits already.
    bool SubmitOrder(uint64_t connection, std::string address, std::string message);
    // Drops the connection's order unless the desk has taken it up.
    void CancelOrder(uint64_t connection);
    void SubmitConfirm(int64_t orderNumber);
    // Readable when results are waiting.
    int NotifyFd() const { return m_eventFd; }
    std::vector<StoreResult> TakeResults();

private:
    void Run();
    void Push(uint64_t connection, DeskRequest request);

    std::unique_ptr<COrderStore> m_store;
    COrderDesk m_desk;
    int m_eventFd = -1;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Waiting work: the connection that asked (0 for a confirmation) and the request.
    std::vector<uint64_t> m_askers;
    std::vector<DeskRequest> m_requests;
    size_t m_waitingBytes = 0;
    std::vector<StoreResult> m_results;
    bool m_stopping = false;
    std::thread m_thread;
};
