#include "platform/posix/PosixPlatform.h"
#include "support/Recorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>

namespace qmel {
namespace {

using test::RecordedStart;
using test::ScopedCurrentDirectory;
using test::TempDir;

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
            hadValue_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (hadValue_)
            setenv(name_, previous_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string previous_;
    bool hadValue_ = false;
};

bool leftNoChild()
{
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class StartDetached : public ::testing::Test {
protected:
    TempDir dir;
    std::string records = dir / "records";
    ScopedEnvironment recorderDirectory{"QMEL_RECORDER_DIR", records};

    void SetUp() override { dir.makeDirectory("records"); }
};

TEST_F(StartDetached, PassesEveryArgumentUnchangedInTheCurrentDirectory)
{
    dir.makeDirectory("emu dir");
    dir.makeDirectory("roms \"x\"");
    const std::string program = dir / "emu dir/dboy.exe";
    test::installRecorder(program);
    const std::vector<std::string> arguments = {
        "-verbose", "0", "my game.gb", "say \"hi\".gb", "it's.gb", "$(touch pwned).gb", "a;touch pwned",
        "line\nbreak.gb", "-dash.gb", "caf\xE9.gb", "back\\slash", "", "*.gb", "`id`"};

    ScopedCurrentDirectory inRoms(dir / "roms \"x\"");
    PosixPlatform platform;
    platform.startDetached(program, arguments, false);

    const std::vector<RecordedStart> started = test::waitForRecords(records, 1);
    ASSERT_EQ(started.size(), 1u);
    std::vector<std::string> expected = {program};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(started[0].arguments, expected);
    EXPECT_EQ(started[0].workingDirectory, dir / "roms \"x\"");
    EXPECT_TRUE(leftNoChild()) << "the start left a child to reap";
    EXPECT_EQ(test::listNames(dir / "roms \"x\""), std::vector<std::string>{}) << "a shell ran";
}

TEST_F(StartDetached, ReturnsWhileTheProgramStillRuns)
{
    // cat blocks on the FIFO until we open it for writing; a start that
    // waited for the program would never come back.
    const std::string fifo = dir / "gate";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    PosixPlatform platform;
    platform.startDetached("cat", {fifo}, true);
    EXPECT_TRUE(leftNoChild());

    int writer = -1;
    for (int tries = 0; tries < 500 && writer < 0; ++tries) {
        writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_GE(writer, 0) << "the program never opened the FIFO";
    close(writer);  // end of file: cat ends
}

TEST_F(StartDetached, LooksTheProgramUpOnThePathWhenAsked)
{
    // A file of that name that may not be run is passed over.
    dir.write("noexec/qmel-recorder", "#!/bin/sh\n");
    ASSERT_EQ(chmod((dir / "noexec/qmel-recorder").c_str(), 0644), 0);
    dir.makeDirectory("bin");
    test::installRecorder(dir / "bin/qmel-recorder");
    ScopedEnvironment path("PATH", dir / "missing:" + dir / "noexec:" + dir / "bin");
    PosixPlatform platform;
    platform.startDetached("qmel-recorder", {"mailto:someone@example.org"}, true);

    const std::vector<RecordedStart> started = test::waitForRecords(records, 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].arguments, (std::vector<std::string>{"qmel-recorder", "mailto:someone@example.org"}));
    EXPECT_TRUE(leftNoChild());
}

TEST_F(StartDetached, AFailedStartIsSilent)
{
    ScopedEnvironment path("PATH", dir / "empty");
    PosixPlatform platform;
    platform.startDetached(dir / "no such program", {"x"}, false);
    platform.startDetached("no-such-program", {"x"}, true);
    platform.startDetached(dir / "records", {"x"}, false);  // a directory
    EXPECT_TRUE(leftNoChild());

    // A start after them still works, and is the only one recorded.
    test::installRecorder(dir / "dboy.exe");
    platform.startDetached(dir / "dboy.exe", {"after"}, false);
    const std::vector<RecordedStart> started = test::waitForRecords(records, 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].arguments, (std::vector<std::string>{dir / "dboy.exe", "after"}));
}

}  // namespace
}  // namespace qmel
