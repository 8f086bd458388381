#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "data/DataKey.h"
#include "data/SafeFile.h"

// The keyed XOR stream every data file runs through. Byte i of a file is
// combined with key byte i mod L rotated left by (i div L) mod 8 bits. An
// empty key (or a disabled object) leaves the bytes as they are.
//
// Files opened for writing are written beside the target and replace it at
// Close, so a save either completes or leaves the old file in place.
class CScrambledFile {
public:
    explicit CScrambledFile(const IDataKeySource* keys = nullptr, bool enabled = true);
    CScrambledFile(const CScrambledFile&) = delete;
    CScrambledFile& operator=(const CScrambledFile&) = delete;
    ~CScrambledFile() { Close(); }

    void SetKey(const char* text);
    // Fetches the key anew, so every file starts the stream from its beginning.
    // Reading without a key, a file that isn't plain record text (TAB-separated
    // fields, no other control bytes) fails and counts as Scrambled.
    bool Open(const std::string& path, bool forWriting);
    // For a written file: true when every byte reached the target.
    bool Close();

    void Transform(uint8_t* buffer, size_t n);
    // The next byte 0..255, or -1 at the end of the file.
    int ReadByte();
    // Reads up to size bytes into buffer (which holds size + 1), keeping the
    // newline that ends a line; false when nothing at all could be read.
    bool ReadLine(char* buffer, size_t size);
    size_t Write(const void* buffer, size_t n);
    bool WriteString(const char* text);

    const std::string& Key() const { return m_keyText; }
    // The last Open for reading found a scrambled file and no key to read it.
    bool Scrambled() const { return m_scrambled; }

private:
    bool Refill();
    bool IsIdentity() const { return !m_enabled || m_keyState.empty(); }

    const IDataKeySource* m_keys;
    std::string m_keyText;
    std::vector<uint8_t> m_keyState;
    uint32_t m_position = 0;
    bool m_enabled;
    bool m_scrambled = false;

    std::FILE* m_reader = nullptr;
    CSafeFile m_writer;
    std::vector<uint8_t> m_buffer;
    size_t m_next = 0;
    size_t m_end = 0;
};
