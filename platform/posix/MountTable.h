#pragma once

// The mounts of the running system and the volumes a file manager would show
// of them. Everything here is worked out from /proc, /sys and /dev/disk alone:
// nothing touches a mounted file system, so a dead network server cannot hang
// the caller.

#include "platform/Platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace qmel {

struct MountEntry {
    std::string mountPoint;      // raw bytes, escapes decoded
    std::string fileSystemType;  // "ext4", "fuse.sshfs"
    std::string source;          // "/dev/sda1", "//server/roms", "host:/export"
    unsigned major = 0;          // 0 for file systems without a device
    unsigned minor = 0;
};

// Entries of /proc/self/mountinfo text, in the order given (later entries are
// mounted on top of earlier ones). Malformed lines are skipped.
std::vector<MountEntry> parseMountInfo(std::string_view text);

// Undoes the octal escapes of mountinfo ("\040" for a blank).
std::string decodeOctalEscapes(std::string_view text);
// Undoes the "\x20" escapes of the names in /dev/disk/by-label.
std::string decodeHexEscapes(std::string_view text);

// What the system knows about the device of a local mount.
class DeviceFacts {
public:
    virtual ~DeviceFacts() = default;
    virtual std::string label(const MountEntry& mount) = 0;  // empty when none
    virtual bool removable(const MountEntry& mount) = 0;
};

// The mounts a file manager shows: the root file system, mounts of block
// devices, network mounts and RAM disks, never pseudo file systems or the
// system's runtime mounts. One entry per mount point (the topmost mount),
// "/" first, then by mount point bytes.
std::vector<MountEntry> shownMounts(const std::vector<MountEntry>& entries);

// shownMounts() as volumes. Facts are asked about local device mounts only.
std::vector<Volume> volumesFromMounts(const std::vector<MountEntry>& entries, DeviceFacts& facts);

// Whether path lies at or below directory, comparing whole components
// ("/mnt/a" holds "/mnt/a/b" but not "/mnt/ab").
bool pathIsWithin(std::string_view path, std::string_view directory);

// The topmost of the mounts whose mount point is the longest prefix of path;
// nullptr when none is.
const MountEntry* mountHolding(const std::vector<MountEntry>& entries, std::string_view path);

CaseFlags caseFlagsForFileSystem(std::string_view fileSystemType);

}  // namespace qmel
