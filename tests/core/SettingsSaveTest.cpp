// The settings save (SaveConfig) on real files, and load and save together.

#include "support/ChildProcess.h"
#include "FakeWindow.h"

#include "core/Errors.h"
#include "core/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel {
namespace {

using namespace std::string_literals;
using test::FakeWindow;
using test::listNames;
using test::readBytes;
using test::TempDir;
using Names = std::vector<std::string>;

// The message of the failure that ended the save, or "".
std::string save(LauncherState& state, const LauncherWindow& window)
{
    try {
        SaveConfig(state, window, systemPlatform());
    } catch (const Failure& failure) {
        return failure.message();
    }
    return "";
}

class SettingsSave : public testing::Test {
protected:
    TempDir dir;
    FakeWindow window{systemPlatform()};
    LauncherState state;
};

TEST_F(SettingsSave, WritesBothMemosByteForByteIntoEmulatorDir)
{
    struct Case {
        std::string emulatorDir;
        std::string memo1;
        std::string memo2;
    };
    const Case cases[] = {
        {dir.path(), "/c/DBOY", "/roms"},
        {dir.path(), "", ""},
        {dir.path(), "/d\xff\xfe oy\r\nsecond line\r\n", "a\0b"s},
        {dir.path() + "/", "/c/DBOY", "/roms"},  // "//" stays in the names
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.emulatorDir);
        state.EmulatorDir = c.emulatorDir;
        window.memo1 = c.memo1;
        window.memo2 = c.memo2;
        EXPECT_EQ(save(state, window), "");
        EXPECT_EQ(state.PathFileName, c.emulatorDir + "/QMel_DBoyPath.ini");
        EXPECT_EQ(state.RomsFileName, c.emulatorDir + "/Qmel_DBoyRoms.ini");
        EXPECT_EQ(listNames(dir.path()), (Names{"QMel_DBoyPath.ini", "Qmel_DBoyRoms.ini"}));
        EXPECT_EQ(readBytes(dir / "QMel_DBoyPath.ini"), c.memo1);
        EXPECT_EQ(readBytes(dir / "Qmel_DBoyRoms.ini"), c.memo2);
    }
}

TEST_F(SettingsSave, ReplacesACaseVariantKeepingItsName)
{
    dir.write("QMel_DBoyRoms.ini", "/old/roms");
    dir.write("qmel_dboypath.ini", "/old/emu");
    state.EmulatorDir = dir.path();
    window.memo1 = "/new/emu";
    window.memo2 = "/new/roms";
    EXPECT_EQ(save(state, window), "");
    EXPECT_EQ(listNames(dir.path()), (Names{"QMel_DBoyRoms.ini", "qmel_dboypath.ini"}));
    EXPECT_EQ(readBytes(dir / "qmel_dboypath.ini"), "/new/emu");
    EXPECT_EQ(readBytes(dir / "QMel_DBoyRoms.ini"), "/new/roms");
    EXPECT_EQ(state.RomsFileName, dir / "Qmel_DBoyRoms.ini");
}

TEST_F(SettingsSave, PathFileThatCannotBeCreatedStopsBeforeWriting)
{
    dir.makeDirectory("with path dir");
    dir.makeDirectory("with path dir/QMel_DBoyPath.ini");
    const std::string emulatorDirs[] = {
        dir / "missing",
        dir.path() + "\r\n",  // from a path file ending with a line break
        dir / "with path dir",  // a directory has the path file's name
    };
    for (const auto& emulatorDir : emulatorDirs) {
        SCOPED_TRACE(emulatorDir);
        state.EmulatorDir = emulatorDir;
        window.memo1 = "/emu";
        window.memo2 = "/roms";
        EXPECT_EQ(save(state, window), "Cannot create file " + emulatorDir + "/QMel_DBoyPath.ini");
        EXPECT_EQ(state.RomsFileName, emulatorDir + "/Qmel_DBoyRoms.ini");
        EXPECT_EQ(listNames(dir.path()), (Names{"with path dir"}));
        EXPECT_EQ(listNames(dir / "with path dir"), (Names{"QMel_DBoyPath.ini"}));
        EXPECT_FALSE(test::pathExists(emulatorDir + "/Qmel_DBoyRoms.ini"));
    }
}

TEST_F(SettingsSave, RomsFileThatCannotBeCreatedKeepsThePathFileWritten)
{
    // A directory in the way, under the name written and under a case variant.
    const char* const blockers[] = {"Qmel_DBoyRoms.ini", "QMel_DBoyRoms.ini"};
    for (const char* blocker : blockers) {
        SCOPED_TRACE(blocker);
        TempDir target;
        target.makeDirectory(blocker);
        state.EmulatorDir = target.path();
        window.memo1 = "/emu";
        window.memo2 = "/roms";
        EXPECT_EQ(save(state, window), "Cannot create file " + target / "Qmel_DBoyRoms.ini");
        EXPECT_EQ(readBytes(target / "QMel_DBoyPath.ini"), "/emu");
        EXPECT_EQ(listNames(target.path()), (Names{"QMel_DBoyPath.ini", blocker}));
    }
}

