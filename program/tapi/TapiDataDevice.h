#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "tapi/TapiDevice.h"

// A line device whose connected call carries a byte stream: the call's serial
// port, taken from the telephony layer, read by a thread of its own in chunks
// of up to 256 bytes and written with writes that wait a bounded time. The reading thread
// shares only the port's handle; Hangup stops it before closing the handle, so
// no chunk is read or handed on after Hangup returns.
class CTapiDataDevice : public CTapiDevice {
public:
    explicit CTapiDataDevice(CTapiLineApp& app) : CTapiDevice(app) {}
    ~CTapiDataDevice() override;

    // Stops the data channel, then drops the call.
    bool Hangup() override;
    // On the connected call: takes its port and starts reading. A channel that
    // is already open stays as it is.
    virtual void OpenDataChannel();
    // Each received chunk, on the reading thread; the chunk passes to the callee.
    virtual void OnData(std::unique_ptr<std::vector<uint8_t>> chunk);

    // Each call of a write that stalled, on the window's thread, once per
    // channel: the line is as good as lost.
    virtual void OnWriteStalled();

    // Waits until the bytes are handed to the port, for a bounded time; nothing
    // is sent, and true returned, while there is no channel. A failed write is
    // only traced; a stalled one is given up, and false is returned for it and
    // every later write of the channel.
    bool Write(const uint8_t* bytes, size_t count);
    // Up to size bytes: what arrived before the line went quiet; -1 when the
    // read failed or the channel is stopping.
    int ReadChunk(uint8_t* buffer, size_t size);

    bool ChannelOpen() const { return m_comm != nullptr; }

private:
    HANDLE QueryCommHandle();
    void SetReadTimeouts();
    static DWORD WINAPI ReadingThread(void* device);
    void ReadLoop();
    void StopReading();
    bool AwaitWrite(OVERLAPPED* write, size_t count);

    HANDLE m_comm = nullptr;
    HANDLE m_thread = nullptr;
    HANDLE m_stop = nullptr;  // set by Hangup: the reading thread cancels its read and ends
    bool m_stalled = false;   // a write stalled: nothing more is written on this channel
};
