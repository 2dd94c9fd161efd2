// A settings file that is no file: a FIFO, a device, a symbolic-link loop.
// One run, load then save, as the program makes it in its start-up directory:
// the load takes such a name as missing and never blocks on it; the save
// refuses to put a file in its place; everything else survives byte for byte.

#include "core/Errors.h"
#include "core/Settings.h"
#include "support/TempDir.h"
#include "tests/core/FakeWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::TempDir;

enum class Impostor { Fifo, LinkLoop, Device, LinkToDevice };

const char* describe(Impostor kind)
{
    switch (kind) {
    case Impostor::Fifo: return "FIFO";
    case Impostor::LinkLoop: return "symbolic-link loop";
    case Impostor::Device: return "device";
    case Impostor::LinkToDevice: return "link to a device";
    }
    return "";
}

// Creates it under name; false when the machine does not allow it.
bool makeImpostor(const TempDir& dir, const std::string& name, Impostor kind)
{
    const std::string path = dir / name;
    // Never the machine's own devices: a save that went wrong would replace them.
    // This one reads like /dev/zero, endlessly, should anything try.
    const auto makeDevice = [](const std::string& at) {
        return mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    };
    switch (kind) {
    case Impostor::Fifo: return mkfifo(path.c_str(), 0666) == 0;
    case Impostor::LinkLoop:
        return symlink("loop", path.c_str()) == 0 && symlink(name.c_str(), (dir / "loop").c_str()) == 0;
    case Impostor::Device: return makeDevice(path);
    case Impostor::LinkToDevice: return makeDevice(dir / "zero") && symlink("zero", path.c_str()) == 0;
    }
    return false;
}

// What each entry of a directory is, without opening any of them.
std::map<std::string, std::string> snapshot(const TempDir& dir)
{
    std::map<std::string, std::string> entries;
    for (const auto& name : test::listNames(dir.path())) {
        struct stat st;
        const std::string path = dir / name;
        std::string& what = entries[name];
        if (lstat(path.c_str(), &st) != 0) {
            what = "gone";
        } else if (S_ISLNK(st.st_mode)) {
            char target[4096] = {};
            what = "link to " + std::string(target, readlink(path.c_str(), target, sizeof target - 1));
        } else if (S_ISREG(st.st_mode)) {
            what = "file: " + test::readBytes(path);
        } else if (S_ISCHR(st.st_mode)) {
            what = "device " + std::to_string(major(st.st_rdev)) + "," + std::to_string(minor(st.st_rdev));
        } else {
            what = S_ISFIFO(st.st_mode) ? "fifo" : S_ISDIR(st.st_mode) ? "directory" : "other";
        }
    }
    return entries;
}

void runWithImpostors(const std::vector<Impostor>& kinds)
{
    for (const Impostor kind : kinds) {
        for (const bool asPathFile : {true, false}) {
            SCOPED_TRACE(std::string(describe(kind)) + (asPathFile ? " as the path file" : " as the ROM file"));
            TempDir startup;
            startup.makeDirectory("roms");
            if (asPathFile)
                startup.write(RomsFileReadName, startup / "roms");
            else
                startup.write(PathFileReadName, startup.path());
            if (!makeImpostor(startup, asPathFile ? PathFileReadName : RomsFileReadName, kind))
                GTEST_SKIP() << "cannot make a " << describe(kind) << " here";
            const auto before = snapshot(startup);

            test::ScopedCurrentDirectory inStartup(startup.path());
            Platform& platform = systemPlatform();
            test::FakeWindow window(platform);
            LauncherState state;
            qmel::Test(state, window, platform);
            EXPECT_EQ(state.EmulatorDir, startup.path());
            if (asPathFile) {
                EXPECT_EQ(window.memo2, startup / "roms");
            } else {
                EXPECT_EQ(window.memo2, "");
                EXPECT_TRUE(window.directoryRequests.empty());
            }

            std::string failure;
            try {
                SaveConfig(state, window, platform);
            } catch (const Failure& caught) {
                failure = caught.message();
            }
            // The ROM file's name as the save writes it.
            EXPECT_EQ(failure, "Cannot create file " + startup / (asPathFile ? "QMel_DBoyPath.ini" : "Qmel_DBoyRoms.ini"));
            EXPECT_EQ(snapshot(startup), before);
        }
    }
}

TEST(SettingsImpostor, FifoOrLinkLoopIsSkippedByTheLoadAndLeftAloneByTheSave)
{
    runWithImpostors({Impostor::Fifo, Impostor::LinkLoop});
}

TEST(SettingsImpostor, DeviceIsSkippedByTheLoadAndLeftAloneByTheSave)
{
    runWithImpostors({Impostor::Device, Impostor::LinkToDevice});
}

}  // namespace
}  // namespace qmel
