#pragma once

// A real temporary directory for one test, removed with everything in it.

#include <string>
#include <vector>

namespace qmel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes a file below the directory (creating parent directories).
    void write(const std::string& name, const std::string& bytes) const;
    void makeDirectory(const std::string& name) const;

private:
    std::string path_;
};

// Whole content of a file; throws std::runtime_error when it cannot be read.
std::string readBytes(const std::string& path);
bool pathExists(const std::string& path);  // lstat succeeds
// Names in a directory, sorted, without "." and "..".
std::vector<std::string> listNames(const std::string& directory);

// Changes the current directory for a scope and restores it afterwards.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& directory);
    ~ScopedCurrentDirectory();

private:
    std::string previous_;
};

}  // namespace qmel::test
