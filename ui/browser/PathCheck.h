#pragma once

// Finds the directory that a path text names by entering it, and puts the
// current directory back afterwards, also after a failure.

#include "platform/Platform.h"

#include <string>

namespace qmel {

struct CheckedPath {
    std::string volumeRoot;  // the volume that holds the directory
    std::string directory;   // absolute, as the platform reports it
};

// The text may be absolute or relative to the current directory. "[NAME]"
// names NAME unless a directory literally called "[NAME]" exists. A last
// component that is an existing file or holds "*" or "?" is dropped.
// Throws EInOutError when the directory cannot be entered.
CheckedPath checkPath(Platform& platform, const std::string& text);

}  // namespace qmel
