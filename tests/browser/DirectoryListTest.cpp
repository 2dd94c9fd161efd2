#include "core/Errors.h"
#include "tests/browser/BrowserFixture.h"
#include "ui/browser/PathRules.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::BrowserFixture;

class DirectoryListTest : public BrowserFixture {
protected:
    DirectoryListTest()
    {
        tree.write("games/gb/tetris.gb", "rom");
        tree.makeDirectory("games/gb/save");
        tree.write("roms/zelda.gbc", "rom");
    }
};

TEST_F(DirectoryListTest, StartsInTheCurrentDirectoryWithoutAnEvent)
{
    RomBrowser& b = start();
    EXPECT_EQ(b.directoryList().directory(), tree.path());
    EXPECT_EQ(b.fileList().directory(), tree.path());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
    EXPECT_EQ(subdirectoryNames(), (std::vector<std::string>{"games", "roms"}));
}

TEST_F(DirectoryListTest, SetDirectoryMovesEverythingAndRaisesOnChangeOnceAfterTheFileList)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "games/gb");

    const std::string gb = tree / "games/gb";
    EXPECT_EQ(platform.currentDirectory(), gb);
    EXPECT_EQ(b.directoryList().directory(), gb);
    EXPECT_EQ(b.fileList().directory(), gb);
    EXPECT_EQ(b.fileList().rows(), std::vector<std::string>{"tetris.gb"});
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
    EXPECT_EQ(changes, std::vector<std::string>{gb});  // once, with the file list already there
    EXPECT_EQ(subdirectoryNames(), std::vector<std::string>{"save"});
}

TEST_F(DirectoryListTest, SetDirectoryToTheDirectoryShownDoesNothing)
{
    RomBrowser& b = start();
    const int listingsBefore = platform.listings;
    for (const std::string& text : {tree.path(), std::string()}) {
        SCOPED_TRACE(text);
        b.directoryList().setDirectory(text);
        EXPECT_TRUE(changes.empty());
    }
    EXPECT_EQ(platform.listings, listingsBefore);  // nothing is read again
}

TEST_F(DirectoryListTest, FailedSetDirectoryChangesNothing)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "roms");
    b.fileList().select(0);
    const auto rowsBefore = b.directoryList().rows().size();
    changes.clear();

    EXPECT_THROW(b.directoryList().setDirectory(tree / "nosuch"), EInOutError);
    EXPECT_THROW(b.directoryList().setDirectory(tree / "roms/zelda.gbc/x"), EInOutError);

    EXPECT_EQ(platform.currentDirectory(), tree / "roms");
    EXPECT_EQ(b.directoryList().directory(), tree / "roms");
    EXPECT_EQ(b.directoryList().rows().size(), rowsBefore);
    EXPECT_EQ(b.fileList().directory(), tree / "roms");
    EXPECT_EQ(b.fileList().selectedRow(), 0u);
    EXPECT_EQ(edit.text, "zelda.gbc");
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryListTest, RebuildGivesAncestorsCurrentRowAndSubdirectoriesWithTheirIndentation)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "games");
    const auto& list = b.directoryList();
    const auto components = pathComponents(list.directory());
    const auto& rows = list.rows();
    ASSERT_EQ(rows.size(), components.size() + 2);  // "/", the components, one subdirectory

    EXPECT_EQ(rows[0].name, "/");
    for (std::size_t i = 0; i < components.size(); ++i) {
        EXPECT_EQ(rows[i + 1].name, components[i]);
        EXPECT_EQ(rows[i + 1].kind, i + 1 == components.size() ? DirectoryRowKind::Current : DirectoryRowKind::Ancestor);
    }
    EXPECT_EQ(rows[0].kind, DirectoryRowKind::Ancestor);
    for (std::size_t i = 0; i <= components.size(); ++i)
        EXPECT_EQ(list.glyphX(i), 2 + 4 * static_cast<int>(i));
    EXPECT_EQ(rows.back().name, "gb");
    EXPECT_EQ(rows.back().kind, DirectoryRowKind::Subdirectory);
    EXPECT_EQ(list.glyphX(rows.size() - 1), 6 + 4 * directoryLevel(list.directory()));
    EXPECT_EQ(list.selectedRow(), components.size());  // the current row
}

TEST_F(DirectoryListTest, TheRootIsASingleCurrentRow)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory("/");
    const auto& rows = b.directoryList().rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].name, "/");
    EXPECT_EQ(rows[0].kind, DirectoryRowKind::Current);
    EXPECT_EQ(b.directoryList().selectedRow(), 0u);
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].kind, DirectoryRowKind::Subdirectory);
    if (rows.size() > 1) {
        EXPECT_EQ(b.directoryList().glyphX(1), 10);
    }
}

