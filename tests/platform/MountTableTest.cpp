#include "platform/posix/MountTable.h"
#include "platform/posix/SystemMounts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace qmel {
namespace {

// A desktop machine: pseudo file systems, runtime mounts, removable media,
// network shares, a RAM disk, escaped names and mounts stacked on each other.
const char* const desktopMountInfo =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
    "23 22 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "24 22 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:2 - sysfs sysfs rw\n"
    "25 24 0:23 / /sys/fs/cgroup rw,nosuid,nodev,noexec,relatime shared:3 - cgroup2 cgroup2 rw,nsdelegate\n"
    "26 22 0:5 / /dev rw,nosuid,relatime shared:4 - devtmpfs udev rw,size=8000000k,mode=755\n"
    "27 26 0:24 / /dev/pts rw,nosuid,noexec,relatime shared:5 - devpts devpts rw,gid=5,mode=620\n"
    "28 26 0:25 / /dev/shm rw,nosuid,nodev shared:6 - tmpfs tmpfs rw\n"
    "29 26 0:26 / /dev/mqueue rw,nosuid,nodev,noexec,relatime shared:7 - mqueue mqueue rw\n"
    "30 22 0:27 / /run rw,nosuid,nodev,noexec,relatime shared:8 - tmpfs tmpfs rw,size=1600000k,mode=755\n"
    "31 30 0:28 / /run/user/0 rw,nosuid,nodev,relatime shared:9 - tmpfs tmpfs rw,size=1600000k,mode=700\n"
    "32 30 0:29 / /run/docker/netns/default rw shared:10 - nsfs nsfs rw\n"
    "33 30 7:3 / /run/snapd/ns/lxd.mnt rw - squashfs /dev/loop3 ro\n"
    "34 22 8:1 / /boot/efi rw,relatime shared:11 - vfat /dev/sda1 rw,fmask=0077,codepage=437\n"
    "35 30 8:17 / /run/media/u/USB\\040STICK rw,nosuid,nodev,relatime shared:13 - vfat /dev/sdb1 rw,uid=1000\n"
    "36 22 11:0 / /media/cd ro,nosuid,nodev,relatime shared:14 - iso9660 /dev/sr0 ro,nojoliet\n"
    "37 22 0:40 / /mnt/nas rw,relatime shared:15 - cifs //server/roms rw,vers=3.1.1\n"
    "38 22 0:41 / /mnt/nfs rw,relatime shared:16 - nfs4 host:/export rw,vers=4.2\n"
    "39 22 0:42 / /mnt/ram rw,relatime shared:17 - tmpfs tmpfs rw,size=100m\n"
    "40 22 8:3 / /srv/my\\040games rw,relatime shared:18 - ext4 /dev/sda3 rw\n"
    "41 22 0:44 / /mnt/over rw,relatime - overlay overlay rw,lowerdir=/a,upperdir=/b,workdir=/c\n"
    "42 23 0:45 / /proc/sys/fs/binfmt_misc rw,relatime shared:19 - autofs systemd-1 rw\n"
    "43 22 0:46 / /mnt/ssh rw,nosuid,nodev,relatime shared:20 - fuse.sshfs me@host:/home/me rw,user_id=1000\n"
    "44 22 0:47 / /mnt/usb rw - tmpfs tmpfs rw\n"
    "45 44 8:33 / /mnt/usb rw,relatime - ext4 /dev/sdc1 rw\n"
    "46 22 8:49 / /mnt/gone rw - ext4 /dev/sdd1 rw\n"
    "47 46 0:48 / /mnt/gone rw - proc proc rw\n"
    "48 22 0:50 /@home /home rw,relatime shared:21 - btrfs /dev/sda4 rw,subvol=/@home\n"
    "49 22 0:51 / /mnt/qemu rw - 9p hostshare rw,trans=virtio\n"
    "50 22 0:52 / /mnt/\\134back\\011tab rw - ext4 /dev/sde1 rw\n";

// Facts as udev and sysfs would give them; remembers whom it was asked about.
class FakeDeviceFacts : public DeviceFacts {
public:
    std::map<std::string, std::string> labels{
        {"/dev/sda2", "root"}, {"/dev/sda1", "EFI"}, {"/dev/sdb1", "USB STICK"},
        {"/dev/sr0", "ROM DISC"}, {"/dev/sdc1", "BACKUP"}};
    std::set<std::string> removableSources{"/dev/sdc1"};
    std::set<std::string> asked;

