#pragma once

// The real platform, with only what a test machine cannot produce put in:
// volumes mounted at chosen directories, volumes that cannot be entered, and
// a case-insensitive file system. Everything else goes to the real one.

#include "platform/Platform.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qmel::test {

class VolumePlatform : public Platform {
public:
    // Volumes shown by volumes(); their roots also count for volumeRootOf().
    std::vector<Volume> shownVolumes;
    // enterVolume() of these roots fails with the errno given.
    std::map<std::string, int> enterErrors;
    // Flags for every directory instead of the real ones.
    std::optional<CaseFlags> flags;

    std::string currentDirectory() override { return real().currentDirectory(); }
    int changeDirectory(const std::string& path) override { return real().changeDirectory(path); }
    int enterVolume(const std::string& volumeRoot) override
    {
        if (const auto failure = enterErrors.find(volumeRoot); failure != enterErrors.end())
            return failure->second;
        return real().enterVolume(volumeRoot);
    }
    bool isDirectory(const std::string& path) override { return real().isDirectory(path); }
    bool fileExists(const std::string& path) override { return real().fileExists(path); }
    int listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override
    {
        ++listings;
        return real().listDirectory(path, entries);
    }
    std::vector<Volume> volumes() override { return shownVolumes; }
    std::string volumeRootOf(const std::string& directory) override
    {
        std::string best;
        for (const Volume& volume : shownVolumes) {
            const std::string& root = volume.root;
            const bool holds = directory == root ||
                               (directory.starts_with(root) && (root == "/" || directory[root.size()] == '/'));
            if (holds && root.size() > best.size() && root != "/")
                best = root;
        }
        return best.empty() ? real().volumeRootOf(directory) : best;
    }
    CaseFlags caseFlags(const std::string& directory) override
    {
        return flags ? *flags : real().caseFlags(directory);
    }
    std::string resolveName(const std::string& path) override { return real().resolveName(path); }
    ReadStatus readFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override
    {
        return real().readFile(path, maxBytes, bytes);
    }
    WriteStatus replaceFile(const std::string& path, const std::string& bytes) override
    {
        return real().replaceFile(path, bytes);
    }
    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       bool searchPath) override
    {
        real().startDetached(program, arguments, searchPath);
    }

    int listings = 0;

private:
    static Platform& real() { return systemPlatform(); }
};

}  // namespace qmel::test
