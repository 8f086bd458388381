#include "comm/HostLookup.h"

#include <ws2tcpip.h>

#include <memory>

#include "framework/PostedData.h"

namespace {

struct LookupJob {
    std::string host;
    HWND window;
    UINT message;
    unsigned lookup;
};

DWORD WINAPI LookUp(void* parameter)
{
    const std::unique_ptr<LookupJob> job(static_cast<LookupJob*>(parameter));
    auto found = std::make_unique<HostFound>();
    found->lookup = job->lookup;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    found->error = getaddrinfo(job->host.c_str(), nullptr, &hints, &list);
    if (found->error == 0) {
        found->address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr;
        freeaddrinfo(list);
    }
    // A window that went meanwhile takes no post, and the answer is freed here.
    PostOwned(job->window, job->message, std::move(found));
    return 0;
}

} // namespace

bool StartHostLookup(const std::string& host, HWND window, UINT message, unsigned lookup)
{
    auto job = std::make_unique<LookupJob>(LookupJob{host, window, message, lookup});
    HANDLE thread = CreateThread(nullptr, 0, LookUp, job.get(), 0, nullptr);
    if (!thread)
        return false;
    job.release();
    CloseHandle(thread);
    return true;
}
