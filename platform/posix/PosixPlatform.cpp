// The current directory, directory tests and searches, and volumes. Settings
// files and program starts have files of their own.

#include "platform/posix/PosixPlatform.h"

#include "platform/posix/MountTable.h"
#include "platform/posix/SystemMounts.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel {

namespace {

std::string absolute(const std::string& directory, PosixPlatform& platform)
{
    if (directory.starts_with('/'))
        return directory;
    return platform.currentDirectory() + "/" + directory;
}

}  // namespace

// --- current directory -----------------------------------------------------------

std::string PosixPlatform::currentDirectory()
{
    std::string buffer(4096, '\0');
    for (;;) {
        if (getcwd(buffer.data(), buffer.size())) {
            buffer.resize(buffer.find('\0'));
            return buffer;
        }
        if (errno != ERANGE || buffer.size() >= (std::size_t{1} << 24))
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

int PosixPlatform::changeDirectory(const std::string& path)
{
    if (chdir(path.c_str()) != 0)
        return errno;
    rememberCurrentDirectory();
    return 0;
}

int PosixPlatform::enterVolume(const std::string& volumeRoot)
{
    const auto remembered = lastDirectoryOnVolume_.find(volumeRoot);
    // A remembered directory may have gone since; the root is the way back in.
    if ((remembered != lastDirectoryOnVolume_.end() && chdir(remembered->second.c_str()) == 0) ||
        chdir(volumeRoot.c_str()) == 0) {
        rememberCurrentDirectory();
        return 0;
    }
    return errno;
}

void PosixPlatform::rememberCurrentDirectory()
{
    const std::string directory = currentDirectory();
    if (!directory.empty())
        lastDirectoryOnVolume_[volumeRootOf(directory)] = directory;
}

// --- tests and searches ----------------------------------------------------------

bool PosixPlatform::isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixPlatform::fileExists(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::tm local{};
    if (!localtime_r(&st.st_mtime, &local))
        return false;
    const int year = local.tm_year + 1900;
    return year >= 1980 && year <= 2107;
}

int PosixPlatform::listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries)
{
    entries.clear();
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return errno;
    const int fd = dirfd(dir);
    struct stat self;
    // Directory sizes grow with their entries: a cheap hint against regrowth.
    if (fstat(fd, &self) == 0 && self.st_size > 0)
        entries.reserve(static_cast<std::size_t>(std::min<off_t>(self.st_size / 32, off_t{1} << 20)));

    for (;;) {
        errno = 0;
        const dirent* found = readdir(dir);
        if (!found) {
            const int error = errno;
            closedir(dir);
            if (error != 0)
                entries.clear();
            return error;
        }
        const std::string_view name = found->d_name;
        if (name == "." || name == "..")
            continue;
        bool directory = found->d_type == DT_DIR;
        bool regular = found->d_type == DT_REG;
        // Only links and file systems without types need a look at the inode.
        if (found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) {
            struct stat st;
            const bool reachable = fstatat(fd, found->d_name, &st, 0) == 0;
            directory = reachable && S_ISDIR(st.st_mode);
            regular = reachable && S_ISREG(st.st_mode);
        }
        DirectoryEntry& entry = entries.emplace_back();
        entry.name = name;
        entry.directory = directory;
        entry.hidden = name.starts_with('.');
        entry.system = !directory && !regular;
    }
}

// --- volumes -------------------------------------------------------------------------

std::vector<Volume> PosixPlatform::volumes()
{
    return systemVolumes();
}

std::string PosixPlatform::volumeRootOf(const std::string& directory)
{
    const std::vector<MountEntry> shown = shownMounts(readSystemMounts());
    const MountEntry* mount = mountHolding(shown, absolute(directory, *this));
    return mount ? mount->mountPoint : "/";
}

CaseFlags PosixPlatform::caseFlags(const std::string& directory)
{
    const std::vector<MountEntry> mounts = readSystemMounts();
    const MountEntry* mount = mountHolding(mounts, absolute(directory, *this));
    return mount ? caseFlagsForFileSystem(mount->fileSystemType) : CaseFlags{};
}

Platform& systemPlatform()
{
    static PosixPlatform platform;
    return platform;
}

int errorCodeForUser(int osErrorCode)
{
    switch (osErrorCode) {
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    case ENOMEDIUM:
        return 21;
    default:
        return osErrorCode;
    }
}

}  // namespace qmel
