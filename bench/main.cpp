// qmel_bench: the browser and the start-up, each measured against the
// physical limit in the same run. Prints one RESULT line per comparison and
// exits non-zero when any misses its target.

#include "bench/Cases.h"
#include "bench/Comparisons.h"
#include "bench/StartupProbe.h"
#include "ui/ApplicationSetUp.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace qmel::bench;

struct Pair {
    const char* comparison;
    void (*program)(benchmark::State&);
    void (*baseline)(benchmark::State&);
    int iterations;  // per run
    int rounds;      // runs of each side, the two sides taking turns
};

// A start-up is one process per iteration: a single one per run, and more
// runs, so that the medians are taken over separate starts.
const Pair pairs[] = {
    {"file_list_100k", fileList100k, fileList100kBaseline, 3, 7},
    {"file_list_mixed_100k", fileListMixed100k, fileListMixed100kBaseline, 3, 7},
    {"dir_list_10k", directoryList10k, directoryList10kBaseline, 10, 7},
    {"startup", startup, startupBaseline, 1, 15},
};

const std::vector<Comparison> comparisons = {
    {"file_list_100k", Measure::Ratio, 1.5},
    {"file_list_mixed_100k", Measure::Ratio, 1.5},
    {"dir_list_10k", Measure::Ratio, 1.5},
    {"startup", Measure::Ratio, 1.3},
    {"memory_100k", Measure::BytesPerRow, 300},
};

void add(const std::string& name, void (*run)(benchmark::State&), int iterations)
{
    benchmark::RegisterBenchmark(name.c_str(), run)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerAll()
{
    // First, while the heap is still clean: one fill, one figure.
    add("memory_100k/program/round:0", memory100k, 1);
    int rounds = 0;
    for (const Pair& pair : pairs)
        rounds = std::max(rounds, pair.rounds);
    for (int round = 0; round < rounds; ++round) {
        for (const Pair& pair : pairs) {
            if (round >= pair.rounds)
                continue;
            // The side that goes first changes every round.
            const bool programFirst = round % 2 == 0;
            if (programFirst)
                add(runName(pair.comparison, programSide, round), pair.program, pair.iterations);
            add(runName(pair.comparison, baselineSide, round), pair.baseline, pair.iterations);
            if (!programFirst)
                add(runName(pair.comparison, programSide, round), pair.program, pair.iterations);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    // A child run for one start-up sample makes its own application.
    if (const auto probe = startupProbeSide(argc, argv))
        return runStartupProbe(*probe, argv[0]);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Set up as the program sets itself up.
    QApplication application(argc, argv);
    qmel::setUpApplication(application);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    registerAll();
    ComparisonReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    cleanUp();
    benchmark::Shutdown();
    return reporter.printResults(comparisons, stdout) ? 0 : 1;
}
