#include <gtest/gtest.h>

#include <string>

#include "comm/CertificatePin.h"
#include "comm/TlsRecordBuffer.h"

namespace {

void Append(CTlsRecordBuffer& buffer, const std::string& bytes)
{
    buffer.Append(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(TlsRecordBuffer, GivesWholeRecordsWhateverPiecesArrive)
{
    const std::string first("\x17\x03\x03\x00\x02" "ab", 7);
    const std::string second("\x15\x03\x03\x00\x01" "c", 6);
    CTlsRecordBuffer buffer;
    std::string record;
    Append(buffer, first.substr(0, 4));
    EXPECT_EQ(CTlsRecordBuffer::Take::NeedMore, buffer.Next(&record));
    Append(buffer, first.substr(4) + second.substr(0, 5));
    ASSERT_EQ(CTlsRecordBuffer::Take::Record, buffer.Next(&record));
    EXPECT_EQ(first, record);
    EXPECT_EQ(CTlsRecordBuffer::Take::NeedMore, buffer.Next(&record));
    Append(buffer, second.substr(5));
    ASSERT_EQ(CTlsRecordBuffer::Take::Record, buffer.Next(&record));
    EXPECT_EQ(second, record);
}

TEST(TlsRecordBuffer, TellsAPeerThatSpeaksInClear)
{
    CTlsRecordBuffer buffer;
    std::string record;
    Append(buffer, "\x10\x30"); // a plain link's first acknowledgement
    EXPECT_EQ(CTlsRecordBuffer::Take::NotTls, buffer.Next(&record));
    buffer.Clear();
    Append(buffer, std::string("\x16\x03\x03\xff\xff", 5)); // longer than any record
    EXPECT_EQ(CTlsRecordBuffer::Take::NotTls, buffer.Next(&record));
}

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
