#pragma once

// The live system's mounts, for the POSIX platform.

#include "platform/posix/MountTable.h"

#include <vector>

namespace qmel {

// The live system: /proc/self/mountinfo (empty when unreadable), parsed again
// only after the kernel reports a mount or unmount, and device facts from
// /dev/disk/by-label and /sys/dev/block.
std::vector<MountEntry> readSystemMounts();
std::vector<Volume> systemVolumes();

}  // namespace qmel