TEST_F(SettingsSave, DirectoryWithoutWritePermissionCannotTakeTheFiles)
{
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    dir.write("QMel_DBoyPath.ini", "/old");
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    state.EmulatorDir = dir.path();
    window.memo1 = "/new";
    const auto result = test::runInChild([&]() -> std::vector<std::string> {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return {test::SkipMarker, "cannot become user 65534"};
        if (access(dir.path().c_str(), W_OK) == 0)
            return {test::SkipMarker, "this user can write into a read-only directory"};
        return {save(state, window)};
    });
    ASSERT_TRUE(result.exitedCleanly) << result.fields.at(0);
    if (result.fields.at(0) == test::SkipMarker)
        GTEST_SKIP() << result.fields.at(1);
    EXPECT_EQ(result.fields.at(0), "Cannot create file " + dir / "QMel_DBoyPath.ini");
    EXPECT_EQ(readBytes(dir / "QMel_DBoyPath.ini"), "/old");
    EXPECT_EQ(listNames(dir.path()), (Names{"QMel_DBoyPath.ini"}));
}

TEST_F(SettingsSave, ShortWriteFailsAndKeepsTheOldFile)
{
    // The child may write at most 100 bytes per file, so a longer memo is cut short.
    struct Case {
        std::string memo1;
        std::string memo2;
        const char* oldFile;
        const char* newFile;  // written before the failure, or nullptr
    };
    const Case cases[] = {
        {std::string(1000, 'p'), "/roms", "QMel_DBoyPath.ini", nullptr},
        {"/emu", std::string(1000, 'r'), "Qmel_DBoyRoms.ini", "QMel_DBoyPath.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oldFile);
        TempDir target;
        target.write(c.oldFile, "old bytes");
        state.EmulatorDir = target.path();
        window.memo1 = c.memo1;
        window.memo2 = c.memo2;
        const auto result = test::runInChild([&]() -> std::vector<std::string> {
            const rlimit limit{100, RLIM_INFINITY};
            if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return {"cannot limit the file size"};
            return {save(state, window)};
        });
        ASSERT_TRUE(result.exitedCleanly) << result.fields.at(0);
        EXPECT_EQ(result.fields.at(0), "Stream write error");
        EXPECT_EQ(readBytes(target / c.oldFile), "old bytes");
        Names expected{c.oldFile};
        if (c.newFile) {
            expected.insert(expected.begin(), c.newFile);
            EXPECT_EQ(readBytes(target / c.newFile), "/emu");
        }
        EXPECT_EQ(listNames(target.path()), expected);
    }
}

TEST_F(SettingsSave, FullDiskFailsAndKeepsTheOldFile)
{
    dir.makeDirectory("small");
    state.EmulatorDir = dir / "small";
    window.memo1 = std::string(1 << 20, 'x');
    // A small tmpfs in a mount namespace of the child's own; it goes with the child.
    const auto result = test::runInChild([&]() -> std::vector<std::string> {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("qmel-test", state.EmulatorDir.c_str(), "tmpfs", 0, "size=64k") != 0)
            return {test::SkipMarker, "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN)"};
        const std::string oldFile = state.EmulatorDir + "/QMel_DBoyPath.ini";
        if (FILE* out = std::fopen(oldFile.c_str(), "wb")) {
            std::fputs("old bytes", out);
            std::fclose(out);
        }
        const std::string message = save(state, window);
        std::string names;
        for (const auto& name : listNames(state.EmulatorDir))
            names += name + ";";
        return {message, readBytes(oldFile), names};
    });
    ASSERT_TRUE(result.exitedCleanly) << result.fields.at(0);
    if (result.fields.at(0) == test::SkipMarker)
        GTEST_SKIP() << result.fields.at(1);
    EXPECT_EQ(result.fields, (Names{"Stream write error", "old bytes", "QMel_DBoyPath.ini;"}));
}

TEST_F(SettingsSave, EmptyEmulatorDirWritesAtTheRoot)
{
    // The root is the temporary directory: the save runs in a child that
    // changed its root there, so the real root is never touched.
    const std::string emulatorDirs[] = {"", "/"};
    for (const auto& emulatorDir : emulatorDirs) {
        SCOPED_TRACE(emulatorDir);
        TempDir root;
        state.EmulatorDir = emulatorDir;
        window.memo1 = "";
        window.memo2 = "/roms";
        const auto result = test::runInChild([&]() -> std::vector<std::string> {
            if (chroot(root.path().c_str()) != 0 || chdir("/") != 0)
                return {test::SkipMarker, "cannot change the root directory (needs CAP_SYS_CHROOT)"};
            const std::string message = save(state, window);
            return {message, state.PathFileName, state.RomsFileName};
        });
        ASSERT_TRUE(result.exitedCleanly) << result.fields.at(0);
        if (result.fields.at(0) == test::SkipMarker)
            GTEST_SKIP() << result.fields.at(1);
        EXPECT_EQ(result.fields,
                  (Names{"", emulatorDir + "/QMel_DBoyPath.ini", emulatorDir + "/Qmel_DBoyRoms.ini"}));
        EXPECT_EQ(listNames(root.path()), (Names{"QMel_DBoyPath.ini", "Qmel_DBoyRoms.ini"}));
        EXPECT_EQ(readBytes(root / "QMel_DBoyPath.ini"), "");
        EXPECT_EQ(readBytes(root / "Qmel_DBoyRoms.ini"), "/roms");
    }
}

