// The emulator and mail starts: the command lines as text, and real starts of
// the recorder standing in for dboy.exe and xdg-open.

#include "FakeWindow.h"

#include "core/Launches.h"
#include "support/Recorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace qmel {
namespace {

using test::FakeWindow;
using test::TempDir;
using Strings = std::vector<std::string>;

TEST(EmulatorCommandLine, FivePiecesJoinedUnchanged)
{
    struct Case {
        std::string emulatorDir;
        std::string file;
        std::string commandLine;
    };
    const Case cases[] = {
        {"/c/DBOY", "TETRIS.GB", "/c/DBOY/dboy.exe -verbose 0 \"TETRIS.GB\""},
        {"/c/DBOY", "*.zip;*.gb;*.gbc", "/c/DBOY/dboy.exe -verbose 0 \"*.zip;*.gb;*.gbc\""},
        {"/c/DBOY", "", "/c/DBOY/dboy.exe -verbose 0 \"\""},
        {"", "TETRIS.GB", "/dboy.exe -verbose 0 \"TETRIS.GB\""},
        {"/", "TETRIS.GB", "//dboy.exe -verbose 0 \"TETRIS.GB\""},
        {"/c/DBOY/", "TETRIS.GB", "/c/DBOY//dboy.exe -verbose 0 \"TETRIS.GB\""},
        {"/c/DBOY\r\n", "TETRIS.GB", "/c/DBOY\r\n/dboy.exe -verbose 0 \"TETRIS.GB\""},
        {"/c/PROGRAM FILES/DBOY", "MY GAME.GB", "/c/PROGRAM FILES/DBOY/dboy.exe -verbose 0 \"MY GAME.GB\""},
        {"/c/DBOY", "say \"hi\".gb", "/c/DBOY/dboy.exe -verbose 0 \"say \"hi\".gb\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(emulatorCommandLine(c.emulatorDir, c.file), c.commandLine);
    EXPECT_EQ(emulatorCommandLine("/c/DBOY", "TETRIS.GB").size(), 39u);
}

TEST(EmulatorStart, ProgramPathExactAndFileAsOneArgument)
{
    const ProgramStart start = emulatorStart("/c/PROGRAM FILES/DBOY\r\n", "a \"b\" c");
    EXPECT_EQ(start.program, "/c/PROGRAM FILES/DBOY\r\n/dboy.exe");
    EXPECT_EQ(start.arguments, (Strings{"-verbose", "0", "a \"b\" c"}));
    EXPECT_FALSE(start.searchPath);
}

// Sets an environment variable for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            previous_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

class EmulatorStartClick : public testing::Test {
protected:
    EmulatorStartClick()
    {
        dir.makeDirectory("emu dir");
        dir.makeDirectory("roms");
        test::installRecorder(emulatorDir + "/dboy.exe");
        state.EmulatorDir = emulatorDir;
        inRoms.emplace(dir / "roms");
    }

    // A fresh directory for the records of one start.
    std::string newRecordDirectory()
    {
        const std::string records = dir / ("records" + std::to_string(++recordDirectories));
        dir.makeDirectory("records" + std::to_string(recordDirectories));
        return records;
    }

    TempDir dir;
    const std::string emulatorDir = dir / "emu dir";
    std::optional<test::ScopedCurrentDirectory> inRoms;
    FakeWindow window{systemPlatform()};
    LauncherState state;
    int recordDirectories = 0;
};

TEST_F(EmulatorStartClick, FileNameReachesTheEmulatorAsOneUnchangedArgument)
{
    const std::string fileNames[] = {
        "TETRIS.GB",
        "*.zip;*.gb;*.gbc",
        "",
        "my game (v1).gb",
        "say \"hi\".gb",
        "'single' \\back\\slash",
        "a;b.gb && echo x",
        "$(touch pwned) `id` $HOME",
        "line\nbreak\r\n.gb",
        "-verbose",
        "--help",
        "\xff\xfe\x80 not utf-8.gb",
        "  blanks around  ",
    };
    for (const auto& fileName : fileNames) {
        SCOPED_TRACE(fileName);
        const std::string records = newRecordDirectory();
        ScopedEnvironment recordTo("QMEL_RECORDER_DIR", records);
        window.edit = fileName;
        window.statusTexts.clear();
        StartClick(state, window, systemPlatform());
        EXPECT_EQ(window.statusTexts, (Strings{"...Loading...", "...Ready..."}));
        EXPECT_EQ(state.CommandLine, emulatorDir + "/dboy.exe -verbose 0 \"" + fileName + "\"");
        const auto started = test::waitForRecords(records, 1);
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].workingDirectory, dir / "roms");
        EXPECT_EQ(started[0].arguments, (Strings{emulatorDir + "/dboy.exe", "-verbose", "0", fileName}));
    }
    EXPECT_EQ(test::listNames(dir / "roms"), Strings{});
}

TEST_F(EmulatorStartClick, UsesEmulatorDirNotTheEditedMemo)
{
    const std::string records = newRecordDirectory();
    ScopedEnvironment recordTo("QMEL_RECORDER_DIR", records);
    window.memo1 = dir / "elsewhere";
    window.edit = "TETRIS.GB";
    StartClick(state, window, systemPlatform());
    const auto started = test::waitForRecords(records, 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].arguments.at(0), emulatorDir + "/dboy.exe");
}

