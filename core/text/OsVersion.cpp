#include "text/OsVersion.h"

#include "base/StrFormat.h"

namespace {

constexpr uint32_t kAny = 0xFFFFFFFFu;
constexpr uint32_t kPlatformWindows9x = 1;

struct Range {
    uint32_t low;
    uint32_t high;
    bool Holds(uint32_t value) const { return value >= low && value <= high; }
};

constexpr Range kAll{0, kAny};

struct VersionRow {
    uint32_t platformId;
    Range major;
    Range minor;
    Range build;
    const char* name;
};

// The first row that holds the version names it.
const VersionRow kVersions[] = {
    {1, {4, 4}, {0, 9}, {950, 950}, "95"},
    {1, {4, 4}, {0, 9}, {951, 1080}, "95SP1"},
    {1, {4, 4}, {0, 9}, {1081, kAny}, "95OSR2"},
    {1, {4, 4}, {10, 10}, {1998, 1998}, "98"},
    {1, {4, 4}, {10, 10}, {1999, 2182}, "98SP1"},
    {1, {4, 4}, {10, 10}, {2183, kAny}, "98SE"},
    {1, {4, 4}, {90, 90}, kAll, "ME"},
    {1, {4, 4}, kAll, kAll, ""},
    {1, kAll, kAll, kAll, "??"},
    {2, {3, 3}, {51, 51}, kAll, "NT351"},
    {2, {4, 4}, {0, 0}, kAll, "NT4"},
    {2, {5, 5}, {0, 0}, kAll, "2K"},
    {2, {5, 5}, {1, 1}, kAll, "XP"},
    {2, {5, 5}, {2, 2}, kAll, "2K3"},
    {2, {6, 6}, {0, 0}, kAll, "Vista"},
    {2, kAll, kAll, kAll, ""},
    {3, kAll, kAll, kAll, "CE"},
};

const char* VersionName(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build)
{
    // Windows 9x keeps its major and minor version in the build number's high
    // word; only the low word is the build.
    if (platformId == kPlatformWindows9x)
        build &= 0xFFFFu;
    for (const VersionRow& row : kVersions) {
        if (row.platformId == platformId && row.major.Holds(major) && row.minor.Holds(minor) &&
            row.build.Holds(build))
            return row.name;
    }
    return "??";
}

} // namespace

std::string OsVersionName(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build)
{
    return StrFormat("%s (%d.%d.%d.%d)", VersionName(platformId, major, minor, build),
                     static_cast<int>(platformId), static_cast<int>(major), static_cast<int>(minor),
                     static_cast<int>(build));
}
