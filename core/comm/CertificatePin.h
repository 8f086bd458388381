#pragma once
#include <array>
#include <cstdint>
#include <string>

// The wholesaler's pinned key: the SHA-256 of the DER SubjectPublicKeyInfo
// of Quarn's certificate authority or of its server's own key, written as 64
// hexadecimal digits (as sha256sum prints it; colons and spaces between the
// digits are allowed, so a fingerprint copied from another tool fits too).
class CCertificatePin {
public:
    using Digest = std::array<uint8_t, 32>;

    // False, leaving the pin empty, when the text is not 32 bytes in hex.
    bool Parse(const std::string& text);
    bool Empty() const { return !m_set; }
    bool Matches(const Digest& digest) const { return m_set && digest == m_digest; }

private:
    Digest m_digest{};
    bool m_set = false;
};
