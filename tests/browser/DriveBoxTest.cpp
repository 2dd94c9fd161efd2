#include "core/Errors.h"
#include "tests/browser/BrowserFixture.h"

#include <cerrno>

namespace qmel {
namespace {

using test::BrowserFixture;

Volume volume(std::string root, VolumeKind kind, std::string label = {}, std::string networkName = {})
{
    Volume v;
    v.root = std::move(root);
    v.kind = kind;
    v.label = std::move(label);
    v.networkName = std::move(networkName);
    return v;
}

TEST(DriveRowText, ShowsEachKindOfVolume)
{
    struct Case {
        Volume volume;
        std::string text;
    };
    const Case cases[] = {
        {volume("/", VolumeKind::Fixed, "System"), "/ [system]"},
        {volume("/data", VolumeKind::Fixed), "/data []"},
        {volume("/media/Me/USB Stick", VolumeKind::Removable, "STICK"), "/media/Me/USB Stick"},
        {volume("/mnt/NAS", VolumeKind::Network, "x", "//Server/ROMS"), "/mnt/NAS //server/roms"},
        {volume("/mnt/share", VolumeKind::Network, "Share"), "/mnt/share [share]"},
        {volume("/media/cdrom", VolumeKind::CdRom), "/media/cdrom []"},
        {volume("/mnt/ram", VolumeKind::RamDisk, "Scratch"), "/mnt/ram [scratch]"},
        {volume("/mnt/caf\xC9", VolumeKind::Fixed, "\xC9T\xC9"), "/mnt/caf\xC9 [\xC9t\xC9]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DriveBox::rowText(c.volume), c.text);
    }
}

class DriveBoxTest : public BrowserFixture {
protected:
    DriveBoxTest()
    {
        tree.write("usb/game.gb", "rom");
        tree.write("nas/roms/net.gbc", "rom");
        tree.makeDirectory("cd/sub");
        startVolume = platform.volumeRootOf(tree.path());
        platform.shownVolumes = {
            volume(startVolume, VolumeKind::Fixed, "Root"),
            volume(tree / "usb", VolumeKind::Removable),
            volume(tree / "nas", VolumeKind::Network, "", "//server/roms"),
            volume(tree / "cd", VolumeKind::CdRom),
        };
        platform.enterErrors[tree / "cd"] = ENOMEDIUM;
    }

    static constexpr std::size_t startRow = 0, usbRow = 1, nasRow = 2, cdRow = 3;
    std::string startVolume;
};

TEST_F(DriveBoxTest, IsBuiltOnceFromTheVolumesWithTheStartVolumeSelected)
{
    RomBrowser& b = start();
    const auto& rows = b.driveBox().rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[usbRow].text, tree / "usb");
    EXPECT_EQ(rows[usbRow].kind, VolumeKind::Removable);
    EXPECT_EQ(rows[nasRow].text, tree / "nas" + " //server/roms");
    EXPECT_EQ(rows[cdRow].text, tree / "cd" + " []");
    EXPECT_EQ(b.driveBox().selectedRow(), startRow);
    EXPECT_EQ(b.driveBox().drive(), startVolume);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(b.directoryList().directory(), tree.path());
}

TEST_F(DriveBoxTest, ChoosingAnotherVolumeEntersIt)
{
    RomBrowser& b = start();
    b.driveBox().choose(nasRow);
    EXPECT_EQ(b.driveBox().selectedRow(), nasRow);
    EXPECT_EQ(platform.currentDirectory(), tree / "nas");
    EXPECT_EQ(b.directoryList().directory(), tree / "nas");
    EXPECT_EQ(b.directoryList().rows().back().name, "roms");
    EXPECT_EQ(b.fileList().directory(), tree / "nas");
    EXPECT_EQ(edit.text, "*.zip;*.gb;*.gbc");
    EXPECT_EQ(changes, std::vector<std::string>{tree / "nas"});

    changes.clear();
    b.driveBox().choose(nasRow);  // the volume selected already
    EXPECT_TRUE(changes.empty());
}

TEST_F(DriveBoxTest, SetDirectoryOnAnotherVolumeMovesTheBoxAndRaisesOnChangeOnce)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "nas/roms");
    EXPECT_EQ(b.driveBox().selectedRow(), nasRow);
    EXPECT_EQ(b.directoryList().directory(), tree / "nas/roms");
    EXPECT_EQ(b.fileList().rows(), std::vector<std::string>{"net.gbc"});
    EXPECT_EQ(changes, std::vector<std::string>{tree / "nas/roms"});
    EXPECT_FALSE(b.directoryList().driveChangeGuard());
}

TEST_F(DriveBoxTest, AVolumeThatCannotBeEnteredStaysShownAndChangesNothingElse)
{
    RomBrowser& b = start();
    b.directoryList().setDirectory(tree / "usb");
    b.fileList().select(0);
    changes.clear();

    try {
        b.driveBox().choose(cdRow);
        ADD_FAILURE() << "no failure";
    } catch (const EInOutError& failure) {
        EXPECT_EQ(failure.errorCode(), 21);
        EXPECT_EQ(failure.message(), "I/O error 21");
    }
    EXPECT_EQ(b.driveBox().selectedRow(), cdRow);
    EXPECT_EQ(b.directoryList().directory(), tree / "usb");
    EXPECT_EQ(platform.currentDirectory(), tree / "usb");
    EXPECT_EQ(b.fileList().rows(), std::vector<std::string>{"game.gb"});
    EXPECT_EQ(edit.text, "game.gb");

    EXPECT_NO_THROW(b.driveBox().choose(cdRow));  // selected already: nothing happens
    b.driveBox().choose(usbRow);                  // the list's own volume puts the box right
    EXPECT_EQ(b.driveBox().selectedRow(), usbRow);
    EXPECT_EQ(edit.text, "game.gb");
    EXPECT_TRUE(changes.empty());
    EXPECT_THROW(b.driveBox().choose(cdRow), EInOutError);  // after another volume: tried again
}

TEST_F(DriveBoxTest, SetDirectoryIntoAVolumeThatCannotBeEnteredLowersTheGuard)
{
    RomBrowser& b = start();
    EXPECT_THROW(b.directoryList().setDirectory(tree / "cd/sub"), EInOutError);
    EXPECT_FALSE(b.directoryList().driveChangeGuard());
    EXPECT_EQ(b.driveBox().selectedRow(), cdRow);
    EXPECT_EQ(b.directoryList().directory(), tree.path());
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace qmel
