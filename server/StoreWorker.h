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
class CStoreWorker {
public:
    explicit CStoreWorker(std::unique_ptr<COrderStore> store);
    CStoreWorker(const CStoreWorker&) = delete;
    CStoreWorker& operator=(const CStoreWorker&) = delete;
    ~CStoreWorker();

    bool Start();
    void SubmitOrder(uint64_t connection, std::string message);
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
    std::vector<StoreResult> m_results;
    bool m_stopping = false;
    std::thread m_thread;
};
