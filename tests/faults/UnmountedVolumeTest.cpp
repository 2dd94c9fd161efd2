// A volume unmounted while the browser shows one of its directories, as when a
// stick is pulled: the browser reports the failures it documents, keeps what
// it showed, and the way out by the directory list still works.

#include "core/Errors.h"
#include "support/TempDir.h"
#include "tests/browser/RecordingFileEdit.h"
#include "support/ChildProcess.h"
#include "ui/browser/RomBrowser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::TempDir;

std::size_t rowOpening(DirectoryList& list, const std::string& path)
{
    for (std::size_t index = 0; index < list.rows().size(); ++index) {
        if (list.rowPath(index) == path)
            return index;
    }
    throw std::runtime_error("no row opens " + path);
}

// "failure | directory list | file list: rows | OnChange count | drive box"
class BrowserWatch {
public:
    BrowserWatch(RomBrowser& browser, const int& changes) : browser_(browser), changes_(changes) {}

    void step(const std::function<void()>& act)
    {
        std::string failure = "ok";
        try {
            act();
        } catch (const Failure& caught) {
            failure = caught.message();
        }
        std::string files = browser_.fileList().directory() + ":";
        for (const auto& row : browser_.fileList().rows())
            files += " " + row;
        seen.push_back(failure + " | " + browser_.directoryList().directory() + " | " + files + " | " +
                       std::to_string(changes_) + " | " + browser_.driveBox().drive().value_or("none"));
    }

    std::vector<std::string> seen;

private:
    RomBrowser& browser_;
    const int& changes_;
};

class UnmountedVolume : public testing::Test {
protected:
    UnmountedVolume() { tree.makeDirectory("vol"); }

    // Browses into the volume, unmounts it, then acts: what each step left.
    // The tmpfs lives in a mount namespace of the child's own; it goes with the child.
    std::vector<std::string> browseWhileItGoes()
    {
        const auto result = test::runInChild([&]() -> std::vector<std::string> {
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                mount("qmel-test", volume.c_str(), "tmpfs", 0, "size=64k") != 0)
                return {test::SkipMarker, "cannot mount a tmpfs here (needs CAP_SYS_ADMIN)"};
            tree.write("vol/roms/zelda.gbc", "rom");
            tree.makeDirectory("vol/roms/save");
            if (chdir(tree.path().c_str()) != 0)
                return {"cannot enter the tree"};

            test::RecordingFileEdit edit;
            RomBrowser browser(systemPlatform(), edit);
            int changes = 0;
            browser.setOnChange([&] { ++changes; });
            browser.createWindows();
            DirectoryList& list = browser.directoryList();
            BrowserWatch watch(browser, changes);

            watch.step([&] { list.setDirectory(roms); });
            // Lazily, as the system does with a volume that is gone: the browser's
            // current directory is on it, so a plain unmount would be refused.
            if (umount2(volume.c_str(), MNT_DETACH) != 0)
                return {std::string("cannot unmount: ") + std::strerror(errno)};
            watch.step([&] { browser.fileList().refresh(); });
            watch.step([&] { list.openRow(rowOpening(list, roms + "/save")); });
            watch.step([&] { list.openRow(rowOpening(list, roms)); });
            watch.step([&] { list.openRow(rowOpening(list, tree.path())); });
            // The mount point is a plain, empty directory again.
            watch.step([&] { list.openRow(rowOpening(list, volume)); });
            return watch.seen;
        });
        if (!result.exitedCleanly)
            ADD_FAILURE() << result.fields.at(0);
        return result.fields;
    }

    // Each step's columns but the last, the drive box's.
    static std::vector<std::string> withoutDrive(std::vector<std::string> steps)
    {
        for (auto& step : steps)
            step.erase(step.rfind(" | "));
        return steps;
    }
    static std::vector<std::string> drivesOnly(std::vector<std::string> steps)
    {
        for (auto& step : steps)
            step.erase(0, step.rfind(" | ") + 3);
        return steps;
    }

    TempDir tree;
    const std::string volume = tree / "vol";
    const std::string roms = volume + "/roms";
};

TEST_F(UnmountedVolume, FailsAsDocumentedWhereItWasAndLetsTheUserLeave)
{
    const auto steps = browseWhileItGoes();
    ASSERT_FALSE(steps.empty());
    if (steps.at(0) == test::SkipMarker)
        GTEST_SKIP() << steps.at(1);
    const std::vector<std::string> expected = {
        "ok | " + roms + " | " + roms + ": zelda.gbc | 1",
        // Where the volume was: "File not found", and everything stays.
        "File not found | " + roms + " | " + roms + ": zelda.gbc | 1",
        "File not found | " + roms + " | " + roms + ": zelda.gbc | 1",
        // The current row changes nothing.
        "ok | " + roms + " | " + roms + ": zelda.gbc | 1",
        "ok | " + tree.path() + " | " + tree.path() + ": | 2",
        "ok | " + volume + " | " + volume + ": | 3",
    };
    EXPECT_EQ(withoutDrive(steps), expected);
}

TEST_F(UnmountedVolume, DriveBoxFollowsTheListOffTheVolume)
{
    const auto steps = browseWhileItGoes();
    ASSERT_FALSE(steps.empty());
    if (steps.at(0) == test::SkipMarker)
        GTEST_SKIP() << steps.at(1);
    // Back on the volume that holds the tree, the box must not show the one that went.
    const std::string treeDrive = systemPlatform().volumeRootOf(tree.path());
    const std::vector<std::string> expected = {volume, volume, volume, volume, treeDrive, treeDrive};
    EXPECT_EQ(drivesOnly(steps), expected);
}

}  // namespace
}  // namespace qmel
