#include "comm/TlsRecordBuffer.h"

namespace {
constexpr uint8_t kFirstContentType = 20; // change_cipher_spec
constexpr uint8_t kLastContentType = 23;  // application_data
constexpr uint8_t kMajorVersion = 3;
} // namespace

bool CTlsRecordBuffer::MayStartRecord(const std::string& bytes)
{
    if (bytes.empty())
        return true;
    const auto type = static_cast<uint8_t>(bytes[0]);
    if (type < kFirstContentType || type > kLastContentType)
        return false;
    return bytes.size() < 2 || static_cast<uint8_t>(bytes[1]) == kMajorVersion;
}

CTlsRecordBuffer::Take CTlsRecordBuffer::Next(std::string* record)
{
    if (!MayStartRecord(m_bytes))
        return Take::NotTls;
    if (m_bytes.size() < kHeaderBytes)
        return Take::NeedMore;
    const size_t body = static_cast<size_t>(static_cast<uint8_t>(m_bytes[3])) << 8 | static_cast<uint8_t>(m_bytes[4]);
    if (body > kMaxBodyBytes)
        return Take::NotTls;
    if (m_bytes.size() < kHeaderBytes + body)
        return Take::NeedMore;
    record->assign(m_bytes, 0, kHeaderBytes + body);
    m_bytes.erase(0, kHeaderBytes + body);
    return Take::Record;
}
