#include "ui/browser/NameOrder.h"
#include "ui/browser/PathRules.h"

#include <gtest/gtest.h>

namespace qmel {
namespace {

TEST(PathRules, ComponentsOfPaths)
{
    struct Case {
        std::string path, last, without;
        int level;
    };
    const Case cases[] = {
        {"/", "", "/", 1},
        {"/games", "games", "/", 1},
        {"/games/gb", "gb", "/games", 2},
        {"/games/gb/", "", "/games/gb", 3},
        {"roms", "roms", "", 0},
        {"roms/tetris.gb", "tetris.gb", "roms", 1},
        {"/a/new\nline", "new\nline", "/a", 2},
        {"/a/caf\xE9", "caf\xE9", "/a", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(lastComponent(c.path), c.last);
        EXPECT_EQ(withoutLastComponent(c.path), c.without);
        EXPECT_EQ(directoryLevel(c.path), c.level);
    }
}

TEST(PathRules, JoinAddsOneSlash)
{
    EXPECT_EQ(joinPath("/", "games"), "/games");
    EXPECT_EQ(joinPath("/games", "gb"), "/games/gb");
    EXPECT_EQ(joinPath("/games/", "gb"), "/games/gb");
    EXPECT_EQ(joinPath("/games", "-x *\"q"), "/games/-x *\"q");
}

TEST(PathRules, SplitsDirectoryIntoComponents)
{
    EXPECT_EQ(pathComponents("/"), std::vector<std::string>{});
    EXPECT_EQ(pathComponents("/games/gb/save"), (std::vector<std::string>{"games", "gb", "save"}));
    EXPECT_EQ(pathComponents("//games//gb"), (std::vector<std::string>{"games", "gb"}));
}

TEST(PathRules, AncestorRowsNameTheirDirectories)
{
    const std::string directory = "/games/gb/save";
    EXPECT_EQ(ancestorPath(directory, 0), "/");
    EXPECT_EQ(ancestorPath(directory, 1), "/games");
    EXPECT_EQ(ancestorPath(directory, 2), "/games/gb");
}

TEST(PathRules, SameDirectoryCountsCaseOnlyWhereTheVolumeDoes)
{
    EXPECT_TRUE(sameDirectory("/roms/GB", "/roms/GB", true));
    EXPECT_FALSE(sameDirectory("/roms/GB", "/roms/gb", true));
    EXPECT_TRUE(sameDirectory("/roms/GB", "/roms/gb", false));
    EXPECT_FALSE(sameDirectory("/roms/GB", "/roms/GBC", false));
    // Only ASCII letters fold; other bytes must be equal.
    EXPECT_FALSE(sameDirectory("/r/\xC9", "/r/\xE9", false));
}

TEST(PathRules, DrivePartIsTheVolumeHoldingAnAbsolutePath)
{
    Platform& platform = systemPlatform();
    EXPECT_EQ(drivePart(platform, "roms"), "");
    EXPECT_EQ(drivePart(platform, "/"), "/");
    EXPECT_EQ(drivePart(platform, "/proc/self"), platform.volumeRootOf("/proc/self"));
}

TEST(PathRules, WildcardsInNames)
{
    EXPECT_TRUE(holdsWildcard("*.gb"));
    EXPECT_TRUE(holdsWildcard("tetris?.gb"));
    EXPECT_FALSE(holdsWildcard("tetris.gb"));
}

TEST(NameOrder, SortsIgnoringCaseByBytes)
{
    std::vector<std::string> names{"zelda.gbc", "Tetris.gb", "ROMS.ZIP", "tetris.gb", "_x", "a", "A", "\xE9t\xE9"};
    sortIgnoringCase(names);
    // '_' (0x5F) lies between upper and lower case letters in ASCII: the
    // letters fold to lower case, so it sorts before all of them.
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "A", "a", "ROMS.ZIP", "Tetris.gb", "tetris.gb", "zelda.gbc",
                                               "\xE9t\xE9"}));
    EXPECT_TRUE(equalIgnoringCase("ROMS.ZIP", "roms.zip"));
    EXPECT_FALSE(equalIgnoringCase("roms", "roms "));
}

}  // namespace
}  // namespace qmel
