#include "data/ScrambledFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kChunk = 64 * 1024;

// Data files are records of TAB-separated fields, lines ending in LF or CR LF,
// with no other control bytes. A file read without a key that breaks either
// rule is scrambled: a scrambled record line shows it at once, since a key
// rotated a few times turns text into bytes of every kind.
bool LooksPlain(const uint8_t* bytes, size_t n)
{
    const uint8_t* end = bytes + n;
    if (std::any_of(bytes, end, [](uint8_t b) { return b < 0x20 && b != '\t' && b != '\n' && b != '\r'; }))
        return false;
    const uint8_t* line = std::find_if(bytes, end, [](uint8_t b) { return b != '\n' && b != '\r'; });
    const uint8_t* lineEnd = std::find(line, end, '\n');
    return line == end || std::find(line, lineEnd, '\t') != lineEnd;
}

} // namespace

CScrambledFile::CScrambledFile(const IDataKeySource* keys, bool enabled)
    : m_keys(keys), m_enabled(enabled)
{
    SetKey(nullptr);
}

void CScrambledFile::SetKey(const char* text)
{
    m_keyText = text ? text : "";
    m_keyState.assign(m_keyText.begin(), m_keyText.end());
    m_position = 0;
}

bool CScrambledFile::Open(const std::string& path, bool forWriting)
{
    Close();
    std::optional<std::string> key = m_keys ? m_keys->GetDataFileKey() : std::nullopt;
    SetKey(key ? key->c_str() : nullptr);
    m_next = m_end = 0;
    m_scrambled = false;
    if (forWriting)
        return m_writer.Open(path);
    m_reader = std::fopen(path.c_str(), "rb");
    if (!m_reader)
        return false;
    if (IsIdentity() && Refill() && !LooksPlain(m_buffer.data(), m_end)) {
        m_scrambled = true;
        Close();
        m_next = m_end = 0;
        return false;
    }
    return true;
}

bool CScrambledFile::Close()
{
    bool ok = true;
    if (m_reader) {
        std::fclose(m_reader);
        m_reader = nullptr;
    }
    if (m_writer.IsOpen())
        ok = m_writer.Commit();
    return ok;
}

void CScrambledFile::Transform(uint8_t* buffer, size_t n)
{
    const size_t length = m_keyState.size();
    if (IsIdentity())
        return;
    uint8_t* key = m_keyState.data();
    uint32_t pos = m_position;
    for (size_t i = 0; i < n; ++i) {
        uint8_t k = key[pos];
        buffer[i] ^= k;
        key[pos] = static_cast<uint8_t>((k << 1) | (k >> 7));
        if (++pos == length)
            pos = 0;
    }
    m_position = pos;
}

bool CScrambledFile::Refill()
{
    if (!m_reader)
        return false;
    m_buffer.resize(kChunk);
    m_end = std::fread(m_buffer.data(), 1, kChunk, m_reader);
    m_next = 0;
    Transform(m_buffer.data(), m_end);
    return m_end > 0;
}

int CScrambledFile::ReadByte()
{
    if (m_next == m_end && !Refill())
        return -1;
    return m_buffer[m_next++];
}

bool CScrambledFile::ReadLine(char* buffer, size_t size)
{
    size_t count = 0;
    bool gotAny = false;
    while (count < size) {
        if (m_next == m_end && !Refill())
            break;
        // Copy up to the next newline straight from the decoded chunk.
        const uint8_t* start = m_buffer.data() + m_next;
        size_t avail = std::min(m_end - m_next, size - count);
        const void* nl = std::memchr(start, '\n', avail);
        size_t take = nl ? static_cast<size_t>(static_cast<const uint8_t*>(nl) - start) + 1 : avail;
        std::memcpy(buffer + count, start, take);
        m_next += take;
        count += take;
        gotAny = true;
        if (nl)
            break;
    }
    buffer[count] = '\0';
    return gotAny;
}

size_t CScrambledFile::Write(const void* buffer, size_t n)
{
    if (!m_writer.IsOpen())
        return 0;
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    size_t written = 0;
    uint8_t chunk[4096];
    while (written < n) {
        size_t take = std::min(n - written, sizeof chunk);
        std::memcpy(chunk, in + written, take);
        Transform(chunk, take);
        if (!m_writer.Write(chunk, take))
            break;
        written += take;
    }
    return written;
}

bool CScrambledFile::WriteString(const char* text)
{
    return Write(text, std::strlen(text)) != 0;
}
