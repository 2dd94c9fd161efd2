#include "bench/Comparisons.h"

#include <algorithm>
#include <unistd.h>

namespace qmel::bench {

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

std::string runName(const std::string& comparison, const char* side, int round)
{
    return comparison + "/" + side + "/round:" + std::to_string(round);
}

ComparisonReporter::ComparisonReporter()
    : benchmark::ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
{
}

void ComparisonReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration)
            continue;
        const std::string name = run.benchmark_name();
        const std::size_t slash = name.find('/');
        const std::size_t nextSlash = name.find('/', slash + 1);
        if (slash == std::string::npos)
            continue;
        Sides& sides = byComparison_[name.substr(0, slash)];
        if (run.error_occurred) {
            sides.failed = true;
            continue;
        }
        const std::string side = name.substr(slash + 1, nextSlash - slash - 1);
        if (run.iterations > 0)
            sides.secondsPerIteration[side].push_back(run.real_accumulated_time /
                                                      static_cast<double>(run.iterations));
        if (const auto counter = run.counters.find(bytesPerRowCounter); counter != run.counters.end())
            sides.bytesPerRow.push_back(counter->second.value);
    }
    ConsoleReporter::ReportRuns(runs);
}

bool ComparisonReporter::printResults(const std::vector<Comparison>& comparisons, std::FILE* out) const
{
    bool allPass = true;
    for (const Comparison& comparison : comparisons) {
        const auto found = byComparison_.find(comparison.name);
        if (found == byComparison_.end())
            continue;  // filtered out
        const Sides& sides = found->second;
        const char* label = comparison.measure == Measure::Ratio ? "ratio" : "bytes_per_row";
        double figure = 0;
        bool measured = !sides.failed;
        if (comparison.measure == Measure::Ratio) {
            const auto program = sides.secondsPerIteration.find(programSide);
            const auto baseline = sides.secondsPerIteration.find(baselineSide);
            measured = measured && program != sides.secondsPerIteration.end() &&
                       baseline != sides.secondsPerIteration.end();
            if (measured) {
                const double limit = median(baseline->second);
                measured = limit > 0;
                if (measured)
                    figure = median(program->second) / limit;
            }
        } else {
            measured = measured && !sides.bytesPerRow.empty();
            if (measured)
                figure = median(sides.bytesPerRow);
        }
        const bool pass = measured && figure <= comparison.target;
        allPass = allPass && pass;
        if (measured)
            std::fprintf(out, "RESULT %s %s=%.*f target<=%g %s\n", comparison.name.c_str(), label,
                         comparison.measure == Measure::Ratio ? 2 : 0, figure,
                         comparison.target, pass ? "ok" : "FAIL");
        else
            std::fprintf(out, "RESULT %s %s=error target<=%g FAIL\n", comparison.name.c_str(), label,
                         comparison.target);
    }
    std::fflush(out);
    return allPass;
}

}  // namespace qmel::bench
