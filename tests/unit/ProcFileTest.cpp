#include "platform/linux/ProcFile.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using tavlen::linux_platform::readProcFile;

TEST(ProcFile, ReadsAFileOfTheProcessWholeOrUpToTheLimit)
{
    const qint64 self = QCoreApplication::applicationPid();
    const std::optional<QByteArray> stat = readProcFile(self, "stat");
    ASSERT_TRUE(stat);
    EXPECT_TRUE(stat->startsWith(QByteArray::number(self) + " (")) << stat->constData();

    // The memory statistics of a process running Qt take more than one piece of the reading.
    const std::optional<QByteArray> smaps = readProcFile(self, "smaps");
    ASSERT_TRUE(smaps);
    EXPECT_GT(smaps->size(), 64 * 1024);
    EXPECT_TRUE(smaps->endsWith('\n'));

    const std::optional<QByteArray> cmdline = readProcFile(self, "cmdline");
    ASSERT_TRUE(cmdline && cmdline->size() > 5);
    EXPECT_EQ(readProcFile(self, "cmdline", 5), cmdline->first(5));
    EXPECT_EQ(readProcFile(self, "cmdline", 0), QByteArray());
}

TEST(ProcFile, NoProcessNoFile)
{
    EXPECT_EQ(readProcFile(0, "stat"), std::nullopt);
    EXPECT_EQ(readProcFile(-1, "stat"), std::nullopt);
    EXPECT_EQ(readProcFile(QCoreApplication::applicationPid(), "no-such-file"), std::nullopt);
    // Larger than any process identifier the kernel hands out (at most 2^22).
    EXPECT_EQ(readProcFile(std::int64_t(1) << 23, "stat"), std::nullopt);
}
