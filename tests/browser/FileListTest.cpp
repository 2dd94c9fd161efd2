#include "tests/browser/BrowserFixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::BrowserFixture;

class FileListTest : public BrowserFixture {
protected:
    FileListTest()
    {
        for (const char* name : {"tetris.gb", "ROMS.ZIP", "Zelda.GBC", "notes.txt", ".game.gb"})
            tree.write(std::string("roms/") + name, "rom");
        tree.makeDirectory("roms/SAVE.GB");
    }

    FileList& startIn(const std::string& directory)
    {
        RomBrowser& b = start();
        b.directoryList().setDirectory(directory);
        return b.fileList();
    }
};

TEST_F(FileListTest, ListsTheMatchingFilesSortedWithoutHiddenFilesAndDirectories)
{
    FileList& files = startIn(tree / "roms");
    EXPECT_EQ(files.rows(), (std::vector<std::string>{"ROMS.ZIP", "tetris.gb", "Zelda.GBC"}));
    EXPECT_FALSE(files.selectedRow());
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
}

TEST_F(FileListTest, ListsOddNamesAndLinkedFilesButNoSystemEntries)
{
    for (const char* name : {"caf\xE9.gb", "new\nline.gb", "quo\"te.gb", "-dash.gb", "*star.gb", "a b.gbc"})
        tree.write(std::string("odd/") + name, "rom");
    ASSERT_EQ(symlink("a b.gbc", (tree / "odd/link.gb").c_str()), 0);
    ASSERT_EQ(symlink("nowhere.gb", (tree / "odd/broken.gb").c_str()), 0);
    ASSERT_EQ(symlink("loop.gb", (tree / "odd/loop.gb").c_str()), 0);
    ASSERT_EQ(mkfifo((tree / "odd/fifo.gb").c_str(), 0600), 0);
    tree.write("odd/readonly.gb", "rom");
    ASSERT_EQ(chmod((tree / "odd/readonly.gb").c_str(), 0444), 0);

    FileList& files = startIn(tree / "odd");
    EXPECT_EQ(files.rows(), (std::vector<std::string>{"*star.gb", "-dash.gb", "a b.gbc", "caf\xE9.gb", "link.gb",
                                                      "new\nline.gb", "quo\"te.gb", "readonly.gb"}));
}

TEST_F(FileListTest, EachMaskPieceIsSearchedAsWritten)
{
    struct Case {
        std::string mask;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"*.gb;tetris.*", {"tetris.gb", "tetris.gb"}},  // a file matching two pieces is listed twice
        {"*.GBC;*.zip", {"ROMS.ZIP", "Zelda.GBC"}},       // the order of the pieces does not show
        {" *.gb", {}},                                    // blanks belong to the pattern
        {";;", {}},                                       // empty pieces find nothing
        {"*.*", {"notes.txt", "ROMS.ZIP", "tetris.gb", "Zelda.GBC"}},
        {"t?tris.gb", {"tetris.gb"}},
    };
    FileList& files = startIn(tree / "roms");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        const int listingsBefore = platform.listings;
        files.setMask(c.mask);
        EXPECT_EQ(files.rows(), c.rows);
        EXPECT_EQ(platform.listings, listingsBefore + 1);  // one read, whatever the pieces
        EXPECT_EQ(edit.text, c.mask);
    }
}

TEST_F(FileListTest, AnEmptyDirectoryListsNothingAndShowsTheMask)
{
    tree.makeDirectory("empty");
    FileList& files = startIn(tree / "empty");
    EXPECT_TRUE(files.rows().empty());
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
}

TEST_F(FileListTest, TheSelectionReportKeepsTextTypedSinceTheRowLastReported)
{
    FileList& files = startIn(tree / "roms");
    const std::size_t tetris = 1, zelda = 2;

    files.select(tetris);
    EXPECT_EQ(edit.text, "tetris.gb");
    EXPECT_EQ(files.lastReportedRow(), tetris);

    edit.type("TEST.GB");
    files.select(tetris);
    EXPECT_EQ(edit.text, "TEST.GB");

    files.select(zelda);
    EXPECT_EQ(edit.text, "Zelda.GBC");
    files.select(tetris);
    EXPECT_EQ(edit.text, "tetris.gb");
    EXPECT_EQ(platform.currentDirectory(), tree / "roms");
}

TEST_F(FileListTest, SelectingReadsNothingFromTheDisk)
{
    FileList& files = startIn(tree / "roms");
    const int listingsBefore = platform.listings;
    files.select(0);
    files.select(2);
    files.doubleClick(1);
    EXPECT_EQ(platform.listings, listingsBefore);
}

TEST_F(FileListTest, ADoubleClickReportsTheRowThenRunsTheHandlerOnce)
{
    FileList& files = startIn(tree / "roms");
    files.select(0);
    files.doubleClick(2);
    EXPECT_EQ(doubleClickEdits, std::vector<std::string>{"Zelda.GBC"});

    // On the row already reported, typed text stays and goes to the handler.
    edit.type("typed.gb");
    files.doubleClick(2);
    EXPECT_EQ(doubleClickEdits, (std::vector<std::string>{"Zelda.GBC", "typed.gb"}));
}

TEST_F(FileListTest, NamesThatAreNotUtf8ReachTheEditWithTheirExactBytes)
{
    tree.write("odd/caf\xE9.gb", "rom");
    FileList& files = startIn(tree / "odd");
    files.doubleClick(0);
    EXPECT_EQ(edit.text, "caf\xE9.gb");
    EXPECT_EQ(doubleClickEdits, std::vector<std::string>{"caf\xE9.gb"});
}

TEST_F(FileListTest, ARefreshAfterAChangeOfDirectoryShowsTheMaskAgain)
{
    tree.write("more/pokemon.gb", "rom");
    FileList& files = startIn(tree / "roms");
    files.select(1);
    browser().directoryList().setDirectory(tree / "more");
    EXPECT_EQ(files.rows(), std::vector<std::string>{"pokemon.gb"});
    EXPECT_FALSE(files.selectedRow());
    EXPECT_FALSE(files.lastReportedRow());
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
}

TEST_F(FileListTest, FollowingTheDirectoryShownAgainReadsNothing)
{
    FileList& files = startIn(tree / "roms");
    const int listingsBefore = platform.listings;
    files.directoryChange(tree / "roms");
    EXPECT_EQ(platform.listings, listingsBefore);
}

TEST_F(FileListTest, NothingIsListedBeforeTheWindowExists)
{
    tree.write("here.gb", "rom");
    FileList files(platform, edit);
    EXPECT_TRUE(files.rows().empty());
    EXPECT_EQ(platform.listings, 0);
    files.createWindow();
    EXPECT_EQ(files.rows(), std::vector<std::string>{"here.gb"});
}

}  // namespace
}  // namespace qmel
