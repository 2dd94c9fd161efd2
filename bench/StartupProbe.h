#pragma once

// Start-up measured from the making of the application, which a process can
// do only once: every sample is a fresh run of this program, asked by a
// private argument to start one side and report how long it took.

#include <optional>
#include <string>

namespace qmel::bench {

inline constexpr const char* windowProbe = "window";
inline constexpr const char* bareProbe = "bare";
// The ROM directory named by the start-up settings holds this many ROMs.
inline constexpr int startupRomFiles = 1000;

// "window" for "--startup-probe=window"; nothing when the program is not run
// as a probe.
std::optional<std::string> startupProbeSide(int argc, char* argv[]);

// The child: makes the application and the window as the program's main does
// (or a bare window of the same size), waits for its first paint and prints
// the microseconds since just before the application was made. Returns the
// exit code; a failure is told on stderr.
int runStartupProbe(const std::string& side, char* programName);

// The parent: runs one probe in directory under the offscreen platform and
// returns its time. Throws std::runtime_error when the probe fails.
double startupProbeSeconds(const std::string& side, const std::string& directory);

}  // namespace qmel::bench
