#include "app/WindowsVersion.h"

#include <windows.h>

#include "text/OsVersion.h"

std::string OsVersionName()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return OsVersionName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}
