#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Bytes from a secure connection, cut into whole TLS records: the system's
// decryption takes one record at a time, while the socket delivers whatever
// pieces the network made. The buffer is bounded by one record at most.
class CTlsRecordBuffer {
public:
    enum class Take { Record, NeedMore, NotTls };

    void Append(const uint8_t* bytes, size_t count) { m_bytes.append(reinterpret_cast<const char*>(bytes), count); }
    // Moves the first whole record (header and body) into record. NotTls when
    // the bytes can't be a TLS record at all: a peer that speaks in clear.
    Take Next(std::string* record);
    // Everything waiting, for the handshake, which takes partial input itself.
    const std::string& Pending() const { return m_bytes; }
    // The handshake used all but the last `left` bytes.
    void KeepLast(size_t left) { m_bytes.erase(0, m_bytes.size() - (left < m_bytes.size() ? left : m_bytes.size())); }
    void Clear() { m_bytes.clear(); }

    static constexpr size_t kHeaderBytes = 5;
    // A record's body is at most 2^14 bytes plus the cipher's expansion.
    static constexpr size_t kMaxBodyBytes = 16384 + 2048;

    // Whether the first bytes of a stream may start a TLS record: content
    // type 20 to 23 and major version 3.
    static bool MayStartRecord(const std::string& bytes);

private:
    std::string m_bytes;
};
