#include "common/base/KeyedCollection.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using tallix::Error;
using tallix::KeyedCollection;

namespace {

KeyedCollection<int> threeItems()
{
    KeyedCollection<int> c;
    c.add(std::make_unique<int>(10), QStringLiteral("Alpha"));
    c.add(std::make_unique<int>(20));
    c.add(std::make_unique<int>(30), QStringLiteral("gamma"));
    return c;
}

} // namespace

TEST(KeyedCollection, PositionsAreOneBasedInInsertionOrder)
{
    auto c = threeItems();
    ASSERT_EQ(c.count(), 3);
    EXPECT_EQ(c.item(1), 10);
    EXPECT_EQ(c.item(3), 30);
    std::vector<int> seen(c.begin(), c.end());
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(tallix::test::errorNumber([&] { c.item(0); }), Error::SubscriptOutOfRange);
    EXPECT_EQ(tallix::test::errorNumber([&] { c.item(4); }), Error::SubscriptOutOfRange);
}

TEST(KeyedCollection, KeysIgnoreCaseAndMustBeUnique)
{
    auto c = threeItems();
    EXPECT_EQ(c.item(QStringLiteral("ALPHA")), 10);
    EXPECT_EQ(c.item(QStringLiteral("Gamma")), 30);
    EXPECT_EQ(tallix::test::errorNumber([&] { c.item(QStringLiteral("beta")); }),
              Error::InvalidArgument);
    EXPECT_EQ(tallix::test::errorNumber(
                  [&] { c.add(std::make_unique<int>(1), QStringLiteral("alpha")); }),
              Error::DuplicateKey);
    EXPECT_EQ(c.count(), 3) << "a refused item must not be stored";
    // Items without a key never collide.
    c.add(std::make_unique<int>(40));
    EXPECT_EQ(c.count(), 4);
}

TEST(KeyedCollection, RemoveKeepsOrderAndFreesTheKey)
{
    auto c = threeItems();
    c.remove(QStringLiteral("ALPHA"));
    ASSERT_EQ(c.count(), 2);
    EXPECT_EQ(c.item(1), 20);
    EXPECT_EQ(c.find(QStringLiteral("alpha")), nullptr);
    c.add(std::make_unique<int>(11), QStringLiteral("alpha")); // key free again
    c.remove(1);
    EXPECT_EQ(c.item(1), 30);
    EXPECT_EQ(c.item(QStringLiteral("alpha")), 11);
    EXPECT_EQ(tallix::test::errorNumber([&] { c.remove(5); }), Error::SubscriptOutOfRange);
    EXPECT_EQ(tallix::test::errorNumber([&] { c.remove(QStringLiteral("nothing")); }),
              Error::InvalidArgument);
}
