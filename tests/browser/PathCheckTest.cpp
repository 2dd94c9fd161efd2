#include "core/Errors.h"
#include "support/TempDir.h"
#include "ui/browser/PathCheck.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace qmel {
namespace {

using test::ScopedCurrentDirectory;
using test::TempDir;

class PathCheckTest : public ::testing::Test {
protected:
    PathCheckTest() : inTree_(tree.path())
    {
        tree.write("roms/tetris.gb", "rom");
        tree.write("top.gb", "rom");
        tree.makeDirectory("[lit]");
        tree.makeDirectory("lit");
        tree.makeDirectory("-dash dir");
        EXPECT_EQ(symlink("roms", (tree / "link").c_str()), 0);
    }

    TempDir tree;
    Platform& platform = systemPlatform();

private:
    ScopedCurrentDirectory inTree_;
};

TEST_F(PathCheckTest, FindsTheDirectoryTheTextNames)
{
    struct Case {
        std::string text;
        std::string directory;  // below the tree; "/" alone for the root
    };
    const Case cases[] = {
        {tree / "roms", "/roms"},
        {"roms", "/roms"},
        {"roms/", "/roms"},
        {"roms/../roms", "/roms"},
        {"[roms]", "/roms"},      // no directory literally so named: the bracketed name
        {"[lit]", "/[lit]"},      // one literally so named wins
        {tree / "roms/tetris.gb", "/roms"},  // an existing file is dropped
        {"top.gb", ""},
        {"roms/*.gb", "/roms"},   // a wildcard is dropped, whether it matches or not
        {"roms/nosuch?.gbc", "/roms"},
        {"*", ""},
        {"-dash dir", "/-dash dir"},
        {"link", "/roms"},        // the directory the link leads to
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CheckedPath checked = checkPath(platform, c.text);
        EXPECT_EQ(checked.directory, tree.path() + c.directory);
        EXPECT_EQ(checked.volumeRoot, platform.volumeRootOf(checked.directory));
        EXPECT_EQ(platform.currentDirectory(), tree.path());
    }
    EXPECT_EQ(checkPath(platform, "/").directory, "/");
}

TEST_F(PathCheckTest, FailsWithTheUsersErrorCodeAndRestoresTheDirectory)
{
    struct Case {
        std::string text;
        int code;
        std::string message;
    };
    const Case cases[] = {
        {"nosuch", 2, "File not found"},
        {tree / "nosuch/deeper", 2, "File not found"},
        {"roms\n", 2, "File not found"},  // the line break belongs to the name
        {"[nosuch]", 2, "File not found"},
        {"roms/tetris.gb/save", 3, "Invalid filename"},  // a file on the way
        {std::string(300, 'x'), 36, "I/O error 36"},       // ENAMETOOLONG passes through
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            checkPath(platform, c.text);
            ADD_FAILURE() << "no failure";
        } catch (const EInOutError& failure) {
            EXPECT_EQ(failure.errorCode(), c.code);
            EXPECT_EQ(failure.message(), c.message);
        }
        EXPECT_EQ(platform.currentDirectory(), tree.path());
    }
}

}  // namespace
}  // namespace qmel
