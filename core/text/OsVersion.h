#pragma once
#include <cstdint>
#include <string>

// The name of a Windows version as the system tags send it, e.g.
// "XP (2.5.1.2600)": the version's name, then platform id, major, minor and build.
std::string OsVersionName(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build);
