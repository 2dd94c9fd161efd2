#include "platform/posix/MountTable.h"

#include <algorithm>
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

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool oneOf(std::string_view value, std::initializer_list<std::string_view> choices)
{
    return std::find(choices.begin(), choices.end(), value) != choices.end();
}

bool isNetworkType(std::string_view type)
{
    return oneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "9p", "afs", "ceph", "coda", "lustre",
                        "davfs", "fuse.sshfs", "fuse.glusterfs", "fuse.rclone", "fuse.s3fs", "fuse.davfs2",
                        "fuse.curlftpfs", "fuse.smbnetfs"});
}

bool isRamDiskType(std::string_view type) { return type == "tmpfs" || type == "ramfs"; }

bool isCdRomType(std::string_view type) { return type == "iso9660" || type == "udf"; }

// Kernel file systems that never hold user files, whatever their mount point.
bool isPseudoType(std::string_view type)
{
    return oneOf(type, {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "mqueue", "debugfs",
                        "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl", "hugetlbfs", "autofs",
                        "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "overlay", "aufs",
                        "nfsd", "rootfs"});
}

// The system's own runtime mounts live here; removable media mounted by the
// desktop under /run/media are the exception.
bool isSystemArea(std::string_view mountPoint)
{
    if (pathIsWithin(mountPoint, "/run"))
        return !pathIsWithin(mountPoint, "/run/media");
    return pathIsWithin(mountPoint, "/proc") || pathIsWithin(mountPoint, "/sys") ||
           pathIsWithin(mountPoint, "/dev");
}

bool isDeviceMount(const MountEntry& mount)
{
    return mount.major != 0 || mount.source.starts_with("/dev/");
}

bool isShown(const MountEntry& mount)
{
    if (mount.mountPoint == "/")
        return true;
    if (isSystemArea(mount.mountPoint))
        return false;
    if (isNetworkType(mount.fileSystemType) || isRamDiskType(mount.fileSystemType))
        return true;
    return !isPseudoType(mount.fileSystemType) && isDeviceMount(mount);
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start)
            fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool parseDeviceNumber(std::string_view text, unsigned& major, unsigned& minor)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    auto parse = [](std::string_view digits, unsigned& value) {
        if (digits.empty())
            return false;
        value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        return true;
    };
    return parse(text.substr(0, colon), major) && parse(text.substr(colon + 1), minor);
}

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

std::string decodeOctalEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctalDigit(text[i + 1]) && isOctalDigit(text[i + 2]) &&
            isOctalDigit(text[i + 3])) {
            decoded.push_back(static_cast<char>(((text[i + 1] - '0') << 6) | ((text[i + 2] - '0') << 3) |
                                                (text[i + 3] - '0')));
            i += 3;
        } else {
            decoded.push_back(text[i]);
        }
    }
    return decoded;
}

std::string decodeHexEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hexValue(text[i + 2]) >= 0 &&
            hexValue(text[i + 3]) >= 0) {
            decoded.push_back(static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else {
            decoded.push_back(text[i]);
        }
    }
    return decoded;
}

std::vector<MountEntry> parseMountInfo(std::string_view text)
{
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::vector<std::string_view> fields = splitFields(text.substr(start, end - start));
        start = end + 1;

        // id parent major:minor root mount-point options [optional...] - type source super-options
        const auto separator = std::find(fields.begin() + std::min<std::size_t>(fields.size(), 6), fields.end(),
                                         std::string_view("-"));
        if (fields.size() < 6 || fields.end() - separator < 3)
            continue;
        MountEntry entry;
        if (!parseDeviceNumber(fields[2], entry.major, entry.minor))
            continue;
        entry.mountPoint = decodeOctalEscapes(fields[4]);
        // The kernel writes absolute mount points only; anything else is a damaged line.
        if (!entry.mountPoint.starts_with('/'))
            continue;
        entry.fileSystemType = decodeOctalEscapes(separator[1]);
        entry.source = decodeOctalEscapes(separator[2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<MountEntry> shownMounts(const std::vector<MountEntry>& entries)
{
    // The last mount on a mount point covers the earlier ones.
    std::map<std::string, const MountEntry*> topmost;
    for (const MountEntry& entry : entries)
        topmost[entry.mountPoint] = &entry;

    std::vector<MountEntry> shown;
    if (!topmost.contains("/"))
        shown.push_back(MountEntry{"/", "", "", 0, 0});
    // The map orders by bytes, and "/" sorts before every other absolute path.
    for (const auto& [mountPoint, entry] : topmost) {
        if (isShown(*entry))
            shown.push_back(*entry);
    }
    return shown;
}

std::vector<Volume> volumesFromMounts(const std::vector<MountEntry>& entries, DeviceFacts& facts)
{
    std::vector<Volume> volumes;
    for (const MountEntry& mount : shownMounts(entries)) {
        Volume volume;
        volume.root = mount.mountPoint;
        volume.fileSystemType = mount.fileSystemType;
        const std::string_view type = mount.fileSystemType;
        if (isNetworkType(type)) {
            volume.kind = VolumeKind::Network;
            volume.networkName = mount.source;
        } else if (isRamDiskType(type)) {
            volume.kind = VolumeKind::RamDisk;
        } else {
            const bool device = isDeviceMount(mount);
            if (device)
                volume.label = facts.label(mount);
            if (isCdRomType(type))
                volume.kind = VolumeKind::CdRom;
            else if (pathIsWithin(mount.mountPoint, "/media") || pathIsWithin(mount.mountPoint, "/run/media") ||
                     (device && facts.removable(mount)))
                volume.kind = VolumeKind::Removable;
        }
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

bool pathIsWithin(std::string_view path, std::string_view directory)
{
    if (directory == "/")
        return path.starts_with('/');
    return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

const MountEntry* mountHolding(const std::vector<MountEntry>& entries, std::string_view path)
{
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : entries) {
        if (pathIsWithin(path, entry.mountPoint) &&
            (!best || entry.mountPoint.size() >= best->mountPoint.size()))
            best = &entry;
    }
    return best;
}

CaseFlags caseFlagsForFileSystem(std::string_view fileSystemType)
{
    CaseFlags flags;
    if (oneOf(fileSystemType, {"vfat", "msdos", "exfat", "cifs", "smb3", "smbfs", "iso9660", "hfs", "hfsplus",
                               "umsdos", "fuse.exfat", "fuse.exfat-fuse"})) {
        flags.caseSensitive = false;
        flags.casePreserving = fileSystemType != "msdos";
    }
    return flags;
}

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
