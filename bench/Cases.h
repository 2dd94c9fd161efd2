#pragma once

// The measured cases: each program side and its baseline, on data made once
// per run of the benchmark program.

#include <benchmark/benchmark.h>

namespace qmel::bench {

void fileList100k(benchmark::State& state);
void fileList100kBaseline(benchmark::State& state);
void fileListMixed100k(benchmark::State& state);
void fileListMixed100kBaseline(benchmark::State& state);
void directoryList10k(benchmark::State& state);
void directoryList10kBaseline(benchmark::State& state);
void startup(benchmark::State& state);
void startupBaseline(benchmark::State& state);
void memory100k(benchmark::State& state);

// Removes the data and puts the current directory back.
void cleanUp();

}  // namespace qmel::bench
