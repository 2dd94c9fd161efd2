#include "bench/Baselines.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <strings.h>

namespace qmel::bench {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        x = (x >= 'A' && x <= 'Z') ? static_cast<unsigned char>(x + 32) : x;
        y = (y >= 'A' && y <= 'Z') ? static_cast<unsigned char>(y + 32) : y;
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

template <typename Keep>
std::vector<std::string> sortedNames(const std::string& directory, Keep keep)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (keep(*entry))
                names.emplace_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

}  // namespace

std::vector<std::string> maskSuffixes(const std::string& mask)
{
    std::vector<std::string> suffixes;
    std::size_t start = 0;
    while (start <= mask.size()) {
        const std::size_t end = std::min(mask.find(';', start), mask.size());
        if (end > start && mask[start] == '*')
            suffixes.push_back(mask.substr(start + 1, end - start - 1));
        start = end + 1;
    }
    return suffixes;
}

std::vector<std::string> matchingNames(const std::string& directory, const std::vector<std::string>& suffixes)
{
    return sortedNames(directory, [&](const dirent& entry) {
        const std::size_t length = std::strlen(entry.d_name);
        for (const std::string& suffix : suffixes) {
            if (length >= suffix.size() &&
                strncasecmp(entry.d_name + length - suffix.size(), suffix.c_str(), suffix.size()) == 0)
                return true;
        }
        return false;
    });
}

std::vector<std::string> subdirectoryNames(const std::string& directory)
{
    return sortedNames(directory, [](const dirent& entry) {
        return entry.d_type == DT_DIR && std::strcmp(entry.d_name, ".") != 0 && std::strcmp(entry.d_name, "..") != 0;
    });
}

}  // namespace qmel::bench
