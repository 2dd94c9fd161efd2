// The path check on arbitrary path texts, inside a small tree of real
// directories, files and links made once per process.
#include "FuzzCheck.h"
#include "core/Errors.h"
#include "platform/Platform.h"
#include "ui/browser/PathCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

using qmel::fuzz::check;
using qmel::fuzz::within;

namespace {

void makeFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0 && close(fd) == 0);
}

// The tree the check runs in; it is the current directory for the whole run
// and removed when the process exits normally.
class Tree {
public:
    Tree()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qmel-path-fuzz.XXXXXX";
        check(mkdtemp(pattern.data()) != nullptr);
        char* resolved = realpath(pattern.c_str(), nullptr);
        check(resolved != nullptr);
        root_ = resolved;
        std::free(resolved);

        for (const char* directory : {"roms", "roms/sub", "roms/Sub", "[bracket]", "plain", "with space",
                                      "\xff\xfe", "a*b", "q?"})
            check(mkdir((root_ + "/" + directory).c_str(), 0755) == 0);
        for (const char* file : {"roms/game.gb", "roms/[x].gb", "file.txt", "plain/rom.gbc"})
            makeFile(root_ + "/" + file);
        check(symlink("roms", (root_ + "/to-roms").c_str()) == 0);
        check(symlink("loop", (root_ + "/loop").c_str()) == 0);
        check(symlink("missing", (root_ + "/dangling").c_str()) == 0);
        check(chdir(root_.c_str()) == 0);
    }
    ~Tree()
    {
        if (chdir("/") == 0)
            std::filesystem::remove_all(root_);
    }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

const std::string& treeRoot()
{
    static const Tree tree;
    return tree.root();
}

std::string lastComponentOf(const std::string& text) { return text.substr(text.rfind('/') + 1); }

// Texts the check takes as they are: no "[NAME]" form, no mask, no file at
// the end. A directory found for them is the one realpath() names.
bool namesADirectoryPlainly(qmel::Platform& platform, const std::string& text)
{
    const bool bracketed = text.size() >= 2 && text.front() == '[' && text.back() == ']';
    return !text.empty() && !bracketed && text.find('\0') == std::string::npos &&
           lastComponentOf(text).find_first_of("*?") == std::string::npos && !platform.fileExists(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& root = treeRoot();
    const std::string text(reinterpret_cast<const char*>(data), size);
    qmel::Platform& platform = qmel::systemPlatform();

    qmel::CheckedPath checked;
    bool found = true;
    try {
        checked = qmel::checkPath(platform, text);
    } catch (const qmel::EInOutError&) {
        found = false;
    }
    // Whatever happened, the current directory is where it was.
    check(platform.currentDirectory() == root);
    if (!found)
        return 0;

    check(checked.directory.starts_with('/'));
    check(platform.isDirectory(checked.directory));
    check(within(checked.directory, checked.volumeRoot));
    if (namesADirectoryPlainly(platform, text)) {
        char* resolved = realpath(text.c_str(), nullptr);
        check(resolved != nullptr);
        check(checked.directory == resolved);
        std::free(resolved);
    }
    return 0;
}
