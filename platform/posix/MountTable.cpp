#include "platform/posix/MountTable.h"

#include <algorithm>
#include <map>

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

}  // namespace qmel
