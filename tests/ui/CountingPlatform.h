#pragma once

// The real platform, counting the settings writes and program starts that go
// through it, so a test can tell that a save ran exactly once.

#include "platform/Platform.h"

namespace qmel::test {

class CountingPlatform : public Platform {
public:
    int replaces = 0;
    int starts = 0;

    std::string currentDirectory() override { return real().currentDirectory(); }
    int changeDirectory(const std::string& path) override { return real().changeDirectory(path); }
    int enterVolume(const std::string& root) override { return real().enterVolume(root); }
    bool isDirectory(const std::string& path) override { return real().isDirectory(path); }
    bool fileExists(const std::string& path) override { return real().fileExists(path); }
    int listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override
    {
        return real().listDirectory(path, entries);
    }
    std::vector<Volume> volumes() override { return real().volumes(); }
    std::string volumeRootOf(const std::string& directory) override { return real().volumeRootOf(directory); }
    CaseFlags caseFlags(const std::string& directory) override { return real().caseFlags(directory); }
    std::string resolveName(const std::string& path) override { return real().resolveName(path); }
    ReadStatus readFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override
    {
        return real().readFile(path, maxBytes, bytes);
    }
    WriteStatus replaceFile(const std::string& path, const std::string& bytes) override
    {
        ++replaces;
        return real().replaceFile(path, bytes);
    }
    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       bool searchPath) override
    {
        ++starts;
        real().startDetached(program, arguments, searchPath);
    }

private:
    static Platform& real() { return systemPlatform(); }
};

}  // namespace qmel::test
