#pragma once

#include <string>

namespace qmel {

// The values kept for one run. All four start empty.
struct LauncherState {
    std::string EmulatorDir;   // fixed by the settings load, used exactly as read
    std::string PathFileName;  // full names built by the last settings save
    std::string RomsFileName;
    std::string CommandLine;   // the last emulator command line built
};

}  // namespace qmel