    std::string label(const MountEntry& mount) override
    {
        asked.insert(mount.source);
        const auto found = labels.find(mount.source);
        return found == labels.end() ? std::string() : found->second;
    }
    bool removable(const MountEntry& mount) override
    {
        asked.insert(mount.source);
        return removableSources.contains(mount.source);
    }
};

auto asTuple(const Volume& v) { return std::tie(v.root, v.kind, v.label, v.networkName, v.fileSystemType); }

TEST(MountTable, ParsesMountInfoFields)
{
    const std::vector<MountEntry> entries = parseMountInfo(desktopMountInfo);
    ASSERT_EQ(entries.size(), 29u);
    const MountEntry& usb = entries[13];
    EXPECT_EQ(usb.mountPoint, "/run/media/u/USB STICK");
    EXPECT_EQ(usb.fileSystemType, "vfat");
    EXPECT_EQ(usb.source, "/dev/sdb1");
    EXPECT_EQ(usb.major, 8u);
    EXPECT_EQ(usb.minor, 17u);
    const MountEntry& nas = entries[15];
    EXPECT_EQ(nas.mountPoint, "/mnt/nas");
    EXPECT_EQ(nas.source, "//server/roms");
    EXPECT_EQ(nas.major, 0u);
    EXPECT_EQ(entries.back().mountPoint, "/mnt/\\back\ttab");
}

TEST(MountTable, SkipsMalformedLines)
{
    const std::vector<MountEntry> entries = parseMountInfo(
        "\n"
        "garbage\n"
        "1 2 8:1 / /no-separator rw ext4 /dev/sda1 rw\n"
        "1 2 x:y / /bad-device rw - ext4 /dev/sda1 rw\n"
        "1 2 8:1 / /cut-short rw - ext4\n"
        "1 2 8:1 / /ok rw master:3 shared:4 - ext4 /dev/sda1 rw");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].mountPoint, "/ok");
    EXPECT_EQ(entries[0].source, "/dev/sda1");
}

TEST(MountTable, DecodesEscapes)
{
    const std::pair<std::string, std::string> octal[] = {
        {"a\\040b", "a b"}, {"\\011\\012", "\t\n"}, {"\\134", "\\"}, {"\\351t\\351", "\xE9t\xE9"},
        {"end\\04", "end\\04"}, {"\\xyz", "\\xyz"}, {"\\8000", "\\8000"}, {"plain", "plain"}};
    for (const auto& [escaped, raw] : octal)
        EXPECT_EQ(decodeOctalEscapes(escaped), raw) << escaped;

    const std::pair<std::string, std::string> hex[] = {
        {"USB\\x20STICK", "USB STICK"}, {"a\\x2fb", "a/b"}, {"\\xE9t\\xe9", "\xE9t\xE9"},
        {"\\xZZ", "\\xZZ"}, {"end\\x2", "end\\x2"}, {"\\040", "\\040"}};
    for (const auto& [escaped, raw] : hex)
        EXPECT_EQ(decodeHexEscapes(escaped), raw) << escaped;
}

TEST(MountTable, VolumesAFileManagerWouldShow)
{
    FakeDeviceFacts facts;
    const std::vector<Volume> volumes = volumesFromMounts(parseMountInfo(desktopMountInfo), facts);

    const std::vector<Volume> expected = {
        {"/", VolumeKind::Fixed, "root", "", "ext4"},
        {"/boot/efi", VolumeKind::Fixed, "EFI", "", "vfat"},
        {"/home", VolumeKind::Fixed, "", "", "btrfs"},
        {"/media/cd", VolumeKind::CdRom, "ROM DISC", "", "iso9660"},
        {"/mnt/\\back\ttab", VolumeKind::Fixed, "", "", "ext4"},
        {"/mnt/nas", VolumeKind::Network, "", "//server/roms", "cifs"},
        {"/mnt/nfs", VolumeKind::Network, "", "host:/export", "nfs4"},
        {"/mnt/qemu", VolumeKind::Network, "", "hostshare", "9p"},
        {"/mnt/ram", VolumeKind::RamDisk, "", "", "tmpfs"},
        {"/mnt/ssh", VolumeKind::Network, "", "me@host:/home/me", "fuse.sshfs"},
        {"/mnt/usb", VolumeKind::Removable, "BACKUP", "", "ext4"},
        {"/run/media/u/USB STICK", VolumeKind::Removable, "USB STICK", "", "vfat"},
        {"/srv/my games", VolumeKind::Fixed, "", "", "ext4"},
    };
    ASSERT_EQ(volumes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(asTuple(volumes[i]), asTuple(expected[i])) << "row " << i << " " << volumes[i].root;

    // Nothing is looked up for a network share: its server may be dead.
    for (const char* remote : {"//server/roms", "host:/export", "me@host:/home/me", "hostshare"})
        EXPECT_FALSE(facts.asked.contains(remote)) << remote;
}

TEST(MountTable, RootIsShownEvenWithoutItsOwnEntry)
{
    FakeDeviceFacts facts;
    const std::vector<Volume> volumes =
        volumesFromMounts(parseMountInfo("5 1 8:1 / /data rw - ext4 /dev/sdx1 rw\n"), facts);
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[0].root, "/");
    EXPECT_EQ(volumes[1].root, "/data");
}

