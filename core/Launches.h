#pragma once

// The two programs the launcher starts: the emulator on Edit1's file, and the
// desktop's mail handler with the author's address. Neither start is waited
// for or checked.

#include "core/LauncherState.h"
#include "core/LauncherWindow.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace qmel {

inline constexpr const char* AuthorMailAddress = "tavik@example.org";

struct ProgramStart {
    std::string program;
    std::vector<std::string> arguments;
    bool searchPath = false;
};

// The emulator command line as text, kept in CommandLine:
// EmulatorDir + "/dboy.exe -verbose 0 " + '"' + fileArgument + '"'.
std::string emulatorCommandLine(const std::string& emulatorDir, const std::string& fileArgument);

// What is actually started: no shell, so the file argument reaches the
// emulator as one argument whatever it holds.
ProgramStart emulatorStart(const std::string& emulatorDir, const std::string& fileArgument);
ProgramStart mailStart();

// Start button and a double-click in the file list.
void StartClick(LauncherState& state, LauncherWindow& window, Platform& platform);
// MailToMe button.
void MailToMeClick(Platform& platform);

}  // namespace qmel
