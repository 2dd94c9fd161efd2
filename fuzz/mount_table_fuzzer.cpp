// Parsing of arbitrary mountinfo text and the volumes shown of it.
#include "FuzzCheck.h"
#include "platform/posix/MountTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using qmel::fuzz::check;
using qmel::fuzz::within;

namespace {

// Facts made up from the entry itself, so that every answer occurs.
class MadeUpFacts : public qmel::DeviceFacts {
public:
    std::string label(const qmel::MountEntry& mount) override { return mount.source; }
    bool removable(const qmel::MountEntry& mount) override { return mount.minor % 2 == 1; }
};

// Kernel file systems that hold no user files.
bool isPseudoFileSystem(std::string_view type)
{
    static constexpr std::string_view pseudo[] = {
        "proc",     "sysfs",      "cgroup",   "cgroup2",   "devpts",   "devtmpfs",    "mqueue",
        "debugfs",  "tracefs",    "securityfs", "pstore",  "bpf",      "configfs",    "fusectl",
        "hugetlbfs", "binfmt_misc", "efivarfs", "nsfs",    "rpc_pipefs", "autofs",
    };
    return std::find(std::begin(pseudo), std::end(pseudo), type) != std::end(pseudo);
}

bool within(std::string_view path, std::string_view directory)
{
    return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

bool inSystemArea(std::string_view path)
{
    return within(path, "/proc") || within(path, "/sys") || within(path, "/dev") ||
           (within(path, "/run") && !within(path, "/run/media"));
}

// The entry a mount point shows: the last one mounted there.
const qmel::MountEntry* topmost(const std::vector<qmel::MountEntry>& entries, const std::string& mountPoint)
{
    const qmel::MountEntry* found = nullptr;
    for (const qmel::MountEntry& entry : entries)
        if (entry.mountPoint == mountPoint)
            found = &entry;
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<qmel::MountEntry> entries = qmel::parseMountInfo(text);
    check(entries.size() <= static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);

    MadeUpFacts facts;
    const std::vector<qmel::Volume> volumes = qmel::volumesFromMounts(entries, facts);

    // "/" always comes first, then the others once each, in byte order.
    check(!volumes.empty() && volumes.front().root == "/");
    for (std::size_t i = 1; i < volumes.size(); ++i)
        check(volumes[i - 1].root < volumes[i].root);

    for (const qmel::Volume& volume : volumes) {
        const qmel::MountEntry* mount = topmost(entries, volume.root);
        if (volume.root == "/") {
            // The root is shown even when the table lacks it, whatever it is.
            check(!mount || volume.fileSystemType == mount->fileSystemType);
            continue;
        }
        check(mount != nullptr);
        check(volume.fileSystemType == mount->fileSystemType);
        check(!isPseudoFileSystem(volume.fileSystemType));
        check(!inSystemArea(volume.root));
        if (volume.kind == qmel::VolumeKind::Network)
            check(volume.networkName == mount->source);
        else
            check(volume.networkName.empty());
    }

    // A mount point is held by the topmost mount on it, not by one below.
    for (const qmel::MountEntry& entry : entries)
        check(qmel::mountHolding(entries, entry.mountPoint) == topmost(entries, entry.mountPoint));
    return 0;
}
