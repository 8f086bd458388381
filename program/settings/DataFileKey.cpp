#include "settings/DataFileKey.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "data/ScrambledFile.h"

namespace {

// The key path and value name, scrambled at compile time with the data-file
// stream under a short fixed key as one continuous stream, path first.
constexpr char kStreamKey[] = "Qbx16";
constexpr char kPlainPath[] = "SOFTWARE\\Quarn Pharmaceutical Suppliers\\Common";
constexpr char kPlainName[] = "Seed";
constexpr size_t kPathLength = sizeof kPlainPath - 1;
constexpr size_t kNameLength = sizeof kPlainName - 1;

template <size_t N>
constexpr std::array<uint8_t, N> Scramble(const char (&plain)[N + 1], size_t streamStart)
{
    constexpr size_t keyLength = sizeof kStreamKey - 1;
    std::array<uint8_t, N> out{};
    for (size_t i = 0; i < N; ++i) {
        const size_t position = streamStart + i;
        const unsigned key = static_cast<uint8_t>(kStreamKey[position % keyLength]);
        const unsigned turns = (position / keyLength) % 8;
        const uint8_t rotated = static_cast<uint8_t>((key << turns) | (key >> ((8 - turns) % 8)));
        out[i] = static_cast<uint8_t>(static_cast<uint8_t>(plain[i]) ^ rotated);
    }
    return out;
}

constexpr std::array<uint8_t, kPathLength> kScrambledPath = Scramble<kPathLength>(kPlainPath, 0);
constexpr std::array<uint8_t, kNameLength> kScrambledName = Scramble<kNameLength>(kPlainName, kPathLength);

struct KeyLocation {
    char path[kPathLength + 1] = {};
    char name[kNameLength + 1] = {};
};

KeyLocation Unscramble()
{
    KeyLocation location;
    CScrambledFile stream;
    stream.SetKey(kStreamKey);
    std::memcpy(location.path, kScrambledPath.data(), kPathLength);
    std::memcpy(location.name, kScrambledName.data(), kNameLength);
    stream.Transform(reinterpret_cast<uint8_t*>(location.path), kPathLength);
    stream.Transform(reinterpret_cast<uint8_t*>(location.name), kNameLength);
    return location;
}

bool ReadKey(HKEY hive, const KeyLocation& location, std::string& key)
{
    HKEY opened;
    if (RegOpenKeyExA(hive, location.path, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    // Room for the longest key and the terminating zero some tools store with
    // it; the text ends at the length the registry returned or at that zero.
    char text[CRegistryDataKey::kMaxDataFileKey + 2] = {};
    DWORD type = 0;
    DWORD size = CRegistryDataKey::kMaxDataFileKey + 1;
    const bool read = RegQueryValueExA(opened, location.name, nullptr, &type, reinterpret_cast<BYTE*>(text),
                                       &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(opened);
    if (!read)
        return false;
    key.assign(text, strnlen(text, size));
    return key.size() <= CRegistryDataKey::kMaxDataFileKey;
}

bool WriteKey(HKEY hive, const KeyLocation& location, const std::string& key)
{
    HKEY opened;
    if (RegCreateKeyExA(hive, location.path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExA(opened, location.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(key.c_str()),
                                        static_cast<DWORD>(key.size())) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return written;
}

} // namespace

CRegistryDataKey theDataFileKey;

std::optional<std::string> CRegistryDataKey::GetDataFileKey() const
{
    const KeyLocation location = Unscramble();
    std::string key;
    if (ReadKey(HKEY_LOCAL_MACHINE, location, key))
        return key;
    if (!ReadKey(HKEY_CURRENT_USER, location, key))
        return std::nullopt;
    StoreDataFileKey(key);
    return key;
}

bool CRegistryDataKey::StoreDataFileKey(const std::string& key)
{
    const KeyLocation location = Unscramble();
    return WriteKey(HKEY_LOCAL_MACHINE, location, key) || WriteKey(HKEY_CURRENT_USER, location, key);
}