TEST_F(DirectoryListTest, SubdirectoriesKeepTheirExactBytesAndSkipHiddenAndSystemEntries)
{
    for (const char* name : {"caf\xE9", "new\nline", "quo\"te", "-dash", "*star", " blank", "Roms", "ROMS", ".hidden"})
        tree.makeDirectory(std::string("odd/") + name);
    tree.write("odd/file.gb", "rom");
    ASSERT_EQ(symlink("Roms", (tree / "odd/link-to-dir").c_str()), 0);
    ASSERT_EQ(symlink("file.gb", (tree / "odd/link-to-file").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (tree / "odd/broken").c_str()), 0);
    ASSERT_EQ(symlink("loop", (tree / "odd/loop").c_str()), 0);
    ASSERT_EQ(mkfifo((tree / "odd/fifo").c_str(), 0600), 0);

    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "odd");
    // On this case-sensitive volume "Roms" and "ROMS" are two directories.
    EXPECT_EQ(subdirectoryNames(), (std::vector<std::string>{" blank", "*star", "-dash", "caf\xE9", "link-to-dir",
                                                             "new\nline", "quo\"te", "ROMS", "Roms"}));
}

TEST_F(DirectoryListTest, ACaseInsensitiveVolumeShowsOneRowForNamesEqualButForCase)
{
    tree.makeDirectory("odd/Roms");
    tree.makeDirectory("odd/ROMS");
    tree.makeDirectory("odd/save");
    platform.flags = CaseFlags{false, true};
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "odd");
    EXPECT_EQ(subdirectoryNames(), (std::vector<std::string>{"ROMS", "save"}));
    EXPECT_FALSE(b.directoryList().caseSensitive());
    EXPECT_TRUE(b.directoryList().preservesCase());

    // The directory shown, in other letter case, is the same directory there.
    changes.clear();
    b.directoryList().setDirectory(tree / "ODD");
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryListTest, DirectoriesDifferingOnlyInCaseAreTwoOnACaseSensitiveVolume)
{
    tree.write("case/GB/upper.gb", "rom");
    tree.write("case/gb/lower.gb", "rom");
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "case/GB");
    ASSERT_EQ(b.fileList().rows(), std::vector<std::string>{"upper.gb"});
    b.directoryList().setDirectory(tree / "case/gb");
    EXPECT_EQ(b.directoryList().directory(), tree / "case/gb");
    EXPECT_EQ(b.fileList().rows(), std::vector<std::string>{"lower.gb"});
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(DirectoryListTest, OpeningARowEntersItsPath)
{
    tree.makeDirectory("games/gb/caf\xE9");
    RomBrowser& b = start();
    auto& list = b.directoryList();
    const std::string gb = tree / "games/gb";
    const auto depth = pathComponents(gb).size();  // index of the current row

    struct Case {
        std::string name;
        std::size_t row;
        std::string expected;
    };
    const Case cases[] = {
        {"first row", 0, "/"},
        {"ancestor", 1, "/" + pathComponents(gb)[0]},
        {"parent", depth - 1, tree / "games"},
        {"subdirectory", depth + 1, gb + "/caf\xE9"},  // "caf\xE9" sorts before "save"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.setDirectory(gb);
        changes.clear();
        list.openRow(c.row);
        EXPECT_EQ(list.directory(), c.expected);
        EXPECT_EQ(platform.currentDirectory(), c.expected);
        EXPECT_EQ(changes, std::vector<std::string>{c.expected});
    }

    list.setDirectory(gb);
    changes.clear();
    list.openRow(depth);  // the current row
    EXPECT_EQ(list.directory(), gb);
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryListTest, MovingTheSelectionOnlyMovesTheSelection)
{
    RomBrowser& b = start();
    b.directoryList().moveSelection(0);
    EXPECT_EQ(b.directoryList().selectedRow(), 0u);
    EXPECT_EQ(b.directoryList().directory(), tree.path());
    EXPECT_EQ(platform.currentDirectory(), tree.path());
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryListTest, ADirectoryThatVanishesBeforeTheFileListFollowsLeavesTheFileListAndOnChange)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "roms");
    changes.clear();
    tree.makeDirectory("doomed");
    // The list's repaint comes between its rebuild and the file list's move.
    b.directoryList().setObservers({{}, [&] { rmdir((tree / "doomed").c_str()); }, {}});

    try {
        b.directoryList().setDirectory(tree / "doomed");
        ADD_FAILURE() << "no failure";
    } catch (const EInOutError& failure) {
        EXPECT_EQ(failure.errorCode(), 2);
    }
    EXPECT_EQ(b.directoryList().directory(), tree / "doomed");
    EXPECT_EQ(b.fileList().directory(), tree / "roms");
    EXPECT_EQ(b.fileList().rows(), std::vector<std::string>{"zelda.gbc"});
    EXPECT_TRUE(changes.empty());
}

// Root passes every permission check, so the denied access is tried by an
// unprivileged child process.
TEST_F(DirectoryListTest, AnUnreadableDirectoryIsReportedAsDeniedAccess)
{
    tree.makeDirectory("locked/inner");
    ASSERT_EQ(chmod(tree.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod((tree / "locked").c_str(), 0700), 0);
    RomBrowser& b = start();

    auto attempt = [&]() -> int {
        try {
            b.directoryList().setDirectory(tree / "locked/inner");
        } catch (const EInOutError& failure) {
            if (b.directoryList().directory() != tree.path() || !changes.empty())
                return 90;
            return failure.errorCode();
        }
        return 91;
    };
    if (geteuid() != 0) {
        ASSERT_EQ(chmod((tree / "locked").c_str(), 0), 0);
        EXPECT_EQ(attempt(), 5);
        return;
    }
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(92);
        _exit(attempt());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 5);
}

}  // namespace
}  // namespace qmel
