#include <gtest/gtest.h>

#include <string>

#include "comm/CertificatePin.h"

namespace {

TEST(CertificatePin, ReadsSha256sumAndColonForms)
{
    const std::string hex = "00112233445566778899aabbccddeeff00112233445566778899AABBCCDDEEFF";
    CCertificatePin plain, colons;
    ASSERT_TRUE(plain.Parse(hex));
    std::string withColons;
    for (size_t i = 0; i < hex.size(); i += 2)
        withColons += (i ? ":" : "") + hex.substr(i, 2);
    ASSERT_TRUE(colons.Parse(withColons));
    CCertificatePin::Digest digest{};
    for (size_t i = 0; i < digest.size(); ++i)
        digest[i] = static_cast<uint8_t>((i % 16) * 0x11);
    EXPECT_TRUE(plain.Matches(digest));
    EXPECT_TRUE(colons.Matches(digest));
    digest[31] ^= 1;
    EXPECT_FALSE(plain.Matches(digest));
}

TEST(CertificatePin, RefusesShortLongAndForeignText)
{
    CCertificatePin pin;
    EXPECT_FALSE(pin.Parse(""));
    EXPECT_FALSE(pin.Parse(std::string(62, 'a')));
    EXPECT_FALSE(pin.Parse(std::string(66, 'a')));
    EXPECT_FALSE(pin.Parse(std::string(63, 'a') + "g"));
    EXPECT_TRUE(pin.Empty());
    EXPECT_FALSE(pin.Matches(CCertificatePin::Digest{}));
}

} // namespace
