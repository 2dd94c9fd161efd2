#include "ui/browser/PathCheck.h"

#include "core/Errors.h"
#include "ui/browser/PathRules.h"

namespace qmel {

namespace {

bool isBracketed(const std::string& text)
{
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

std::string namedPath(Platform& platform, const std::string& text)
{
    std::string path = text;
    if (isBracketed(path) && !platform.isDirectory(path))
        path = path.substr(1, path.size() - 2);
    const std::string last = lastComponent(path);
    if (!last.empty() && (holdsWildcard(last) || platform.fileExists(path)))
        path = withoutLastComponent(path);
    return path;
}

// Puts the current directory back when the check ends, however it ends.
class CurrentDirectoryRestorer {
public:
    explicit CurrentDirectoryRestorer(Platform& platform)
        : platform_(platform), saved_(platform.currentDirectory())
    {
    }
    ~CurrentDirectoryRestorer()
    {
        if (!saved_.empty() && platform_.currentDirectory() != saved_)
            platform_.changeDirectory(saved_);
    }
    CurrentDirectoryRestorer(const CurrentDirectoryRestorer&) = delete;
    CurrentDirectoryRestorer& operator=(const CurrentDirectoryRestorer&) = delete;

private:
    Platform& platform_;
    std::string saved_;
};

}  // namespace

CheckedPath checkPath(Platform& platform, const std::string& text)
{
    const std::string path = namedPath(platform, text);
    CurrentDirectoryRestorer restorer(platform);
    // One change for the whole path: the kernel enters every step of the way
    // and reports the first that fails, and the volumes passed on the way do
    // not get a remembered directory they were never shown in.
    if (!path.empty()) {
        if (const int error = platform.changeDirectory(path); error != 0)
            throw EInOutError(errorCodeForUser(error));
    }
    CheckedPath checked;
    checked.directory = platform.currentDirectory();
    checked.volumeRoot = platform.volumeRootOf(checked.directory);
    return checked;
}

}  // namespace qmel
