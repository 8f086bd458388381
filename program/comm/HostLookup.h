#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>

// The answer to one host-name lookup, posted to the window that asked (see
// PostedData): the lookup's number, its error (0, or the socket layer's error
// number) and the host's first IPv4 address.
struct HostFound {
    unsigned lookup = 0;
    int error = 0;
    in_addr address = {};
};

// Looks a host name up on a thread of its own, which shares nothing and only
// posts its HostFound, with this lookup's number, to the window: a name
// server that is slow or gone must not hold the window's messages, its timers
// and its Cancel. False when no thread could be started.
bool StartHostLookup(const std::string& host, HWND window, UINT message, unsigned lookup);
