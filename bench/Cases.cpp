#include "bench/Cases.h"

#include "bench/Baselines.h"
#include "bench/BenchTree.h"
#include "bench/Comparisons.h"
#include "bench/ResidentMemory.h"
#include "bench/ShownBrowser.h"
#include "bench/StartupProbe.h"
#include "platform/Platform.h"

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace qmel::bench {

namespace {

constexpr int bigDirectoryFiles = 100000;
constexpr int mixedMatchEvery = 10;
constexpr int subdirectoryCount = 10000;

// Everything the cases share, made the first time a case needs it.
struct Data {
    std::string startDirectory = systemPlatform().currentDirectory();
    BenchTree tree;
    std::optional<std::string> allMatching;
    std::optional<std::string> mixed;
    std::optional<std::string> subdirectories;
    std::optional<std::string> startupDirectory;
    std::unique_ptr<ShownBrowser> browser;
};

std::unique_ptr<Data> data;

Data& shared()
{
    if (!data)
        data = std::make_unique<Data>();
    return *data;
}

const std::string& allMatchingDirectory()
{
    Data& d = shared();
    if (!d.allMatching) {
        d.allMatching = d.tree.makeDirectory("all_matching");
        makeRomFiles(*d.allMatching, bigDirectoryFiles, 1);
    }
    return *d.allMatching;
}

const std::string& mixedDirectory()
{
    Data& d = shared();
    if (!d.mixed) {
        d.mixed = d.tree.makeDirectory("one_in_ten");
        makeRomFiles(*d.mixed, bigDirectoryFiles, mixedMatchEvery);
    }
    return *d.mixed;
}

const std::string& subdirectoryDirectory()
{
    Data& d = shared();
    if (!d.subdirectories) {
        d.subdirectories = d.tree.makeDirectory("subdirectories");
        makeSubdirectories(*d.subdirectories, subdirectoryCount);
    }
    return *d.subdirectories;
}

// Holds the two settings files, naming a ROM directory of 1,000 files.
const std::string& startupDirectory()
{
    Data& d = shared();
    if (!d.startupDirectory) {
        const std::string roms = d.tree.makeDirectory("roms");
        makeRomFiles(roms, startupRomFiles, 1);
        d.startupDirectory = d.tree.makeDirectory("start");
        writeFile(*d.startupDirectory + "/QMel_DBoyPath.ini", *d.startupDirectory);
        writeFile(*d.startupDirectory + "/QMel_DBoyRoms.ini", roms);
    }
    return *d.startupDirectory;
}

ShownBrowser& browserIn(const std::string& directory)
{
    Data& d = shared();
    if (!d.browser)
        d.browser = std::make_unique<ShownBrowser>();
    d.browser->enter(directory);
    settle();
    return *d.browser;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The time of one iteration is what measure() takes; what follows it (the
// paint, freeing, putting things back) is not counted.
template <typename Measure, typename After>
void timeEach(benchmark::State& state, Measure measure, After after)
{
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        measure();
        state.SetIterationTime(secondsSince(start));
        after();
    }
}

void expectRows(benchmark::State& state, std::size_t rows, std::size_t expected)
{
    if (rows != expected)
        state.SkipWithError(("rows: " + std::to_string(rows) + ", expected " + std::to_string(expected)).c_str());
}

void fileListCase(benchmark::State& state, const std::string& directory, std::size_t expected)
{
    ShownBrowser& browser = browserIn(directory);
    timeEach(state, [&] { browser.refreshFiles(); }, settle);
    expectRows(state, browser.rules().fileList().rows().size(), expected);
}

void fileListBaselineCase(benchmark::State& state, const std::string& directory, std::size_t expected)
{
    const std::vector<std::string> suffixes = maskSuffixes(FileList::defaultMask);
    std::size_t rows = 0;
    // The names are freed inside the measured part, as the program frees its
    // old rows there.
    timeEach(state, [&] { rows = matchingNames(directory, suffixes).size(); }, [] {});
    expectRows(state, rows, expected);
}

// One fresh process per iteration, started in the directory that holds the
// settings; the time is the one the process measured itself.
void startupCase(benchmark::State& state, const char* side)
{
    const std::string& directory = startupDirectory();
    for (auto _ : state) {
        try {
            state.SetIterationTime(startupProbeSeconds(side, directory));
        } catch (const std::runtime_error& failure) {
            state.SkipWithError(failure.what());
            break;
        }
    }
}

}  // namespace

void fileList100k(benchmark::State& state)
{
    fileListCase(state, allMatchingDirectory(), bigDirectoryFiles);
}

void fileList100kBaseline(benchmark::State& state)
{
    fileListBaselineCase(state, allMatchingDirectory(), bigDirectoryFiles);
}

void fileListMixed100k(benchmark::State& state)
{
    fileListCase(state, mixedDirectory(), bigDirectoryFiles / mixedMatchEvery);
}

void fileListMixed100kBaseline(benchmark::State& state)
{
    fileListBaselineCase(state, mixedDirectory(), bigDirectoryFiles / mixedMatchEvery);
}

void directoryList10k(benchmark::State& state)
{
    ShownBrowser& browser = browserIn(subdirectoryDirectory());
    timeEach(state, [&] { browser.rebuildDirectories(); }, settle);
    std::size_t subdirectories = 0;
    for (const DirectoryRow& row : browser.rules().directoryList().rows())
        subdirectories += row.kind == DirectoryRowKind::Subdirectory;
    expectRows(state, subdirectories, subdirectoryCount);
}

void directoryList10kBaseline(benchmark::State& state)
{
    const std::string& directory = subdirectoryDirectory();
    std::size_t rows = 0;
    timeEach(state, [&] { rows = subdirectoryNames(directory).size(); }, [] {});
    expectRows(state, rows, subdirectoryCount);
}

void startup(benchmark::State& state)
{
    startupCase(state, windowProbe);
}

void startupBaseline(benchmark::State& state)
{
    startupCase(state, bareProbe);
}

void memory100k(benchmark::State& state)
{
    const std::string& directory = allMatchingDirectory();
    for (auto _ : state) {
        std::size_t added = 0;
        std::size_t rows = 0;
        const Clock::time_point start = Clock::now();
        {
            ShownBrowser browser;
            settle();
            returnFreeMemory();
            const std::size_t before = residentBytes();
            browser.enter(directory);
            settle();
            added = residentBytes() - before;
            rows = browser.rules().fileList().rows().size();
        }
        state.SetIterationTime(secondsSince(start));
        expectRows(state, rows, bigDirectoryFiles);
        state.counters[bytesPerRowCounter] = static_cast<double>(added) / static_cast<double>(rows ? rows : 1);

        // For comparison only: what the plain vector of sorted names holds.
        returnFreeMemory();
        const std::size_t before = residentBytes();
        const std::vector<std::string> names = matchingNames(directory, maskSuffixes(FileList::defaultMask));
        state.counters["baseline_bytes_per_row"] =
            static_cast<double>(residentBytes() - before) / static_cast<double>(names.size());
    }
}

void cleanUp()
{
    if (!data)
        return;
    data->browser.reset();
    if (chdir(data->startDirectory.c_str()) != 0) {
        // Nothing left to do with the directory; the data still goes.
    }
    data.reset();
}

}  // namespace qmel::bench
