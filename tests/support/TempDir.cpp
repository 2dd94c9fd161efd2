#include "support/TempDir.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "qmel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    // Resolve /tmp links so paths compare equal to what getcwd() reports.
    path_ = fs::canonical(pattern).string();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Make everything writable again: tests may have taken permissions away.
    for (auto it = fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

void TempDir::write(const std::string& name, const std::string& bytes) const
{
    const fs::path target = fs::path(path_) / name;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + target.string());
}

void TempDir::makeDirectory(const std::string& name) const
{
    fs::create_directories(fs::path(path_) / name);
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool pathExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> listNames(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& directory)
{
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer))
        previous_ = buffer;
    if (chdir(directory.c_str()) != 0)
        throw std::runtime_error("cannot enter " + directory);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) {
        // Nothing sensible to do in a destructor; the next test sets its own.
    }
}

}  // namespace qmel::test
