#pragma once

// The operating-system layer. Everything above it speaks of volumes and
// directories as byte strings; one implementation per OS is chosen by CMake.
//
// How each OS behaves:
// - Names and paths are raw bytes, never converted. On POSIX a name that is not
//   valid UTF-8 is listed, opened and passed to a started program unchanged.
// - A volume is a mounted file system, named by its root (on POSIX the mount
//   point, on Windows a drive root such as "C:\").
// - Error codes are the OS's own (errno on POSIX); errorCodeForUser() maps them
//   onto the small table of codes the user sees.

#include <cstdint>
#include <string>
#include <vector>

namespace qmel {

struct DirectoryEntry {
    std::string name;        // exactly as the file system gives it
    bool directory = false;  // after following symbolic links
    bool hidden = false;     // POSIX: the name begins with "."
    bool system = false;     // POSIX: neither regular file nor directory after following links
};

enum class VolumeKind { Removable, Fixed, Network, CdRom, RamDisk };

struct Volume {
    std::string root;         // mount point on POSIX, shown exactly
    VolumeKind kind = VolumeKind::Fixed;
    std::string label;        // empty when the volume has none or it cannot be read
    std::string networkName;  // the remote source of a network volume ("//server/roms")
    std::string fileSystemType;
};

struct CaseFlags {
    bool caseSensitive = true;
    bool casePreserving = true;
};

enum class ReadStatus { Ok, CannotOpen, TooLarge };
enum class WriteStatus { Ok, CannotCreate, ShortWrite };

class Platform {
public:
    virtual ~Platform() = default;

    // --- current directory -------------------------------------------------
    // The absolute current directory as the OS reports it (POSIX: getcwd, no
    // trailing "/" except "/" itself). Empty if it cannot be read.
    virtual std::string currentDirectory() = 0;
    // Changes the current directory. Returns 0, or the OS error code; a failure
    // leaves the current directory as it was. Remembers, per volume, the last
    // directory made current on it.
    virtual int changeDirectory(const std::string& path) = 0;
    // Enters the directory last made current on the volume during this run, or
    // the volume's root when there is none or it has gone. 0 or an error code.
    virtual int enterVolume(const std::string& volumeRoot) = 0;

    // --- tests and searches ------------------------------------------------
    virtual bool isDirectory(const std::string& path) = 0;
    // A regular file (after links) whose modification time in local time lies
    // in the years 1980 to 2107. FIFOs, sockets and devices fail.
    virtual bool fileExists(const std::string& path) = 0;
    // All entries of a directory but "." and "..", in one pass, unsorted.
    // Returns 0 or an error code.
    virtual int listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) = 0;

    // --- volumes -------------------------------------------------------------
    // The volumes a file manager would show, in a stable order.
    virtual std::vector<Volume> volumes() = 0;
    // The root of the volume that holds an absolute directory: on POSIX the
    // mount point that is its longest prefix ("/" at the least).
    virtual std::string volumeRootOf(const std::string& directory) = 0;
    // Case flags of the volume that holds a directory.
    virtual CaseFlags caseFlags(const std::string& directory) = 0;

    // --- settings files ------------------------------------------------------
    // The name of an existing entry for path: path itself when it exists, else
    // an entry in the same directory whose name equals it ignoring ASCII case,
    // else path unchanged. Case-insensitive file systems need no such help.
    virtual std::string resolveName(const std::string& path) = 0;
    // Reads a whole file, at most maxBytes (checked before reading).
    virtual ReadStatus readFile(const std::string& path, std::size_t maxBytes, std::string& bytes) = 0;
    // Replaces a file atomically: on any failure the old file is intact and no
    // temporary file is left behind. Other case variants of the name are
    // removed after a successful replace, so only one copy remains.
    virtual WriteStatus replaceFile(const std::string& path, const std::string& bytes) = 0;

    // --- program starts ------------------------------------------------------
    // Starts a program detached, without a shell: it inherits the current
    // directory and environment, is never waited for and leaves no zombie.
    // With searchPath the program is looked up on PATH. A failed start is silent.
    virtual void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                               bool searchPath) = 0;
};

// The platform of the machine the program runs on.
Platform& systemPlatform();

// Maps an OS error code onto the code shown to the user: 2 file not found,
// 3 invalid filename, 4 too many open files, 5 access denied, 21 not ready;
// any other code is returned unchanged.
int errorCodeForUser(int osErrorCode);

}  // namespace qmel
