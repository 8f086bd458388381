#include "tapi/TapiDataDevice.h"

#include <cstring>

#include "framework/DebugOutput.h"
#include "tapi/TapiFunctions.h"

// The variable part of a VARSTRING follows its six-DWORD header on both builds.
static_assert(sizeof(VARSTRING) == 24, "VARSTRING layout");

namespace {
constexpr char kDataModemClass[] = "comm/datamodem";
constexpr DWORD kFirstIdSize = sizeof(VARSTRING);
// A telephony layer that asks for more than this is not believed.
constexpr DWORD kLargestIdSize = 65536;
constexpr size_t kChunkSize = 256;
// A chunk ends when no byte follows for this long, so an acknowledgement
// reaches the link at once rather than after a second. On a slow line a block
// may come in several chunks, which the link takes in any split.
constexpr DWORD kQuietMs = 10;
// A write is given up after its bytes' time at 1,000 bit/s, slower than any
// modem that carries an order, and these seconds more.
constexpr DWORD kSlowLineMsPerByte = 10;
constexpr DWORD kWriteGraceMs = 3000;

// A manual-reset event in an overlapped block, closed with it.
class COverlapped {
public:
    COverlapped() { m_block.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    ~COverlapped()
    {
        if (m_block.hEvent)
            CloseHandle(m_block.hEvent);
    }
    COverlapped(const COverlapped&) = delete;
    COverlapped& operator=(const COverlapped&) = delete;

    bool Valid() const { return m_block.hEvent != nullptr; }
    OVERLAPPED* Block() { return &m_block; }
    HANDLE Event() const { return m_block.hEvent; }

private:
    OVERLAPPED m_block = {};
};
} // namespace

CTapiDataDevice::~CTapiDataDevice()
{
    Close();
    StopReading();
}

void CTapiDataDevice::OpenDataChannel()
{
    if (m_comm)
        return;
    HANDLE comm = QueryCommHandle();
    if (!comm)
        return;
    m_comm = comm;
    SetReadTimeouts();
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = m_stop ? CreateThread(nullptr, 0, ReadingThread, this, 0, nullptr) : nullptr;
    if (!m_thread)
        DebugOutput("Tapi could not start reading\r\n");
}

// The call's port: a handle at the start of the answer's variable part,
// followed by the port's name. The first answer usually asks for more room.
HANDLE CTapiDataDevice::QueryCommHandle()
{
    std::vector<unsigned char> buffer(kFirstIdSize, 0);
    auto* id = reinterpret_cast<VARSTRING*>(buffer.data());
    id->dwTotalSize = kFirstIdSize;
    LONG result = TapiFunctions::GetID(0, 0, CallHandle(), LINECALLSELECT_CALL, id, kDataModemClass);
    if (result == 0 && id->dwNeededSize != id->dwTotalSize && id->dwNeededSize >= kFirstIdSize &&
        id->dwNeededSize <= kLargestIdSize) {
        const DWORD needed = id->dwNeededSize;
        buffer.assign(needed, 0);
        id = reinterpret_cast<VARSTRING*>(buffer.data());
        id->dwTotalSize = needed;
        result = TapiFunctions::GetID(0, 0, CallHandle(), LINECALLSELECT_CALL, id, kDataModemClass);
    }
    SetLastError(result);
    if (result != 0 || buffer.size() < sizeof(VARSTRING) + sizeof(HANDLE))
        return nullptr;
    HANDLE comm = nullptr;
    std::memcpy(&comm, buffer.data() + sizeof(VARSTRING), sizeof comm);
    return comm;
}

void CTapiDataDevice::SetReadTimeouts()
{
    COMMTIMEOUTS timeouts = {};
    GetCommTimeouts(m_comm, &timeouts);
    timeouts.ReadIntervalTimeout = kQuietMs;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    SetCommTimeouts(m_comm, &timeouts);
}

DWORD WINAPI CTapiDataDevice::ReadingThread(void* device)
{
    static_cast<CTapiDataDevice*>(device)->ReadLoop();
    return 0;
}

// What arrived before the channel opened is the modem's talk, not the call's.
void CTapiDataDevice::ReadLoop()
{
    PurgeComm(m_comm, PURGE_RXCLEAR);
    SetCommMask(m_comm, EV_RXCHAR);
    uint8_t buffer[kChunkSize];
    for (;;) {
        const int count = ReadChunk(buffer, sizeof buffer);
        if (count < 0) {
            DebugOutput("Tapi Should be stopped soon!!..\r\n");
            return;
        }
        if (count > 0)
            OnData(std::make_unique<std::vector<uint8_t>>(buffer, buffer + count));
    }
}

int CTapiDataDevice::ReadChunk(uint8_t* buffer, size_t size)
{
    COverlapped read;
    if (!read.Valid() || WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0)
        return -1;
    DWORD count = 0;
    if (ReadFile(m_comm, buffer, static_cast<DWORD>(size), &count, read.Block()))
        return static_cast<int>(count);
    if (GetLastError() != ERROR_IO_PENDING)
        return -1;
    const HANDLE events[] = {read.Event(), m_stop};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
        // Stopping: the read is cancelled and waited for, so the buffer is free when we leave.
        CancelIo(m_comm);
        GetOverlappedResult(m_comm, read.Block(), &count, TRUE);
        return -1;
    }
    if (!GetOverlappedResult(m_comm, read.Block(), &count, TRUE))
        return -1;
    return static_cast<int>(count);
}

