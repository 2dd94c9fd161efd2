#include "platform/posix/PosixPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::TempDir;

const std::string oddBytes("a\0b\r\nc\rd\n\xE9\xFF\x80", 12);

TEST(ReadFile, GivesTheExactBytesWithinTheLimit)
{
    TempDir dir;
    dir.write("odd.ini", oddBytes);
    dir.write("empty.ini", "");
    dir.write("ten.ini", std::string(10, 'x'));
    ASSERT_EQ(symlink("odd.ini", (dir / "link.ini").c_str()), 0);

    const struct {
        std::string name;
        std::size_t limit;
        ReadStatus status;
        std::string bytes;
    } cases[] = {
        {"odd.ini", 1024, ReadStatus::Ok, oddBytes},
        {"link.ini", 1024, ReadStatus::Ok, oddBytes},
        {"empty.ini", 1024, ReadStatus::Ok, ""},
        {"empty.ini", 0, ReadStatus::Ok, ""},
        {"ten.ini", 10, ReadStatus::Ok, std::string(10, 'x')},
        {"ten.ini", 9, ReadStatus::TooLarge, ""},
        {"missing.ini", 1024, ReadStatus::CannotOpen, ""},
        {".", 1024, ReadStatus::CannotOpen, ""},
    };
    PosixPlatform platform;
    for (const auto& c : cases) {
        std::string bytes = "left over";
        EXPECT_EQ(platform.readFile(dir / c.name, c.limit, bytes), c.status) << c.name << " " << c.limit;
        EXPECT_EQ(bytes, c.bytes) << c.name << " " << c.limit;
    }
}

TEST(ReadFile, RefusesAFifoWithoutBlocking)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    PosixPlatform platform;
    std::string bytes;
    // With nobody writing, a blocking open would never return.
    EXPECT_EQ(platform.readFile(dir / "pipe.ini", 1024, bytes), ReadStatus::CannotOpen);
}

TEST(ReadFile, RefusesAHugeSparseFileBySize)
{
    TempDir dir;
    const int fd = open((dir / "huge.ini").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{4} << 30), 0);
    close(fd);
    PosixPlatform platform;
    std::string bytes;
    EXPECT_EQ(platform.readFile(dir / "huge.ini", 1 << 20, bytes), ReadStatus::TooLarge);
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadFile, StopsAtTheLimitWhenTheSizeSaysNothing)
{
    // Files in /proc report a size of 0 but have content: the read itself
    // must stop one byte past the limit, and read all when within it.
    PosixPlatform platform;
    std::string bytes;
    EXPECT_EQ(platform.readFile("/proc/self/maps", 16, bytes), ReadStatus::TooLarge);
    ASSERT_EQ(platform.readFile("/proc/self/maps", 1 << 24, bytes), ReadStatus::Ok);
    EXPECT_GT(bytes.size(), 16u);
    EXPECT_EQ(bytes.back(), '\n');
}

}  // namespace
}  // namespace qmel
