// Bytes from the network on a secure connection, in whatever pieces they come.
#include <cstdint>
#include <string>

#include "comm/TlsRecordBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTlsRecordBuffer buffer;
    std::string record;
    // The first byte chooses the piece size, so records arrive split and joined.
    const size_t piece = size ? data[0] % 32 + 1 : 1;
    for (size_t at = size ? 1 : 0; at < size; at += piece) {
        buffer.Append(data + at, at + piece < size ? piece : size - at);
        CTlsRecordBuffer::Take taken;
        while ((taken = buffer.Next(&record)) == CTlsRecordBuffer::Take::Record) {
            if (record.size() < CTlsRecordBuffer::kHeaderBytes)
                __builtin_trap();
            const size_t body = static_cast<uint8_t>(record[3]) << 8 | static_cast<uint8_t>(record[4]);
            // A record is handed over whole and never longer than the protocol allows.
            if (record.size() != CTlsRecordBuffer::kHeaderBytes + body || body > CTlsRecordBuffer::kMaxBodyBytes)
                __builtin_trap();
        }
        if (taken == CTlsRecordBuffer::Take::NotTls)
            return 0;
    }
    return 0;
}
