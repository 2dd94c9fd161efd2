#pragma once

// The limits the program is measured against: the least plain C++ that does
// the same job, with no toolkit and no layers in between.

#include <string>
#include <vector>

namespace qmel::bench {

// "*.zip;*.gb;*.gbc" gives ".zip", ".gb", ".gbc": the mask as suffixes,
// worked out once, outside the measured part.
std::vector<std::string> maskSuffixes(const std::string& mask);

// readdir, keep the names that end in a suffix ignoring case, sort them
// ignoring case.
std::vector<std::string> matchingNames(const std::string& directory, const std::vector<std::string>& suffixes);

// readdir, keep the directories, sort them ignoring case.
std::vector<std::string> subdirectoryNames(const std::string& directory);

}  // namespace qmel::bench
