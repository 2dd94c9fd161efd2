#pragma once

// Runs this same program once more, as a child with its own arguments.

#include <string>
#include <vector>

namespace qmel::bench {

// Starts /proc/self/exe with the arguments in directory, with the environment
// of this process plus the given "NAME=value" settings, waits for it and
// returns what it wrote on stdout (its stderr is ours). Throws
// std::runtime_error when it cannot start or does not exit with 0.
std::string runSelf(const std::vector<std::string>& arguments, const std::string& directory,
                    const std::vector<std::string>& settings);

}  // namespace qmel::bench