TEST_F(EmulatorStartClick, EachStartStartsOneMoreEmulator)
{
    const std::string records = newRecordDirectory();
    ScopedEnvironment recordTo("QMEL_RECORDER_DIR", records);
    window.edit = "TETRIS.GB";
    StartClick(state, window, systemPlatform());
    StartClick(state, window, systemPlatform());
    const auto started = test::waitForRecords(records, 2);
    ASSERT_EQ(started.size(), 2u);
    for (const auto& start : started)
        EXPECT_EQ(start.arguments, (Strings{emulatorDir + "/dboy.exe", "-verbose", "0", "TETRIS.GB"}));
    EXPECT_EQ(window.statusTexts, (Strings{"...Loading...", "...Ready...", "...Loading...", "...Ready..."}));
}

TEST_F(EmulatorStartClick, MissingEmulatorIsSilent)
{
    const std::string emptyDirs[] = {dir / "nothing here", dir / "roms", dir.path() + "\r\n"};
    for (const auto& emptyDir : emptyDirs) {
        SCOPED_TRACE(emptyDir);
        state.EmulatorDir = emptyDir;
        window.edit = "TETRIS.GB";
        window.statusTexts.clear();
        EXPECT_NO_THROW(StartClick(state, window, systemPlatform()));
        EXPECT_EQ(window.statusTexts, (Strings{"...Loading...", "...Ready..."}));
        EXPECT_EQ(state.CommandLine, emptyDir + "/dboy.exe -verbose 0 \"TETRIS.GB\"");
    }
}

TEST(MailToMe, StartsTheMailHandlerWithTheAuthorsAddress)
{
    TempDir dir;
    dir.makeDirectory("bin");
    dir.makeDirectory("records");
    test::installRecorder(dir / "bin/xdg-open");
    ScopedEnvironment path("PATH", dir / "bin");
    ScopedEnvironment recordTo("QMEL_RECORDER_DIR", dir / "records");
    test::ScopedCurrentDirectory inDir(dir.path());
    MailToMeClick(systemPlatform());
    const auto started = test::waitForRecords(dir / "records", 1);
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(started[0].arguments.size(), 2u);
    EXPECT_EQ(started[0].arguments[1], "mailto:tavik@example.org");
    EXPECT_EQ(started[0].workingDirectory, dir.path());
}

TEST(MailToMe, NoMailHandlerIsSilent)
{
    TempDir dir;
    ScopedEnvironment path("PATH", dir.path());
    EXPECT_NO_THROW(MailToMeClick(systemPlatform()));
}

}  // namespace
}  // namespace qmel
