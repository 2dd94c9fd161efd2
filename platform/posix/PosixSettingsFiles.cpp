// Settings files on POSIX: the case-insensitive name lookup, the bounded
// read, and the atomic replace.

#include "platform/posix/PosixPlatform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel {

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return fold(x) == fold(y);
           });
}

// A path cut at its last "/": the directory to open, the prefix that rebuilds
// the path when put before a name, and the name.
struct PathParts {
    std::string directory;
    std::string prefix;
    std::string name;
};

PathParts splitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", "", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(0, slash + 1), path.substr(slash + 1)};
}

template <typename Visit>
void forEachName(const std::string& directory, Visit visit)
{
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            visit(name);
    }
    closedir(dir);
}

// --- atomic replace helpers ----------------------------------------------------

// Where a symbolic link finally points, also when that file does not exist
// yet (writing through a dangling link creates its target, as a shell would).
bool followLinks(const std::string& link, std::string& target)
{
    if (char* resolved = realpath(link.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
        return true;
    }
    std::string current = link;
    for (int hops = 0; hops < 40; ++hops) {
        std::string text(4096, '\0');
        const ssize_t length = readlink(current.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<std::size_t>(length) >= text.size())
            return false;
        text.resize(static_cast<std::size_t>(length));
        current = text.starts_with('/') ? text : splitPath(current).prefix + text;
        struct stat st;
        if (lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return false;
            target = current;
            return true;
        }
        if (!S_ISLNK(st.st_mode))
            return false;  // realpath failed for another reason than a missing end
    }
    return false;
}

mode_t currentUmask()
{
    // /proc tells without the race of setting the mask and putting it back.
    const int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        std::string status(8192, '\0');
        const ssize_t length = read(fd, status.data(), status.size());
        close(fd);
        status.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        const std::size_t field = status.find("\nUmask:");
        if (field != std::string::npos)
            return static_cast<mode_t>(std::strtoul(status.c_str() + field + 7, nullptr, 8)) & 0777;
    }
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, std::size_t{1} << 30);
        const ssize_t count = write(fd, bytes.data() + written, chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

void syncDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Removes the other files and links whose names equal the written one but
// for letter case, so that a later lookup cannot find a stale copy.
void removeCaseVariants(const PathParts& written, const struct stat& writtenFile)
{
    std::vector<std::string> doomed;
    forEachName(written.directory, [&](std::string_view name) {
        if (name == written.name || !equalsIgnoringAsciiCase(name, written.name))
            return;
        const std::string path = written.prefix + std::string(name);
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
            return;
        if (st.st_dev == writtenFile.st_dev && st.st_ino == writtenFile.st_ino)
            return;
        doomed.push_back(path);
    });
    for (const std::string& path : doomed)
        unlink(path.c_str());
}
}  // namespace

std::string PosixPlatform::resolveName(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) == 0)
        return path;
    const PathParts parts = splitPath(path);
    if (parts.name.empty())
        return path;
    // Several variants: take the smallest, so every run picks the same one.
    std::string best;
    bool found = false;
    forEachName(parts.directory, [&](std::string_view name) {
        if (equalsIgnoringAsciiCase(name, parts.name) && (!found || name < best)) {
            best = name;
            found = true;
        }
    });
    return found ? parts.prefix + best : path;
}

ReadStatus PosixPlatform::readFile(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    // Non-blocking, so that a FIFO of that name cannot stall the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ReadStatus::CannotOpen;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return ReadStatus::CannotOpen;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        close(fd);
        return ReadStatus::TooLarge;
    }

    // The file may grow while we read: one byte beyond the limit tells.
    const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
    std::string data(std::min(limit, static_cast<std::size_t>(st.st_size) + 1), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (data.size() == limit)
                break;
            data.resize(std::min(limit, data.size() * 2));
        }
        const ssize_t count = read(fd, data.data() + filled, data.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            close(fd);
            return ReadStatus::CannotOpen;
        }
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    close(fd);
    if (filled > maxBytes)
        return ReadStatus::TooLarge;
    data.resize(filled);
    bytes = std::move(data);
    return ReadStatus::Ok;
}

WriteStatus PosixPlatform::replaceFile(const std::string& path, const std::string& bytes)
{
    const std::string name = resolveName(path);
    std::string target = name;
    struct stat existing;
    bool exists = lstat(target.c_str(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        // Keep the link; replace what it points to.
        if (!followLinks(name, target))
            return WriteStatus::CannotCreate;
        exists = lstat(target.c_str(), &existing) == 0;
    }
    // Never put a file in place of a directory, FIFO, socket or device.
    if (exists && !S_ISREG(existing.st_mode))
        return WriteStatus::CannotCreate;

    const PathParts targetParts = splitPath(target);
    std::string temporary = targetParts.prefix + "." + targetParts.name.substr(0, 200) + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return WriteStatus::CannotCreate;

    if (exists) {
        if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's group or root may keep it; the bits still are kept.
        }
        fchmod(fd, existing.st_mode & 07777);
    } else {
        fchmod(fd, 0666 & ~currentUmask());
    }

    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    if (close(fd) != 0 || !written) {
        unlink(temporary.c_str());
        return WriteStatus::ShortWrite;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return WriteStatus::CannotCreate;
    }
    syncDirectory(targetParts.directory);

    struct stat writtenFile;
    if (stat(target.c_str(), &writtenFile) == 0)
        removeCaseVariants(splitPath(name), writtenFile);
    return WriteStatus::Ok;
}

}  // namespace qmel
