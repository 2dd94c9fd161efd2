#include "platform/posix/SystemMounts.h"

#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qmel {

namespace {

std::string readToEnd(int fd)
{
    std::string text;
    std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t count = read(fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return text;
        text.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

std::string readWholeFile(const char* path)
{
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text = readToEnd(fd);
    close(fd);
    return text;
}

// Labels from /dev/disk/by-label, keyed by device number; devices from /sys.
class SystemDeviceFacts : public DeviceFacts {
public:
    SystemDeviceFacts()
    {
        const std::string directory = "/dev/disk/by-label";
        DIR* dir = opendir(directory.c_str());
        if (!dir)
            return;
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat device;
            if (stat((directory + "/" + entry->d_name).c_str(), &device) == 0 && S_ISBLK(device.st_mode))
                labels_[device.st_rdev] = decodeHexEscapes(name);
        }
        closedir(dir);
    }

    std::string label(const MountEntry& mount) override
    {
        dev_t device;
        if (!deviceNumber(mount, device))
            return {};
        const auto found = labels_.find(device);
        return found == labels_.end() ? std::string() : found->second;
    }

    bool removable(const MountEntry& mount) override
    {
        dev_t device;
        if (!deviceNumber(mount, device))
            return false;
        const std::string base =
            "/sys/dev/block/" + std::to_string(::major(device)) + ":" + std::to_string(::minor(device));
        // A partition has no flag of its own; its disk, one level up, has.
        std::string flag = readWholeFile((base + "/removable").c_str());
        if (flag.empty())
            flag = readWholeFile((base + "/../removable").c_str());
        return flag.starts_with('1');
    }

private:
    // Device file systems without a real device number (btrfs) name it as source.
    static bool deviceNumber(const MountEntry& mount, dev_t& device)
    {
        if (mount.major != 0) {
            device = makedev(mount.major, mount.minor);
            return true;
        }
        struct stat node;
        if (mount.source.starts_with("/dev/") && stat(mount.source.c_str(), &node) == 0 && S_ISBLK(node.st_mode)) {
            device = node.st_rdev;
            return true;
        }
        return false;
    }

    std::map<dev_t, std::string> labels_;
};

}  // namespace

namespace {

// The mount table is asked for many times per user action and changes
// rarely: the parsed table is kept until the kernel reports a change. After a
// mount or unmount, poll() flags the open mountinfo file with POLLPRI. The
// file shows the mount namespace of its opener and its change flag is shared
// with a forked child, so a new process or namespace opens it again.
class MountTableCache {
public:
    std::vector<MountEntry> entries()
    {
        const std::lock_guard lock(mutex_);
        if (!isCurrent())
            reload();
        return entries_;
    }

private:
    struct Owner {
        pid_t process = 0;
        dev_t namespaceDevice = 0;
        ino_t namespaceInode = 0;
        bool operator==(const Owner&) const = default;
    };

    static Owner currentOwner()
    {
        Owner owner;
        owner.process = getpid();
        struct stat st;
        if (stat("/proc/self/ns/mnt", &st) == 0) {
            owner.namespaceDevice = st.st_dev;
            owner.namespaceInode = st.st_ino;
        }
        return owner;
    }

    bool isCurrent() const
    {
        if (fd_ < 0 || currentOwner() != owner_)
            return false;
        pollfd watch{fd_, POLLPRI, 0};
        return poll(&watch, 1, 0) == 0;
    }

    void reload()
    {
        if (fd_ >= 0)
            close(fd_);
        owner_ = currentOwner();
        // Opened before it is read: a change in between is flagged next time.
        fd_ = open(path, O_RDONLY | O_CLOEXEC);
        entries_ = parseMountInfo(fd_ >= 0 ? readToEnd(fd_) : std::string());
    }

    static constexpr const char* path = "/proc/self/mountinfo";
    std::mutex mutex_;
    int fd_ = -1;
    Owner owner_;
    std::vector<MountEntry> entries_;
};

}  // namespace

std::vector<MountEntry> readSystemMounts()
{
    static MountTableCache cache;
    return cache.entries();
}

std::vector<Volume> systemVolumes()
{
    SystemDeviceFacts facts;
    return volumesFromMounts(readSystemMounts(), facts);
}

}  // namespace qmel
