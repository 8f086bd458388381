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
LONG Open(HLINEAPP app, DWORD deviceId, HLINE* line, DWORD apiVersion, DWORD extVersion, DWORD_PTR instance,
          DWORD privileges, DWORD mediaModes, LINECALLPARAMS* params);
LONG MakeCall(HLINE line, HCALL* call, const char* address, DWORD countryCode, LINECALLPARAMS* params);
LONG Drop(HCALL call, const char* userInfo, DWORD size);
LONG DeallocateCall(HCALL call);
LONG Close(HLINE line);
LONG GetID(HLINE line, DWORD addressId, HCALL call, DWORD select, VARSTRING* deviceId, const char* deviceClass);

} // namespace TapiFunctions
