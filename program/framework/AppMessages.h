#pragma once
#include <windows.h>

// The program's private window messages, in one place so that no two meet.
// WM_APP itself is the skin's notification (item ID, event code); a dialog's
// other private messages keep clear of it.

// Skin -> its window: wParam the item ID, lParam the event (5: a click or a
// released hot key).
constexpr UINT WM_SKIN_NOTIFY = WM_APP;

// Any program -> the main window: quit; wParam 10 quits without asking.
constexpr UINT WM_QUIT_REQUEST = WM_APP + 1;

// The modem -> the place-order dialog: a call state (wParam) and its detail
// (lParam); a chunk of received bytes as a posted buffer (see PostedData); and
// a dial the telephony layer took and then failed (wParam: its error code).
constexpr UINT WM_MODEM_EVENT = WM_APP + 1;
constexpr UINT WM_MODEM_DATA = WM_APP + 2;
constexpr UINT WM_MODEM_DIAL_FAILED = WM_APP + 3;

// Raw asynchronous-select events of the place-order socket. Each socket gets
// its own message of this range, so events still queued for a socket an
// earlier attempt closed are told apart from the current one's.
constexpr UINT WM_SOCKET_SELECT_FIRST = WM_APP + 16;
constexpr UINT kSocketSelectMessages = 16;
// A host-name lookup's thread -> the place-order dialog: its posted answer
// (see HostLookup).
constexpr UINT WM_HOST_FOUND = WM_SOCKET_SELECT_FIRST + kSocketSelectMessages;

// To the link window.
constexpr UINT WM_LINK_RESET = WM_APP + 1000;
constexpr UINT WM_LINK_CONNECTED = WM_APP + 1001;
constexpr UINT WM_LINK_DATA = WM_APP + 1002;
// From the link window to its parent, always posted.
constexpr UINT WM_LINK_SEND = WM_APP + 1003;         // a posted buffer of output
constexpr UINT WM_LINK_DISCONNECTED = WM_APP + 1004; // wParam: orderly end
constexpr UINT WM_LINK_MESSAGE = WM_APP + 1005;      // a posted text: a complete message
constexpr UINT WM_LINK_STATE = WM_APP + 1008;        // wParam: the new state index
