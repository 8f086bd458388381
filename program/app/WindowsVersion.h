#pragma once
#include <string>

// The running Windows version as the system tags name it, e.g. "XP (2.5.1.2600)".
std::string OsVersionName();
