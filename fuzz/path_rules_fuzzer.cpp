// The browser's path rules on arbitrary path texts.
#include "FuzzCheck.h"
#include "platform/Platform.h"
#include "ui/browser/PathRules.h"

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

std::string lowerAscii(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

// The path's components joined by single "/": what pathComponents must give.
std::string collapsedSlashes(std::string_view path)
{
    std::string collapsed;
    for (char c : path) {
        if (c == '/' && (collapsed.empty() || collapsed.back() == '/'))
            continue;
        collapsed.push_back(c);
    }
    if (!collapsed.empty() && collapsed.back() == '/')
        collapsed.pop_back();
    return collapsed;
}

void checkSplitting(const std::string& path)
{
    const std::string last = qmel::lastComponent(path);
    const std::string rest = qmel::withoutLastComponent(path);
    check(last.find('/') == std::string::npos);
    check(path.ends_with(last));
    if (path.find('/') == std::string::npos) {
        check(rest.empty() && last == path);
    } else {
        // Putting the two back together gives the path, save for a doubled
        // "/" before the last component.
        check(!rest.empty() && path.starts_with(rest));
        check(qmel::joinPath(rest, last) == path || path.ends_with("//" + last));
    }
}

void checkComponents(const std::string& path)
{
    const std::vector<std::string> components = qmel::pathComponents(path);
    std::string joined;
    for (const std::string& component : components) {
        check(!component.empty() && component.find('/') == std::string::npos);
        if (!joined.empty())
            joined += '/';
        joined += component;
    }
    check(joined == collapsedSlashes(path));
}

void checkAncestors(const std::string& path)
{
    check(qmel::ancestorPath(path, 0) == "/");
    const int level = qmel::directoryLevel(path);
    check(level == static_cast<int>(std::count(path.begin(), path.end(), '/')));
    std::string previous;
    for (std::size_t index = 1; index <= static_cast<std::size_t>(level) + 1; ++index) {
        // Each row ends where a component ends, and each holds the one before.
        const std::string ancestor = qmel::ancestorPath(path, index);
        check(path.starts_with(ancestor));
        check(ancestor.size() == path.size() || path[ancestor.size()] == '/');
        check(ancestor.starts_with(previous));
        previous = ancestor;
    }
    check(previous == path);
}

void checkJoin(const std::string& directory, const std::string& name)
{
    const std::string joined = qmel::joinPath(directory, name);
    check(joined.starts_with(directory) && joined.ends_with(name));
    check(joined.size() == directory.size() + name.size() + (directory.ends_with('/') ? 0 : 1));
    if (name.find('/') == std::string::npos)
        check(qmel::lastComponent(joined) == name);
}

void checkComparisons(const std::string& a, const std::string& b)
{
    check(qmel::sameDirectory(a, b, true) == (a == b));
    check(qmel::sameDirectory(a, b, false) == (lowerAscii(a) == lowerAscii(b)));
    check(qmel::sameDirectory(a, b, false) == qmel::sameDirectory(b, a, false));
    check(qmel::holdsWildcard(a) == (a.find('*') != std::string::npos || a.find('?') != std::string::npos));
}

void checkDrive(const std::string& path)
{
    const std::string drive = qmel::drivePart(qmel::systemPlatform(), path);
    if (!path.starts_with('/'))
        check(drive.empty());
    else
        check(within(path, drive));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two texts: up to the first NUL, and the rest.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(input.find('\0'), input.size());
    const std::string first(input.substr(0, nul));
    const std::string second(input.substr(std::min(nul + 1, input.size())));

    for (const std::string& path : {first, second}) {
        checkSplitting(path);
        checkComponents(path);
        checkAncestors(path);
        checkDrive(path);
    }
    checkJoin(first, second);
    checkComparisons(first, second);
    return 0;
}
