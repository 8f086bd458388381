#include <gtest/gtest.h>

#include <string>

#include "OutputBuffer.h"

namespace {

// A client that reads steadily but never catches up: the buffer never runs
// dry, yet what the socket took is let go, so the memory held stays bounded.
TEST(OutputBuffer, WhatWasSentIsReleasedThoughTheBufferNeverRunsDry)
{
    constexpr size_t kLimit = 64 << 10;
    COutputBuffer out(kLimit);
    const std::string chunk(1000, 'x');
    std::string expected;
    for (int round = 0; round < 10000; ++round) {
        ASSERT_TRUE(out.Append(chunk));
        out.Take(out.Size() > kLimit / 2 ? 1000 : 500); // waits never drop to nothing
    }
    EXPECT_GT(out.Size(), 0u);
    EXPECT_LE(out.Held(), 4 * kLimit) << "ten megabytes went through it";
    EXPECT_EQ(std::string(out.Size(), 'x'), std::string(out.Data(), out.Size()));
    EXPECT_FALSE(out.Append(std::string(kLimit, 'y'))) << "no more than the limit waits";
}

} // namespace
