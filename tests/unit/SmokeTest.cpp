#include "platform/fake/FakeFileSystem.h"
#include <gtest/gtest.h>

TEST(FakeFileSystem, WritesAndReadsBack)
{
    tavlen::fake::FakeFileSystem fs;
    ASSERT_FALSE(fs.writeAtomically(QStringLiteral("/a/b"), "x").has_value());
    auto r = fs.readAll(QStringLiteral("/a/b"));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(r));
    EXPECT_EQ(std::get<QByteArray>(r), QByteArray("x"));
}
