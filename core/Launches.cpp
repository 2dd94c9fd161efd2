#include "core/Launches.h"

namespace qmel {

namespace {

void start(Platform& platform, const ProgramStart& program)
{
    platform.startDetached(program.program, program.arguments, program.searchPath);
}

}  // namespace

std::string emulatorCommandLine(const std::string& emulatorDir, const std::string& fileArgument)
{
    return emulatorDir + "/dboy.exe -verbose 0 " + '"' + fileArgument + '"';
}

ProgramStart emulatorStart(const std::string& emulatorDir, const std::string& fileArgument)
{
    return {emulatorDir + "/dboy.exe", {"-verbose", "0", fileArgument}, false};
}

ProgramStart mailStart()
{
    return {"xdg-open", {std::string("mailto:") + AuthorMailAddress}, true};
}

void StartClick(LauncherState& state, LauncherWindow& window, Platform& platform)
{
    window.setStatusText("...Loading...");
    const std::string fileArgument = window.editText();
    state.CommandLine = emulatorCommandLine(state.EmulatorDir, fileArgument);
    start(platform, emulatorStart(state.EmulatorDir, fileArgument));
    window.setStatusText("...Ready...");
}

void MailToMeClick(Platform& platform)
{
    start(platform, mailStart());
}

}  // namespace qmel
