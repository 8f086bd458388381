#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The ports through which the link engine meets its host. The Windows link
// window turns them into window timers and posted messages; the order server
// and the tests use CTimerList and CLinkEventQueue.

// Timers by id, repeating until killed. Setting a timer that runs already
// starts it afresh with the new period. When one falls due the host calls the
// engine's OnTimer with its id.
class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    virtual void SetTimer(int id, unsigned periodMs) = 0;
    virtual void KillTimer(int id) = 0;
};

// Where the link's events go: the link window's parent in the program. Every
// call stands for a posted message, so an owner must not call back into the
// engine from inside one; it handles the event once the engine has returned
// (CLinkEventQueue does the queueing for portable hosts).
class ILinkOwner {
public:
    virtual ~ILinkOwner() = default;
    // WM_LINK_SEND: one piece of output for the transport; the bytes are the owner's.
    virtual void OnLinkSend(std::vector<uint8_t> bytes) = 0;
    // WM_LINK_DISCONNECTED, with the orderly-end flag.
    virtual void OnLinkDisconnected(bool orderlyEnd) = 0;
    // WM_LINK_MESSAGE: a complete message; the owner answers with FinishedRequest.
    virtual void OnLinkMessage(const std::string& text) = 0;
    // WM_LINK_STATE: the new state index (LinkState).
    virtual void OnLinkState(int state) = 0;
};

// Random numbers for the bid timer, so tests can fix them.
class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A number from 0 to bound - 1.
    virtual unsigned Below(unsigned bound) = 0;
};