// Load and save together, as in one run of the program.
class SettingsRun : public testing::Test {
protected:
    // One run started in startup: the load, then the save. Returns the save's failure.
    std::string run(const std::string& startupDirectory)
    {
        test::ScopedCurrentDirectory inStartup(startupDirectory);
        FakeWindow window(systemPlatform());
        state = {};
        qmel::Test(state, window, systemPlatform());
        memo2 = window.memo2;
        return save(state, window);
    }

    TempDir startup;
    LauncherState state;
    std::string memo2;
};

TEST_F(SettingsRun, WhatTheLoadReadTheSaveWritesBackUnchanged)
{
    const std::string romsDirectory = startup / "roms \xff\xfe \"dir\"";
    startup.makeDirectory("roms \xff\xfe \"dir\"");
    startup.write("QMel_DBoyPath.ini", startup.path());
    startup.write("QMel_DBoyRoms.ini", romsDirectory);
    EXPECT_EQ(run(startup.path()), "");
    EXPECT_EQ(memo2, romsDirectory);
    EXPECT_EQ(listNames(startup.path()), (Names{"QMel_DBoyPath.ini", "QMel_DBoyRoms.ini", "roms \xff\xfe \"dir\""}));
    EXPECT_EQ(readBytes(startup / "QMel_DBoyPath.ini"), startup.path());
    EXPECT_EQ(readBytes(startup / "QMel_DBoyRoms.ini"), romsDirectory);
}

TEST_F(SettingsRun, FirstRunCreatesBothFilesInTheStartupDirectory)
{
    EXPECT_EQ(run(startup.path()), "");
    EXPECT_EQ(readBytes(startup / "QMel_DBoyPath.ini"), startup.path());
    EXPECT_EQ(readBytes(startup / "Qmel_DBoyRoms.ini"), "");
    // The next run reads what this one wrote.
    EXPECT_EQ(run(startup.path()), "");
    EXPECT_EQ(state.EmulatorDir, startup.path());
}

TEST_F(SettingsRun, LfOnlyPathFileIsWrittenBackWithCrLf)
{
    // A directory whose name holds the line break, so that the save succeeds.
    startup.makeDirectory("a\r\nb");
    startup.write("QMel_DBoyPath.ini", startup / "a\nb");
    EXPECT_EQ(run(startup.path()), "");
    EXPECT_EQ(state.EmulatorDir, startup / "a\r\nb");
    EXPECT_EQ(readBytes(startup / "a\r\nb/QMel_DBoyPath.ini"), startup / "a\r\nb");
    EXPECT_EQ(readBytes(startup / "QMel_DBoyPath.ini"), startup / "a\nb");
}

TEST_F(SettingsRun, PathFileEndingWithALineBreakMakesEverySaveFail)
{
    startup.write("QMel_DBoyPath.ini", startup.path() + "\n");
    const std::string expected = "Cannot create file " + startup.path() + "\r\n/QMel_DBoyPath.ini";
    EXPECT_EQ(run(startup.path()), expected);
    FakeWindow window(systemPlatform());
    EXPECT_EQ(save(state, window), expected);
    EXPECT_EQ(listNames(startup.path()), (Names{"QMel_DBoyPath.ini"}));
}

TEST_F(SettingsRun, PathFileDatedBefore1980IsIgnoredAndOverwritten)
{
    startup.write("QMel_DBoyPath.ini", "/old/emu");
    std::tm local{};
    local.tm_year = 79;
    local.tm_mon = 11;
    local.tm_mday = 31;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (startup / "QMel_DBoyPath.ini").c_str(), times, 0), 0);
    EXPECT_EQ(run(startup.path()), "");
    EXPECT_EQ(state.EmulatorDir, startup.path());
    EXPECT_EQ(readBytes(startup / "QMel_DBoyPath.ini"), startup.path());
}

TEST_F(SettingsRun, DirectoryNamedLikeThePathFileMakesTheSaveFail)
{
    startup.makeDirectory("QMel_DBoyPath.ini");
    EXPECT_EQ(run(startup.path()), "Cannot create file " + startup / "QMel_DBoyPath.ini");
    EXPECT_EQ(state.EmulatorDir, startup.path());
    EXPECT_EQ(listNames(startup.path()), (Names{"QMel_DBoyPath.ini"}));
}

}  // namespace
}  // namespace qmel
