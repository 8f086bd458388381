#pragma once
#include <string>

#include "data/DataKey.h"

// The data-file key kept in the registry, under a key path and value name that
// the program holds only scrambled. HKEY_LOCAL_MACHINE is read first; a key
// found only under HKEY_CURRENT_USER is copied to the machine's hive.
class CRegistryDataKey : public IDataKeySource {
public:
    static constexpr size_t kMaxDataFileKey = 255;

    std::optional<std::string> GetDataFileKey() const override;
    // Stores the key (creating the registry key when needed), machine-wide
    // when allowed, else for the user; false when neither write succeeded.
    static bool StoreDataFileKey(const std::string& key);
};

extern CRegistryDataKey theDataFileKey;
