#pragma once
#include <windows.h>
#include <tapi.h>

// The telephony functions the program uses, bound by name in tapi32.dll the
// first time each is called. A library or function that can't be found gives
// LINEERR_OPERATIONUNAVAIL, and the lookup is not tried again.
namespace TapiFunctions {

LONG InitializeEx(HLINEAPP* app, HINSTANCE instance, LINECALLBACK callback, const char* appName, DWORD* deviceCount,
                  DWORD* apiVersion, LINEINITIALIZEEXPARAMS* params);
LONG NegotiateAPIVersion(HLINEAPP app, DWORD deviceId, DWORD lowVersion, DWORD highVersion, DWORD* apiVersion,
                         LINEEXTENSIONID* extensionId);
LONG GetDevCaps(HLINEAPP app, DWORD deviceId, DWORD apiVersion, DWORD extVersion, LINEDEVCAPS* caps);

} // namespace TapiFunctions
