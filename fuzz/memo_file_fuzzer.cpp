// The settings read of arbitrary file contents and the write back: what was
// read is written back byte for byte.
#include "FuzzCheck.h"
#include "core/Errors.h"
#include "core/LineBreaks.h"
#include "core/MemoFile.h"
#include "platform/Platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

using qmel::fuzz::check;
using qmel::fuzz::within;

namespace {

// One directory per fuzzing process, removed when it exits normally.
class WorkDirectory {
public:
    WorkDirectory()
    {
        const char* base = std::getenv("TMPDIR");
        path_ = std::string(base && *base ? base : "/tmp") + "/qmel-memo-fuzz.XXXXXX";
        check(mkdtemp(path_.data()) != nullptr);
    }
    ~WorkDirectory() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& workDirectory()
{
    static const WorkDirectory directory;
    return directory.path();
}

void writeRaw(const std::string& path, std::string_view bytes)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0);
    check(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    check(close(fd) == 0);
}

std::string readRaw(const std::string& path)
{
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    check(fd >= 0);
    char buffer[65536];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(count));
    check(count == 0);
    close(fd);
    return bytes;
}

// The write must leave no temporary file next to the settings file.
std::size_t entryCount(const std::string& directory)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = workDirectory() + "/QMel_DBoyPath.ini";
    writeRaw(path, bytes);

    qmel::Platform& platform = qmel::systemPlatform();
    std::string text;
    try {
        text = qmel::readFileToMemoText(platform, path);
    } catch (const qmel::EInvalidOperation&) {
        // Only a text beyond a memo's capacity is refused.
        check(qmel::normalizeLineBreaks(bytes.substr(0, bytes.find('\0'))).size() > qmel::MemoCapacity);
        return 0;
    }
    // The text ends at the first NUL and has CR LF breaks only.
    check(text.find('\0') == std::string::npos);
    check(text == qmel::normalizeLineBreaks(bytes.substr(0, bytes.find('\0'))));

    qmel::writeMemoTextToFile(platform, path, text);
    check(readRaw(path) == text);
    check(entryCount(workDirectory()) == 1);
    // Read again, it is the same text: a load-save cycle is stable.
    check(qmel::readFileToMemoText(platform, path) == text);
    return 0;
}
