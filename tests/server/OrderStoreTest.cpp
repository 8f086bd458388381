#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "DemoSeed.h"
#include "OrderStore.h"
#include "ServerTestFiles.h"

namespace {

TEST(OrderStore, SeedsTheDemoCatalogueOnceWithEveryKindOfStock)
{
    CTempDir dir;
    COrderStore store;
    std::string error;
    ASSERT_TRUE(store.Open(dir.Path("orders.db"), &error)) << error;
    ASSERT_TRUE(SeedDemoData(store, 2000));
    EXPECT_EQ(2000, store.ProductCount());
    ASSERT_TRUE(SeedDemoData(store, 5000)); // an existing store is left alone
    EXPECT_EQ(2000, store.ProductCount());

    AccountRow account;
    EXPECT_TRUE(store.FindAccount("4711", &account));
    EXPECT_FALSE(store.FindAccount("9999", &account));
}
}
