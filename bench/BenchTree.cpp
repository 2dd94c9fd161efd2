#include "bench/BenchTree.h"

#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel::bench {

namespace {

constexpr std::array<const char*, 8> words{"Pocket", "super", "MEGA", "Tiny", "Puzzle", "racer", "Quest", "World"};
constexpr std::array<const char*, 4> regions{"(Europe)", "(USA)", "(Japan)", "(World) [!]"};
constexpr std::array<const char*, 5> maskedExtensions{".gb", ".GBC", ".zip", ".Gb", ".gbc"};
constexpr std::array<const char*, 5> otherExtensions{".sav", ".txt", ".gba", ".png", ".ips"};

// A different number for every index below a million, in scrambled order, so
// that the names neither come nor sort in creation order.
unsigned scrambled(int index)
{
    return static_cast<unsigned>((static_cast<unsigned long long>(index) * 7919u + 12345u) % 1000003u);
}

std::string romStem(int index)
{
    const unsigned key = scrambled(index);
    return std::string(words[key % words.size()]) + " " + words[(key / 8) % words.size()] + " " +
           std::to_string(key) + " " + regions[(key / 64) % regions.size()];
}

void makeEmptyFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + path);
    close(fd);
}

}  // namespace

BenchTree::BenchTree()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmel_bench.XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory from " + pattern);
    root_ = pattern;
}

BenchTree::~BenchTree()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string BenchTree::makeDirectory(const std::string& name) const
{
    const std::string path = root_ + "/" + name;
    if (mkdir(path.c_str(), 0755) != 0)
        throw std::runtime_error("cannot make " + path);
    return path;
}

void makeRomFiles(const std::string& directory, int count, int matchEvery)
{
    for (int i = 0; i < count; ++i) {
        const unsigned pick = static_cast<unsigned>(i / matchEvery);
        const char* extension = i % matchEvery == 0 ? maskedExtensions[pick % maskedExtensions.size()]
                                                    : otherExtensions[static_cast<unsigned>(i) % otherExtensions.size()];
        makeEmptyFile(directory + "/" + romStem(i) + extension);
    }
}

void makeSubdirectories(const std::string& directory, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string path = directory + "/" + romStem(i);
        if (mkdir(path.c_str(), 0755) != 0)
            throw std::runtime_error("cannot make " + path);
    }
}

void writeFile(const std::string& path, const std::string& bytes)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write " + path);
    close(fd);
}

}  // namespace qmel::bench
