#include "ui/browser/PathRules.h"

#include "ui/browser/NameOrder.h"

#include <algorithm>

namespace qmel {

std::string drivePart(Platform& platform, const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return {};
    return platform.volumeRootOf(path);
}

std::string lastComponent(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string withoutLastComponent(std::string_view path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string joinPath(std::string_view directory, std::string_view name)
{
    std::string joined(directory);
    if (joined.empty() || joined.back() != '/')
        joined += '/';
    joined += name;
    return joined;
}

int directoryLevel(std::string_view directory)
{
    return static_cast<int>(std::count(directory.begin(), directory.end(), '/'));
}

std::vector<std::string> pathComponents(std::string_view directory)
{
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= directory.size()) {
        const auto slash = directory.find('/', start);
        const auto end = slash == std::string_view::npos ? directory.size() : slash;
        if (end > start)
            components.emplace_back(directory.substr(start, end - start));
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    return components;
}

std::string ancestorPath(std::string_view directory, std::size_t index)
{
    if (index == 0)
        return "/";
    std::size_t slashesSeen = 0;
    for (std::size_t i = 0; i < directory.size(); ++i) {
        if (directory[i] == '/' && ++slashesSeen == index + 1)
            return std::string(directory.substr(0, i));
    }
    return std::string(directory);
}

bool sameDirectory(std::string_view a, std::string_view b, bool caseSensitive)
{
    return caseSensitive ? a == b : equalIgnoringCase(a, b);
}

bool holdsWildcard(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos;
}

}  // namespace qmel
