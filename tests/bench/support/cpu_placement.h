// Where the benchmarks run. tools/bench.sh starts Wine's server and each
// benchmark program on the processor that KVE_BENCH_CPU names; the timed work
// stays there, so that a step's message round trip with the server never
// crosses processors (which costs twice as much and varies twofold), while
// the benchmark program watches from the other processors. Without
// KVE_BENCH_CPU, everything is left to the scheduler.
#pragma once

#include <windows.h>

#include <functional>

// Moves this program off the benchmark's processor; called first thing.
void WatchFromOtherCpus();
// Keeps a program that the benchmark started on the benchmark's processor.
void PinToBenchCpu(DWORD processId);
// Runs `work` with this program on the benchmark's processor.
void RunOnBenchCpu(const std::function<void()>& work);
