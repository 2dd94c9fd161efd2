#pragma once

// One read of a directory, handed from the directory list to the file list
// when the file list follows it into the same directory, so that the
// directory is read once per change.

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace qmel {

struct DirectoryListing {
    std::string directory;
    std::vector<DirectoryEntry> entries;  // all but the directories
};

}  // namespace qmel
