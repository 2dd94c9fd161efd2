#pragma once

// Paths as the browser handles them: "/" separates components, a volume is
// named by its mount point, and a directory is absolute as getcwd() gives it.

#include "platform/Platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace qmel {

// The root of the volume that holds an absolute path; empty for a relative one.
std::string drivePart(Platform& platform, const std::string& path);

// What follows the last "/", or the whole path without one.
std::string lastComponent(std::string_view path);

// The path without its last component: "/roms/a.gb" gives "/roms", "/a.gb"
// gives "/", "a.gb" gives "" (the current directory).
std::string withoutLastComponent(std::string_view path);

// directory + "/" + name, no second "/" when directory already ends in one.
std::string joinPath(std::string_view directory, std::string_view name);

// The number of "/" in a directory: "/" and "/games" have level 1.
int directoryLevel(std::string_view directory);

// The components of an absolute directory: "/games/gb" gives games, gb.
std::vector<std::string> pathComponents(std::string_view directory);

// The directory that the ancestor row at index shows: "/" for index 0, else
// directory up to, not including, its (index + 1)-th "/".
std::string ancestorPath(std::string_view directory, std::size_t index);

// Letter case counts only on a case-sensitive volume.
bool sameDirectory(std::string_view a, std::string_view b, bool caseSensitive);

bool holdsWildcard(std::string_view name);

}  // namespace qmel
