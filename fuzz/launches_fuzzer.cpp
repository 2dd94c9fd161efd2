// The emulator's command line and argument list for arbitrary directories
// and file names, and what the Start handler passes to the platform.
#include "FuzzCheck.h"
#include "core/Launches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using qmel::fuzz::check;
using qmel::fuzz::within;

namespace {

// Records the program starts; nothing else may be asked of it.
class RecordingPlatform : public qmel::Platform {
public:
    std::vector<qmel::ProgramStart> starts;

    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       bool searchPath) override
    {
        starts.push_back({program, arguments, searchPath});
    }

    std::string currentDirectory() override { std::abort(); }
    int changeDirectory(const std::string&) override { std::abort(); }
    int enterVolume(const std::string&) override { std::abort(); }
    bool isDirectory(const std::string&) override { std::abort(); }
    bool fileExists(const std::string&) override { std::abort(); }
    int listDirectory(const std::string&, std::vector<qmel::DirectoryEntry>&) override { std::abort(); }
    std::vector<qmel::Volume> volumes() override { std::abort(); }
    std::string volumeRootOf(const std::string&) override { std::abort(); }
    qmel::CaseFlags caseFlags(const std::string&) override { std::abort(); }
    std::string resolveName(const std::string&) override { std::abort(); }
    qmel::ReadStatus readFile(const std::string&, std::size_t, std::string&) override { std::abort(); }
    qmel::WriteStatus replaceFile(const std::string&, const std::string&) override { std::abort(); }
};

class EditOnlyWindow : public qmel::LauncherWindow {
public:
    explicit EditOnlyWindow(std::string edit) : edit_(std::move(edit)) {}
    std::string status;

    std::string editText() const override { return edit_; }
    void setStatusText(const std::string& text) override { status = text; }

    std::string memoText(qmel::Memo) const override { std::abort(); }
    void setMemoText(qmel::Memo, const std::string&) override { std::abort(); }
    std::string directoryListDirectory() const override { std::abort(); }
    void setDirectoryListDirectory(const std::string&) override { std::abort(); }

private:
    std::string edit_;
};

// The command line is the directory, the fixed program part, and the file in
// double quotes, each piece exactly as given.
void checkCommandLine(const std::string& line, const std::string& directory, const std::string& file)
{
    constexpr std::string_view fixed = "/dboy.exe -verbose 0 ";
    check(line.size() == directory.size() + fixed.size() + 1 + file.size() + 1);
    std::string_view rest = line;
    check(rest.starts_with(directory));
    rest.remove_prefix(directory.size());
    check(rest.starts_with(fixed));
    rest.remove_prefix(fixed.size());
    check(rest.front() == '"' && rest.back() == '"');
    check(rest.substr(1, rest.size() - 2) == file);
}

void checkEmulatorStart(const qmel::ProgramStart& start, const std::string& directory, const std::string& file)
{
    check(start.program == directory + "/dboy.exe");
    check(!start.searchPath);
    check(start.arguments == std::vector<std::string>{"-verbose", "0", file});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two texts: up to the first NUL, and the rest.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(input.find('\0'), input.size());
    const std::string directory(input.substr(0, nul));
    const std::string file(input.substr(std::min(nul + 1, input.size())));

    checkCommandLine(qmel::emulatorCommandLine(directory, file), directory, file);
    checkEmulatorStart(qmel::emulatorStart(directory, file), directory, file);

    // The Start handler: one start, with the edit's text as the one file
    // argument, and the same text in the command line it keeps.
    qmel::LauncherState state;
    state.EmulatorDir = directory;
    EditOnlyWindow window(file);
    RecordingPlatform platform;
    qmel::StartClick(state, window, platform);
    check(platform.starts.size() == 1);
    checkEmulatorStart(platform.starts.front(), directory, file);
    checkCommandLine(state.CommandLine, directory, file);
    check(state.EmulatorDir == directory);
    check(window.status == "...Ready...");
    return 0;
}
