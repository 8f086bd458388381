#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "comm/SendQueue.h"

namespace {

TEST(SendQueue, TakesBytesAcrossTextsAndSharesWithoutCopying)
{
    const auto update = std::make_shared<const std::string>("EXEUPDATE~ABCD~");
    CSendQueue a, b;
    a.Add(std::make_shared<const std::string>("OK~"));
    a.Add(update);
    b.Add(update);
    EXPECT_EQ(3, update.use_count()) << "both queues read the one copy";
    EXPECT_EQ("OK~EXEUP", a.Front(8));
    a.Drop(5);
    EXPECT_EQ("EUPDATE~ABCD~", a.Text());
    a.Drop(100);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(2, update.use_count());
    EXPECT_EQ("EXEUPDATE~ABCD~", b.Front(100));
}

} // namespace