TEST(MountTable, PathWithinComparesWholeComponents)
{
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"/mnt/a/b", "/mnt/a", true}, {"/mnt/a", "/mnt/a", true}, {"/mnt/ab", "/mnt/a", false},
        {"/mnt", "/mnt/a", false},    {"/x/y", "/", true},        {"/", "/", true},
    };
    for (const auto& [path, directory, within] : cases)
        EXPECT_EQ(pathIsWithin(path, directory), within) << path << " in " << directory;
}

TEST(MountTable, VolumeRootIsTheLongestShownPrefix)
{
    const std::vector<MountEntry> shown = shownMounts(parseMountInfo(desktopMountInfo));
    const std::pair<std::string, std::string> cases[] = {
        {"/mnt/nas/gb/zelda", "/mnt/nas"}, {"/mnt/nas", "/mnt/nas"},   {"/mnt/nasty", "/"},
        {"/proc/1", "/"},                  {"/run/user/0/x", "/"},      {"/mnt/gone/x", "/"},
        {"/boot/efi/EFI", "/boot/efi"},    {"/srv/my games/gb", "/srv/my games"},
    };
    for (const auto& [directory, root] : cases) {
        const MountEntry* mount = mountHolding(shown, directory);
        ASSERT_NE(mount, nullptr) << directory;
        EXPECT_EQ(mount->mountPoint, root) << directory;
    }
}

TEST(MountTable, CaseFlagsFollowTheFileSystemType)
{
    const std::tuple<std::string, bool, bool> cases[] = {
        {"ext4", true, true},    {"btrfs", true, true},  {"tmpfs", true, true},   {"nfs4", true, true},
        {"vfat", false, true},   {"exfat", false, true}, {"msdos", false, false}, {"cifs", false, true},
        {"smb3", false, true},   {"iso9660", false, true}, {"hfsplus", false, true},
    };
    for (const auto& [type, sensitive, preserving] : cases) {
        const CaseFlags flags = caseFlagsForFileSystem(type);
        EXPECT_EQ(flags.caseSensitive, sensitive) << type;
        EXPECT_EQ(flags.casePreserving, preserving) << type;
    }

    // The mount holding a directory decides, covered mounts included.
    const std::vector<MountEntry> all = parseMountInfo(desktopMountInfo);
    EXPECT_EQ(mountHolding(all, "/boot/efi/EFI/BOOT")->fileSystemType, "vfat");
    EXPECT_EQ(mountHolding(all, "/mnt/usb/roms")->fileSystemType, "ext4");
    EXPECT_EQ(mountHolding(all, "/mnt/gone/x")->fileSystemType, "proc");
}

TEST(MountTable, ThisMachineShowsRootFirstInStableOrder)
{
    const std::vector<Volume> volumes = systemVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().root, "/");
    for (std::size_t i = 1; i < volumes.size(); ++i) {
        EXPECT_LT(volumes[i - 1].root, volumes[i].root);
        EXPECT_FALSE(pathIsWithin(volumes[i].root, "/proc") || pathIsWithin(volumes[i].root, "/sys") ||
                     pathIsWithin(volumes[i].root, "/dev"))
            << volumes[i].root;
    }
}

}  // namespace
}  // namespace qmel
