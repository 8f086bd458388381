#include "tapi/TapiFunctions.h"

#include "framework/SystemLibrary.h"

namespace {

struct BoundFunction {
    const char* name;
    FARPROC address = nullptr;
    bool tried = false;
};

HMODULE Library()
{
    static HMODULE library = LoadSystemLibrary("tapi32.dll");
    return library;
}

// The function's address, looked up once; the cast goes through the generic
// function type so it converts to the function's own type.
template <typename Function>
Function* Resolve(BoundFunction& function)
{
    if (!function.tried) {
        function.tried = true;
        if (HMODULE library = Library())
            function.address = GetProcAddress(library, function.name);
    }
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(function.address));
}

} // namespace

namespace TapiFunctions {

LONG InitializeEx(HLINEAPP* app, HINSTANCE instance, LINECALLBACK callback, const char* appName, DWORD* deviceCount,
                  DWORD* apiVersion, LINEINITIALIZEEXPARAMS* params)
{
    static BoundFunction bound{"lineInitializeExA"};
    auto* call = Resolve<decltype(lineInitializeExA)>(bound);
    return call ? call(app, instance, callback, appName, deviceCount, apiVersion, params) : LINEERR_OPERATIONUNAVAIL;
}

LONG NegotiateAPIVersion(HLINEAPP app, DWORD deviceId, DWORD lowVersion, DWORD highVersion, DWORD* apiVersion,
                         LINEEXTENSIONID* extensionId)
{
    static BoundFunction bound{"lineNegotiateAPIVersion"};
    auto* call = Resolve<decltype(lineNegotiateAPIVersion)>(bound);
    return call ? call(app, deviceId, lowVersion, highVersion, apiVersion, extensionId) : LINEERR_OPERATIONUNAVAIL;
}

LONG GetDevCaps(HLINEAPP app, DWORD deviceId, DWORD apiVersion, DWORD extVersion, LINEDEVCAPS* caps)
{
    static BoundFunction bound{"lineGetDevCapsA"};
    auto* call = Resolve<decltype(lineGetDevCapsA)>(bound);
    return call ? call(app, deviceId, apiVersion, extVersion, caps) : LINEERR_OPERATIONUNAVAIL;
}

LONG Open(HLINEAPP app, DWORD deviceId, HLINE* line, DWORD apiVersion, DWORD extVersion, DWORD_PTR instance,
          DWORD privileges, DWORD mediaModes, LINECALLPARAMS* params)
{
    static BoundFunction bound{"lineOpenA"};
    auto* call = Resolve<decltype(lineOpenA)>(bound);
    return call ? call(app, deviceId, line, apiVersion, extVersion, instance, privileges, mediaModes, params)
                : LINEERR_OPERATIONUNAVAIL;
}

LONG MakeCall(HLINE line, HCALL* callHandle, const char* address, DWORD countryCode, LINECALLPARAMS* params)
{
    static BoundFunction bound{"lineMakeCallA"};
    auto* call = Resolve<decltype(lineMakeCallA)>(bound);
    return call ? call(line, callHandle, address, countryCode, params) : LINEERR_OPERATIONUNAVAIL;
}

LONG Drop(HCALL callHandle, const char* userInfo, DWORD size)
{
    static BoundFunction bound{"lineDrop"};
    auto* call = Resolve<decltype(lineDrop)>(bound);
    return call ? call(callHandle, userInfo, size) : LINEERR_OPERATIONUNAVAIL;
}

LONG DeallocateCall(HCALL callHandle)
{
    static BoundFunction bound{"lineDeallocateCall"};
    auto* call = Resolve<decltype(lineDeallocateCall)>(bound);
    return call ? call(callHandle) : LINEERR_OPERATIONUNAVAIL;
}

LONG Close(HLINE line)
{
    static BoundFunction bound{"lineClose"};
    auto* call = Resolve<decltype(lineClose)>(bound);
    return call ? call(line) : LINEERR_OPERATIONUNAVAIL;
}

LONG GetID(HLINE line, DWORD addressId, HCALL callHandle, DWORD select, VARSTRING* deviceId, const char* deviceClass)
{
    static BoundFunction bound{"lineGetIDA"};
    auto* call = Resolve<decltype(lineGetIDA)>(bound);
    return call ? call(line, addressId, callHandle, select, deviceId, deviceClass) : LINEERR_OPERATIONUNAVAIL;
}

} // namespace TapiFunctions