bool CTapiDataDevice::Write(const uint8_t* bytes, size_t count)
{
    if (!m_comm)
        return true;
    if (m_stalled)
        return false;
    COverlapped write;
    DWORD written = 0;
    bool sent = write.Valid() && WriteFile(m_comm, bytes, static_cast<DWORD>(count), &written, write.Block());
    if (!sent && write.Valid() && GetLastError() == ERROR_IO_PENDING)
        sent = AwaitWrite(write.Block(), count);
    if (!sent)
        DebugOutput("Tapi failed to send any data\r\n");
    // Only a stall counts; any other failure is left to the link's resends.
    return !m_stalled;
}

// A modem that holds its clear-to-send low takes nothing, and the window
// waiting here would freeze: past the bytes' time on a slow line and some
// seconds more, the write is cancelled and the line counts as lost.
bool CTapiDataDevice::AwaitWrite(OVERLAPPED* write, size_t count)
{
    const DWORD limitMs = kWriteGraceMs + static_cast<DWORD>(count) * kSlowLineMsPerByte;
    DWORD written = 0;
    if (WaitForSingleObject(write->hEvent, limitMs) != WAIT_OBJECT_0) {
        // Only this thread's write is cancelled, never the reading thread's read;
        // its end is awaited so that the caller's buffer is free when we return.
        CancelIo(m_comm);
        GetOverlappedResult(m_comm, write, &written, TRUE);
        m_stalled = true;
        DebugOutput("Tapi write stalled: the line is lost\r\n");
        OnWriteStalled();
        return false;
    }
    return GetOverlappedResult(m_comm, write, &written, FALSE) != FALSE;
}

void CTapiDataDevice::OnWriteStalled() {}

void CTapiDataDevice::OnData(std::unique_ptr<std::vector<uint8_t>>) {}

// The thread is told to stop and joined; only then is the port closed.
void CTapiDataDevice::StopReading()
{
    if (m_thread) {
        SetEvent(m_stop);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_stop) {
        CloseHandle(m_stop);
        m_stop = nullptr;
    }
    if (m_comm) {
        CloseHandle(m_comm);
        m_comm = nullptr;
    }
    m_stalled = false;
}

bool CTapiDataDevice::Hangup()
{
    StopReading();
    return CTapiDevice::Hangup();
}
