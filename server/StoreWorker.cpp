#include "StoreWorker.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

CStoreWorker::CStoreWorker(std::unique_ptr<COrderStore> store, DeskLimits limits)
    : m_store(std::move(store)), m_desk(*m_store, limits)
{
}

CStoreWorker::~CStoreWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    if (m_eventFd >= 0)
        close(m_eventFd);
}

bool CStoreWorker::Start()
{
    m_eventFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_eventFd < 0)
        return false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CStoreWorker::Push(uint64_t connection, DeskRequest request)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_askers.push_back(connection);
        m_requests.push_back(std::move(request));
    }
    m_wake.notify_one();
}

bool CStoreWorker::SubmitOrder(uint64_t connection, std::string address, std::string message)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_waitingBytes + message.size() > kMaxWaitingBytes)
            return false;
        m_waitingBytes += message.size();
    }
    Push(connection, DeskRequest{0, std::move(message), std::move(address)});
    return true;
}

void CStoreWorker::CancelOrder(uint64_t connection)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = std::find(m_askers.begin(), m_askers.end(), connection);
    if (it == m_askers.end())
        return; // answered, or in the desk's hands already
    const auto index = it - m_askers.begin();
    m_waitingBytes -= m_requests[static_cast<size_t>(index)].message.size();
    m_askers.erase(it);
    m_requests.erase(m_requests.begin() + index);
}

void CStoreWorker::SubmitConfirm(int64_t orderNumber)
{
    Push(0, DeskRequest{orderNumber, std::string(), std::string()});
}

std::vector<StoreResult> CStoreWorker::TakeResults()
{
    uint64_t count = 0;
    if (read(m_eventFd, &count, sizeof count) < 0)
        count = 0; // nothing signalled yet: the results may still be there
    std::vector<StoreResult> results;
    std::lock_guard<std::mutex> lock(m_mutex);
    results.swap(m_results);
    return results;
}

void CStoreWorker::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_requests.empty(); });
        if (m_requests.empty())
            return; // stopping, and whatever was asked has been stored
        std::vector<uint64_t> askers;
        std::vector<DeskRequest> requests;
        askers.swap(m_askers);
        requests.swap(m_requests);
        m_waitingBytes = 0;
        lock.unlock();
        std::vector<OrderOutcome> outcomes = m_desk.AnswerBatch(requests, time(nullptr));
        lock.lock();
        bool answered = false;
        for (size_t i = 0; i < askers.size(); ++i)
            if (askers[i]) {
                m_results.push_back(StoreResult{askers[i], std::move(outcomes[i])});
                answered = true;
            }
        const uint64_t one = 1;
        if (answered && write(m_eventFd, &one, sizeof one) < 0)
            continue; // the counter is signalled already
    }
}
