#pragma once

// Collects what each run measured and turns it into one RESULT line per
// comparison: the median time of the program's side over the median time of
// its baseline, or an absolute figure where there is no baseline.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace qmel::bench {

enum class Measure { Ratio, BytesPerRow };

struct Comparison {
    std::string name;
    Measure measure;
    double target;  // the largest figure that passes
};

inline constexpr const char* programSide = "program";
inline constexpr const char* baselineSide = "baseline";
inline constexpr const char* bytesPerRowCounter = "bytes_per_row";

// "file_list_100k/program/round:3"
std::string runName(const std::string& comparison, const char* side, int round);

class ComparisonReporter : public benchmark::ConsoleReporter {
public:
    // Colour only on a terminal: in a log each RESULT line must stand clean.
    ComparisonReporter();
    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the RESULT lines of the comparisons that ran; true when all pass.
    bool printResults(const std::vector<Comparison>& comparisons, std::FILE* out) const;

private:
    struct Sides {
        std::map<std::string, std::vector<double>> secondsPerIteration;  // by side
        std::vector<double> bytesPerRow;
        bool failed = false;
    };
    std::map<std::string, Sides> byComparison_;
};

}  // namespace qmel::bench
