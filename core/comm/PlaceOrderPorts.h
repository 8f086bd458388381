#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/DialUpEntry.h"

// The platform pieces the place-order session drives. The Windows dialog
// implements them over its socket, modem, dial-up entry and controls.

// The TCP socket (CInternetSocket). Its events come back through
// CPlaceOrderSession::OnSocketEvent.
class IOrderSocket {
public:
    virtual ~IOrderSocket() = default;
    // Creates the socket for all events; 0, or the socket layer's error number.
    virtual int Create() = 0;
    // Starts connecting; 0 when connected at once, else the error number
    // (10035, would block, when the connection is under way; 10036, in
    // progress, while the host's name is looked up). Either way the outcome
    // comes as the connect event.
    virtual int Connect(const std::string& host, int port) = 0;
    virtual void Close() = 0;
    virtual void Send(const uint8_t* bytes, size_t count) = 0;
    // Reads at most size bytes; the count read, 0 or less when nothing was read.
    virtual int Receive(uint8_t* buffer, size_t size) = 0;
};

// The telephone modem (COrderModem). Its call states come back through
// OnModemConnected and OnModemDisconnected.
class IOrderModem {
public:
    virtual ~IOrderModem() = default;
    // Selects the device chosen in the settings and opens its line for data
    // calls; false when none is chosen or it can't be opened.
    virtual bool OpenLine() = 0;
    // 0 when the dial was taken up, else the telephony layer's error code.
    virtual uint32_t Dial(const std::string& number) = 0;
    virtual void OpenDataChannel() = 0;
    virtual bool CallInProgress() const = 0;
    // Stops the data channel and drops the call; nothing received reaches the
    // session after it.
    virtual bool Hangup() = 0;
    virtual void CloseLine() = 0;
    virtual bool Write(const uint8_t* bytes, size_t count) = 0;
};

// The remote-access service that dials before TCP (RASAPI32). Its progress
// comes back through CPlaceOrderSession::OnRasDialEvent.
class IDialUp {
public:
    virtual ~IDialUp() = default;
    // Writes the program's phone-book entry; 0, or the service's error number.
    virtual uint32_t WriteEntry(const DialUpEntry& entry) = 0;
    // Starts dialling with progress reported to the dialog; 0, or the error
    // number when the dial couldn't start.
    virtual uint32_t Dial(const DialUpParams& params) = 0;
    // A connection handle is held, from a started dial to the hang-up.
    virtual bool Dialled() const = 0;
    // Hangs up and forgets the handle; 0, or the service's error number.
    virtual uint32_t HangUp() = 0;
    // The text of an error number: the service's own, else the system's.
    virtual std::string ErrorText(uint32_t error) = 0;
};

// The dialog around the session.
class IPlaceOrderHost {
public:
    virtual ~IPlaceOrderHost() = default;
    // The status line (control 1050 and the skin's item 100).
    virtual void ShowStatus(const std::string& text) = 0;
    // The link is back in Disconnected after it started: apply the reply
    // (ApplyReply), show the response and end the dialog.
    virtual void LinkEnded() = 0;
};
