#pragma once
#include <optional>
#include <string>

// The settings key "SOFTWARE\Quarn Pharmaceutical Suppliers\Quillbox": the
// registry in the program, memory in tests. Every value is text.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // Opens the settings key, for writing when asked (a key that can only be
    // read may still be opened then, and its writes fail). userHiveOnly, when
    // given, tells whether the key was found only in the user's own hive.
    virtual bool Open(bool forWriting, bool* userHiveOnly) = 0;
    // A text value of at most 255 characters; none when missing, of another
    // type or longer.
    virtual std::optional<std::string> ReadString(const char* name) = 0;
    // Errors are ignored.
    virtual void WriteString(const char* name, const std::string& text) = 0;
    virtual void Close() = 0;
};

// Longest text a settings value holds.
constexpr size_t kMaxSettingText = 255;
