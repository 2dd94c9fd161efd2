#pragma once

// The platform layer on Linux and other POSIX systems.

#include "platform/Platform.h"

#include <map>
#include <string>

namespace qmel {

class PosixPlatform : public Platform {
public:
    std::string currentDirectory() override;
    int changeDirectory(const std::string& path) override;
    int enterVolume(const std::string& volumeRoot) override;

    bool isDirectory(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    int listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;

    std::vector<Volume> volumes() override;
    std::string volumeRootOf(const std::string& directory) override;
    CaseFlags caseFlags(const std::string& directory) override;

    std::string resolveName(const std::string& path) override;
    ReadStatus readFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    WriteStatus replaceFile(const std::string& path, const std::string& bytes) override;

    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       bool searchPath) override;

private:
    void rememberCurrentDirectory();

    std::map<std::string, std::string> lastDirectoryOnVolume_;
};

}  // namespace qmel
